// The report page's script: tooltips on every mark, zoom and pan on the
// profile, the cursor's readout, and the plan map showing the profile's
// visible range. The drawings are complete without it; it only moves what
// is there. Texts from the documents are only ever set as text.
//
// Served live (scenario serve: the body carries data-dal-vivo, the page's
// version), it also follows the documents: each new page the server sends
// takes the place of the drawings, the findings and the sources, keeping the
// profile's range, the place on the screen and the tooltip, and marking the
// findings that are new.
(function () {
  'use strict';
  var NS = 'http://www.w3.org/2000/svg';
  var tip = document.getElementById('tip');

  // --- The source documents, for the rows the tooltips name: lines end at
  // CR LF, a lone CR or a lone LF, as the tool counts them.
  // Both are keyed by document (L the line source, T the train source), not
  // by name: the two may share a name in different folders.
  var sources = {};
  var names = {};
  function readSources() {
    sources = {};
    names = {};
    Array.prototype.slice.call(document.querySelectorAll('pre.sorgente')).forEach(function (pre) {
      var doc = pre.getAttribute('data-doc');
      sources[doc] = pre.textContent.split(/\r\n|\r|\n/);
      names[doc] = pre.getAttribute('data-nome');
    });
  }
  // "T:12" ending a tooltip's line becomes the file's name, the line and
  // the row's text.
  function withRows(text) {
    return text.split('\n').map(function (line) {
      var m = /^(.*?)\b([LT]):(\d+)$/.exec(line);
      if (!m || !names[m[2]]) return line;
      var row = sources[m[2]][+m[3] - 1];
      var ref = m[1] + names[m[2]] + ':' + m[3];
      if (row === undefined) return ref;
      row = row.replace(/[ \t]+/g, ' ').trim();
      if (row.length > 100) row = row.slice(0, 100) + '\u2026';
      return ref + '  ' + row;
    }).join('\n');
  }

  // --- Tooltips: each mark's <title> becomes the page's own tooltip, shown
  // at once beside the pointer, with the text of the row it names.
  function takeTitles(svg) {
    if (!svg) return;
    Array.prototype.slice.call(svg.querySelectorAll('title')).forEach(function (t) {
      if (t.parentNode === svg) return;
      t.parentNode.setAttribute('data-tip', t.textContent);
      t.parentNode.removeChild(t);
    });
  }
  function showTip(text, px, py) {
    tip.textContent = withRows(text);
    tip.hidden = false;
    var x = px + 14;
    var y = py + 16;
    var r = tip.getBoundingClientRect();
    if (x + r.width > window.innerWidth - 8) x = Math.max(8, px - r.width - 14);
    if (y + r.height > window.innerHeight - 8) y = Math.max(8, py - r.height - 16);
    tip.style.left = x + 'px';
    tip.style.top = y + 'px';
  }
  // A plan mark without its own tooltip borrows the profile's mark of the
  // same kind and metres.
  var lent = {};
  function kindOf(el) {
    var href = el.getAttribute('href');
    if (href) return href.slice(3);
    var cls = (el.getAttribute('class') || '').split(' ')[0];
    return cls === 'barra-ral' ? 'ral' : cls;
  }
  // The tooltip of what is at the pointer, or none.
  var pointer = null;
  function tipFor(target) {
    var el = target && target.closest ? target.closest('[data-tip], #pianta [data-m]') : null;
    var text = el ? el.getAttribute('data-tip') || lent[kindOf(el) + ':' + el.getAttribute('data-m')] : null;
    if (text && pointer) showTip(text, pointer.x, pointer.y);
    else tip.hidden = true;
  }
  document.addEventListener('mousemove', function (ev) {
    pointer = { x: ev.clientX, y: ev.clientY };
    tipFor(ev.target);
  });

  // Everything bound to the drawings on the page; `keep` is the profile's
  // range to show ({m0, m1, whole}), null for the whole route. Returns what
  // an update needs to know of the profile, or null without one.
  function setup(keep) {
    var profile = document.getElementById('profilo');
    var plan = document.getElementById('pianta');
    readSources();
    takeTitles(profile);
    takeTitles(plan);
    lent = {};
    if (profile) {
      Array.prototype.slice.call(profile.querySelectorAll('#segni [data-m][data-tip]')).forEach(function (el) {
        lent[kindOf(el) + ':' + el.getAttribute('data-m')] = el.getAttribute('data-tip');
      });
    }

    if (!profile) return null;

    // --- The profile's frame and data.
    var fine = +profile.getAttribute('data-fine');
    var x0 = +profile.getAttribute('data-x0');
    var W = +profile.getAttribute('data-w');
    var data = document.getElementById('dati');
    var axisGroup = document.getElementById('asse');
    var valueGroup = document.getElementById('valori');
    var cursor = document.getElementById('cursore');
    var rangeText = document.getElementById('intervallo');
    var readout = document.getElementById('lettura');
    var nameLine = profile.getAttribute('data-linea');
    var nameTrain = profile.getAttribute('data-treno');
    var vmax = +profile.getAttribute('data-vmax');
    function layout(name) { return +profile.getAttribute('data-' + name); }
    var ELEV_TOP = layout('y-quota'), GRAD_TOP = layout('y-pendenza');
    var VEL_TOP = layout('y-velocita'), VEL_H = layout('h-velocita'), AXIS_TOP = layout('y-asse');

    function series(s) {
      var out = [];
      var parts = (s || '').split(';');
      var end = +parts.pop();
      parts.forEach(function (p) {
        var f = p.split(',');
        out.push({ da: +f[0], v: +f[1], line: +f[2] });
      });
      out.forEach(function (t, i) { t.a = i + 1 < out.length ? out[i + 1].da : end; });
      return out;
    }
    var gradients = series(profile.getAttribute('data-pend'));
    var speeds = series(profile.getAttribute('data-vel'));
    var adhesion = series(profile.getAttribute('data-ader'));
    var kmSpans = (profile.getAttribute('data-km') || '').split(';').filter(Boolean).map(function (p) {
      var f = p.split(',');
      return { da: +f[0], a: +f[1], km: +f[2], dir: +f[3] };
    });
    var elevation = [];  // elevation at each gradient stretch's start
    var z = 0;
    gradients.forEach(function (t) { elevation.push(z); z += t.v * (t.a - t.da) / 1000; });

    var LABEL_PX = { nome: 10, 'testo-car': 8, km: 9 };  // the labels' font sizes
    var marks = Array.prototype.slice.call(document.querySelectorAll('#segni [data-m]')).map(function (el) {
      return {
        el: el,
        m: +el.getAttribute('data-m'),
        a: el.hasAttribute('data-a') ? +el.getAttribute('data-a') : null,
        k: el.hasAttribute('data-k') ? +el.getAttribute('data-k') : null,
        line: el.tagName === 'line',
        // A label's half width, to keep it whole inside the plot.
        half: el.tagName === 'text' ? textWidth(el.textContent, LABEL_PX[el.getAttribute('class').split(' ')[0]] || 10) / 2 : 0,
        hidden: el.classList.contains('h')
      };
    });

    var m0 = 0, m1 = fine;
    var MIN_SPAN = Math.min(fine, 400);
    function scale() { return W / (m1 - m0); }
    function sx(m) { return x0 + (m - m0) * scale(); }

    function niceStep(min) {
      for (var p = 1; ; p *= 10) {
        var f = [1, 2, 5];
        for (var i = 0; i < f.length; i++) if (p * f[i] >= min) return p * f[i];
      }
    }
    function kmText(m, step) {
      var d = step >= 1000 ? 0 : step >= 100 ? 1 : step >= 10 ? 2 : 3;
      return (m / 1000).toFixed(d);
    }
    function textWidth(s, px) { return s.length * 0.62 * px; }
    function svgEl(name, attrs, text) {
      var el = document.createElementNS(NS, name);
      for (var k in attrs) el.setAttribute(k, attrs[k]);
      if (text !== undefined) el.textContent = text;
      return el;
    }
    function kmAt(m) {
      for (var i = 0; i < kmSpans.length; i++) {
        var s = kmSpans[i];
        if (m >= s.da && m < s.a) return s.km + s.dir * (m - s.da);
      }
      return null;
    }
    function find(list, m) {
      var lo = 0, hi = list.length - 1;
      while (lo <= hi) {
        var mid = (lo + hi) >> 1;
        if (m < list[mid].da) hi = mid - 1;
        else if (m >= list[mid].a) lo = mid + 1;
        else return mid;
      }
      return -1;
    }

    function drawAxis(k) {
      axisGroup.textContent = '';
      var step = niceStep(70 / k);
      for (var m = Math.ceil(m0 / step) * step; m <= m1; m += step) {
        var x = sx(m);
        axisGroup.appendChild(svgEl('line', { 'class': 'griglia', x1: x, x2: x, y1: ELEV_TOP, y2: AXIS_TOP + 6 }));
        axisGroup.appendChild(svgEl('text', { 'class': 'tacca', x: x, y: AXIS_TOP + 17 }, kmText(m, step)));
      }
    }
    // Values over the stretches that have room in view, centred on what shows.
    function drawValues(k) {
      valueGroup.textContent = '';
      function label(list, cls, text, y) {
        list.forEach(function (t) {
          if (t.a <= m0 || t.da >= m1) return;
          var a = Math.max(t.da, m0), b = Math.min(t.a, m1);
          var s = text(t);
          if ((b - a) * k < textWidth(s, 9) + 4) return;
          valueGroup.appendChild(svgEl('text', { 'class': cls, x: sx((a + b) / 2), y: y(t) }, s));
        });
      }
      label(gradients, 'vp', function (t) { return String(Math.round(t.v * 10) / 10); },
            function () { return GRAD_TOP + 12; });
      label(speeds, 'vv', function (t) { return String(Math.round(t.v)); },
            function (t) { return VEL_TOP + VEL_H * (1 - t.v / vmax) - 3; });
    }

    // The profile's visible range on the plan map.
    var planLines = plan ? Array.prototype.slice.call(plan.querySelectorAll('path[data-m]')).map(function (p) {
      var metres = p.getAttribute('data-m').split(' ').map(Number);
      var nums = p.getAttribute('d').replace(/[ML]/g, ' ').trim().split(/\s+/).map(Number);
      var pts = [];
      for (var i = 0; i < metres.length; i++) pts.push({ m: metres[i], x: nums[2 * i], y: nums[2 * i + 1] });
      return pts;
    }) : [];
    var planPoints = [].concat.apply([], planLines);
    function pointAt(m) {
      for (var i = 1; i < planPoints.length; i++) {
        var p = planPoints[i - 1], q = planPoints[i];
        if (m <= q.m) {
          var t = q.m > p.m ? (m - p.m) / (q.m - p.m) : 0;
          return { x: p.x + t * (q.x - p.x), y: p.y + t * (q.y - p.y) };
        }
      }
      return planPoints.length ? planPoints[planPoints.length - 1] : null;
    }
    function drawPlanView() {
      var view = document.getElementById('vista');
      if (!view || !planPoints.length) return;
      if (m0 <= 0 && m1 >= fine) { view.setAttribute('d', ''); return; }
      var a = pointAt(m0), d = 'M' + a.x + ' ' + a.y;
      planPoints.forEach(function (p) { if (p.m > m0 && p.m < m1) d += 'L' + p.x + ' ' + p.y; });
      var b = pointAt(m1);
      view.setAttribute('d', d + 'L' + b.x + ' ' + b.y);
    }

    function describeRange() {
      var text = 'Showing ' + (m0 / 1000).toFixed(3) + ' \u2013 ' + (m1 / 1000).toFixed(3) +
        ' km of the route (' + ((m1 - m0) / 1000).toFixed(3) + ' km)';
      var a = kmAt(m0), b = kmAt(Math.max(m0, m1 - 1));
      if (a !== null && b !== null) text += ', line km ' + (a / 1000).toFixed(3) + ' \u2013 ' + (b / 1000).toFixed(3);
      rangeText.textContent = text;
      profile.setAttribute('data-da', Math.round(m0));
      profile.setAttribute('data-a', Math.round(m1));
    }

    var pending = false;
    function draw() {
      pending = false;
      var k = scale();
      data.setAttribute('transform', 'matrix(' + k + ' 0 0 1 ' + (x0 - m0 * k) + ' 0)');
      marks.forEach(function (it) {
        var x = sx(it.m);
        var x2 = it.a === null ? x : sx(it.a);
        var hide = x2 < x0 - 12 || x > x0 + W + 12 || (it.k !== null && k < it.k);
        // Only what shows, or stops showing, is touched.
        if (hide) {
          if (!it.hidden) { it.el.classList.add('h'); it.hidden = true; }
          return;
        }
        if (it.hidden) { it.el.classList.remove('h'); it.hidden = false; }
        if (it.a !== null) {
          it.el.setAttribute('x', x);
          it.el.setAttribute('width', Math.max(2, x2 - x));
        } else if (it.line) {
          it.el.setAttribute('x1', x);
          it.el.setAttribute('x2', x);
        } else {
          it.el.setAttribute('x', it.half ? Math.max(x0 + it.half, Math.min(x, x0 + W - it.half)) : x);
        }
      });
      drawAxis(k);
      drawValues(k);
      drawPlanView();
      describeRange();
    }
    function request() {
      if (!pending) { pending = true; window.requestAnimationFrame(draw); }
    }
    function show(a, b) {
      var span = Math.min(fine, Math.max(MIN_SPAN, b - a));
      a = Math.max(0, Math.min(a, fine - span));
      m0 = a;
      m1 = a + span;
      request();
    }
    function zoom(factor, centre) {
      var span = Math.min(fine, Math.max(MIN_SPAN, (m1 - m0) * factor));
      var t = (centre - m0) / (m1 - m0);
      show(centre - t * span, centre - t * span + span);
    }

    // Pointer position in the drawing's units, and the metre under it.
    function local(ev) {
      var p = profile.createSVGPoint();
      p.x = ev.clientX;
      p.y = ev.clientY;
      return p.matrixTransform(profile.getScreenCTM().inverse());
    }
    function metreAt(ev) { return m0 + (local(ev).x - x0) / scale(); }

    profile.addEventListener('wheel', function (ev) {
      ev.preventDefault();
      var m = Math.max(m0, Math.min(m1, metreAt(ev)));
      zoom(Math.exp(Math.max(-3, Math.min(3, ev.deltaY * 0.002))), m);
    }, { passive: false });
    profile.addEventListener('dblclick', function (ev) { zoom(ev.shiftKey ? 2 : 0.5, metreAt(ev)); });

    var drag = null;
    profile.addEventListener('pointerdown', function (ev) {
      if (ev.button !== 0) return;
      drag = { x: local(ev).x, m0: m0, m1: m1 };
      profile.setPointerCapture(ev.pointerId);
      profile.classList.add('trascina');
    });
    profile.addEventListener('pointermove', function (ev) {
      var p = local(ev);
      if (drag) {
        var dm = (p.x - drag.x) * (drag.m1 - drag.m0) / W;
        show(drag.m0 - dm, drag.m1 - dm);
      }
      var m = m0 + (p.x - x0) / scale();
      if (p.x < x0 || p.x > x0 + W || m < 0 || m > fine) {
        cursor.classList.add('h');
        readout.textContent = 'Point at the profile to read the values at a place.';
        return;
      }
      cursor.classList.remove('h');
      cursor.setAttribute('x1', p.x);
      cursor.setAttribute('x2', p.x);
      var parts = [Math.round(m) + ' m'];
      var km = kmAt(Math.round(m));
      if (km !== null) parts.push('km ' + (km / 1000).toFixed(3));
      var i = find(gradients, m);
      if (i >= 0) {
        var g = gradients[i];
        parts.push('elevation ' + (elevation[i] + g.v * (m - g.da) / 1000).toFixed(1) + ' m');
        parts.push('gradient ' + g.v + ' \u2030' + (g.line ? ' (' + nameLine + ':' + g.line + ')' : ''));
      }
      var j = find(speeds, m);
      if (j >= 0) parts.push('line speed ' + speeds[j].v + ' km/h' + (speeds[j].line ? ' (' + nameTrain + ':' + speeds[j].line + ')' : ''));
      var h = find(adhesion, m);
      if (h >= 0) parts.push('adhesion ' + adhesion[h].v + (adhesion[h].line ? ' (' + nameTrain + ':' + adhesion[h].line + ')' : ''));
      readout.textContent = parts.join(' \u00b7 ');
    });
    function endDrag() { drag = null; profile.classList.remove('trascina'); }
    profile.addEventListener('pointerup', endDrag);
    profile.addEventListener('pointercancel', endDrag);
    profile.addEventListener('pointerleave', function () { cursor.classList.add('h'); });

    function button(id, f) {
      var b = document.getElementById(id);
      if (b) b.addEventListener('click', f);
    }
    button('zoom-piu', function () { zoom(0.5, (m0 + m1) / 2); });
    button('zoom-meno', function () { zoom(2, (m0 + m1) / 2); });
    button('zoom-tutto', function () { show(0, fine); });
    profile.addEventListener('keydown', function (ev) {
      var span = m1 - m0;
      if (ev.key === '+' || ev.key === '=') zoom(0.5, (m0 + m1) / 2);
      else if (ev.key === '-') zoom(2, (m0 + m1) / 2);
      else if (ev.key === '0') show(0, fine);
      else if (ev.key === 'ArrowLeft') show(m0 - span / 4, m1 - span / 4);
      else if (ev.key === 'ArrowRight') show(m0 + span / 4, m1 + span / 4);
      else return;
      ev.preventDefault();
    });

    // A place named elsewhere on the page (a finding, a point of the plan):
    // the profile shows the few kilometres around it.
    function goTo(m) {
      var span = Math.min(m1 - m0, Math.max(4000, MIN_SPAN));
      if (m1 - m0 >= fine) span = Math.min(fine, 20000);
      show(m - span / 2, m + span / 2);
      profile.scrollIntoView({ block: 'nearest' });
    }
    Array.prototype.slice.call(document.querySelectorAll('a[data-m]')).forEach(function (a) {
      a.addEventListener('click', function (ev) {
        ev.preventDefault();
        goTo(+a.getAttribute('data-m'));
      });
    });
    if (plan && planPoints.length) {
      plan.addEventListener('click', function (ev) {
        var p = plan.createSVGPoint();
        p.x = ev.clientX;
        p.y = ev.clientY;
        var q = p.matrixTransform(plan.getScreenCTM().inverse());
        var best = null, bestD = Infinity;
        for (var i = 1; i < planPoints.length; i++) {
          var a = planPoints[i - 1], b = planPoints[i];
          var dx = b.x - a.x, dy = b.y - a.y, l2 = dx * dx + dy * dy;
          var t = l2 > 0 ? Math.max(0, Math.min(1, ((q.x - a.x) * dx + (q.y - a.y) * dy) / l2)) : 0;
          var ex = a.x + t * dx - q.x, ey = a.y + t * dy - q.y, d = ex * ex + ey * ey;
          if (d < bestD) { bestD = d; best = a.m + t * (b.m - a.m); }
        }
        if (best !== null && bestD < 400) goTo(best);
      });
    }

    if (keep && !keep.whole) {
      var span = Math.min(fine, Math.max(MIN_SPAN, keep.m1 - keep.m0));
      m0 = Math.max(0, Math.min(keep.m0, fine - span));
      m1 = m0 + span;
    }
    draw();
    return {
      profile: profile,
      range: function () { return { m0: m0, m1: m1, whole: m0 <= 0 && m1 >= fine }; }
    };
  }

  var current = setup(null);

  // --- Live: the server's updates, taken in place.
  var live = document.body.getAttribute('data-dal-vivo');
  if (live === null || !window.EventSource || location.protocol === 'file:') return;
  var shownVersion = +live;
  var panel = document.createElement('div');
  panel.id = 'dal-vivo';
  var status = document.createElement('p');
  status.className = 'stato-vivo';
  status.setAttribute('role', 'status');
  status.textContent = 'Live: following the documents as they are saved.';
  var problem = document.createElement('p');
  problem.id = 'guasto';
  problem.setAttribute('role', 'alert');
  problem.hidden = true;
  panel.appendChild(status);
  panel.appendChild(problem);
  document.body.insertBefore(panel, document.body.firstChild);

  // A finding as it reads without its places, which move as rows are added.
  function findingKey(li) {
    var copy = li.cloneNode(true);
    Array.prototype.slice.call(copy.querySelectorAll('a[data-m], code')).forEach(function (e) {
      e.parentNode.removeChild(e);
    });
    return li.className.split(' ')[0] + '|' + copy.textContent.replace(/\s+/g, ' ').trim();
  }
  function findings() {
    return Array.prototype.slice.call(document.querySelectorAll('ul.reperti > li'));
  }

  function replacePage(html) {
    var next = new DOMParser().parseFromString(html, 'text/html');
    var keep = current ? current.range() : null;
    var focused = current && document.activeElement === current.profile;
    var before = {};
    findings().forEach(function (li) {
      var k = findingKey(li);
      before[k] = (before[k] || 0) + 1;
    });
    // What is at the top of the window stays there.
    var anchors = ['sezione-profilo', 'sezione-pianta', 'reperti'];
    var anchor = null, anchorTop = 0;
    for (var i = 0; i < anchors.length && !anchor; i++) {
      var el = document.getElementById(anchors[i]);
      if (el && el.getBoundingClientRect().top <= window.innerHeight / 2) {
        anchor = anchors[i];
        anchorTop = el.getBoundingClientRect().top;
      }
    }
    ['header', '#reperti', '#sezione-pianta', '#sezione-profilo', 'footer'].forEach(function (sel) {
      var old = document.querySelector('body > ' + sel);
      var now = next.querySelector('body > ' + sel);
      if (old && now) old.parentNode.replaceChild(document.importNode(now, true), old);
    });
    Array.prototype.slice.call(document.querySelectorAll('pre.sorgente')).forEach(function (pre) {
      pre.parentNode.removeChild(pre);
    });
    Array.prototype.slice.call(next.querySelectorAll('pre.sorgente')).forEach(function (pre) {
      document.body.insertBefore(document.importNode(pre, true), tip);
    });
    current = setup(keep);
    var added = 0;
    findings().forEach(function (li) {
      var k = findingKey(li);
      if (before[k] > 0) { before[k]--; return; }
      li.classList.add('nuovo');
      var mark = document.createElement('span');
      mark.className = 'segno-nuovo';
      mark.textContent = 'new';
      li.insertBefore(mark, li.firstChild);
      added++;
    });
    if (anchor) window.scrollBy(0, document.getElementById(anchor).getBoundingClientRect().top - anchorTop);
    if (focused && current) current.profile.focus({ preventScroll: true });
    // The tooltip stays on what is still under the pointer.
    if (!tip.hidden && pointer) tipFor(document.elementFromPoint(pointer.x, pointer.y));
    return added;
  }

  function time() {
    var d = new Date();
    return [d.getHours(), d.getMinutes(), d.getSeconds()].map(function (n) {
      return (n < 10 ? '0' : '') + n;
    }).join(':');
  }
  var events = new EventSource('/events?v=' + shownVersion);
  events.addEventListener('update', function (ev) {
    var u = JSON.parse(ev.data);
    if (u.pagina !== undefined && u.versione_pagina !== shownVersion) {
      var added = replacePage(u.pagina);
      shownVersion = u.versione_pagina;
      document.body.setAttribute('data-dal-vivo', shownVersion);
      status.textContent = 'Live: built again at ' + time() +
        (added ? '; ' + added + ' new finding' + (added === 1 ? '' : 's') + ' marked new' : '') + '.';
    }
    problem.hidden = !u.problema;
    problem.textContent = u.problema ? 'The documents cannot be read now: ' + u.problema +
      '. The page shows the last build that could be read, and follows again once they can be read.' : '';
    status.classList.remove('perso');
  });
  events.addEventListener('error', function () {
    status.textContent = 'Live: the connection to scenario serve is lost; trying again\u2026';
    status.classList.add('perso');
  });
  events.addEventListener('open', function () {
    if (status.classList.contains('perso')) {
      status.textContent = 'Live: following the documents as they are saved.';
      status.classList.remove('perso');
    }
  });
})();
