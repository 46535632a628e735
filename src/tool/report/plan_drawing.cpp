#include "tool/report/plan_drawing.h"

#include <algorithm>
#include <cmath>

#include "tool/report/drawing_text.h"
#include "tool/report/markup.h"
#include "tool/report/thinning.h"

using namespace pianta;

proiezione proietta(const tracciato_t& t, int32_t ultimo) {
  double x_min = 0, x_max = 0, y_min = 0, y_max = 0;
  for (int32_t m = 0; m <= ultimo; ++m) {
    const punto_piano p = punto_piano_a(t, m);
    if (m == 0 || p.x < x_min) x_min = p.x;
    if (m == 0 || p.x > x_max) x_max = p.x;
    if (m == 0 || p.y < y_min) y_min = p.y;
    if (m == 0 || p.y > y_max) y_max = p.y;
  }
  const double dx = x_max - x_min, dy = y_max - y_min;
  const double w = larghezza_massima - 2 * margine, h = altezza_massima - 2 * margine;
  proiezione p;
  p.scala = std::min(dx > 0 ? w / dx : 1e9, dy > 0 ? h / dy : 1e9);
  if (p.scala == 1e9) p.scala = 1;  // a single point
  p.x_min = x_min;
  p.y_max = y_max;
  p.larghezza = std::max(larghezza_minima, dx * p.scala + 2 * margine);
  p.altezza = dy * p.scala + 2 * margine;
  p.ox = (p.larghezza - dx * p.scala) / 2;
  p.oy = margine;
  return p;
}

std::vector<int32_t> metri_tenuti(const tracciato_t& t, int32_t ultimo,
                                  const proiezione& p) {
  return dirada(0, ultimo, tolleranza,
                [&](int32_t m) { return p.su_disegno(punto_piano_a(t, m)); });
}

namespace {

struct contesto {
  const tracciato_t& t;
  int32_t ultimo;
  const proiezione& p;
  const std::vector<int32_t>& tenuti;

  punto_piano a(int64_t m) const {
    return p.su_disegno(
        punto_piano_a(t, static_cast<int32_t>(std::clamp<int64_t>(m, 0, ultimo))));
  }
  static std::string xy(const punto_piano& q) { return numero(q.x) + " " + numero(q.y); }

  // The drawn line from metre da to metre a: its ends exactly, the points
  // kept between them.
  std::string cammino(int64_t da, int64_t a) const {
    da = std::clamp<int64_t>(da, 0, ultimo);
    a = std::clamp<int64_t>(a, da, ultimo);
    std::string d = "M";
    d += xy(this->a(da));
    auto i = std::upper_bound(tenuti.begin(), tenuti.end(), da);
    for (; i != tenuti.end() && *i < a; ++i) {
      d += 'L';
      d += xy(this->a(*i));
    }
    d += 'L';
    d += xy(this->a(a));
    return d;
  }
  // The drawn line's direction at metre m, as a unit vector.
  punto_piano direzione(int64_t m) const {
    const punto_piano u = a(m - 1), w = a(m + 1);
    const double l = std::hypot(w.x - u.x, w.y - u.y);
    return l > 0 ? punto_piano{(w.x - u.x) / l, (w.y - u.y) / l} : punto_piano{0, -1};
  }
};

void titolo(std::string& out, const std::string& testo) {
  out += "<title>";
  testo_xml(out, testo);
  out += "</title>";
}

struct riquadro {
  double x0, y0, x1, y1;
  bool tocca(const riquadro& r) const {
    return x0 < r.x1 && r.x0 < x1 && y0 < r.y1 && r.y0 < y1;
  }
};

const char* stile =
    "#pianta{font-family:'DejaVu Sans',Verdana,sans-serif;font-size:11px}"
    "#pianta .fondo{fill:#f7f7f4}"
    "#pianta path{fill:none;stroke-linecap:round;stroke-linejoin:round}"
    "#pianta .linea{stroke:#222;stroke-width:1.6}"
    "#pianta .oltre{stroke:#888;stroke-width:1.2;stroke-dasharray:4 3}"
    "#pianta .monte{stroke:#8d6e63;stroke-width:7;opacity:.55}"
    "#pianta .ral{stroke:#ef6c00;stroke-width:5}"
    "#pianta .vista{stroke:#1e88e5;stroke-width:9;opacity:.35}"
    "#pianta .tacca{stroke:#555;stroke-width:1}"
    "#pianta .km{font-size:9px;fill:#555;text-anchor:middle}"
    "#pianta .sig{fill:#c62828}"
    "#pianta .staz{fill:#fff;stroke:#111;stroke-width:1.5}"
    "#pianta "
    ".nome{font-size:11px;fill:#111;paint-order:stroke;stroke:#f7f7f4;stroke-width:3px}"
    "#pianta .capo{fill:#111}"
    "#pianta .rep{fill:none;stroke:#c62828;stroke-width:2.2}"
    "#pianta .avviso-rep{stroke:#f9a825}#pianta .nota-rep{stroke:#0277bd}"
    "#pianta .leg{font-size:10px;fill:#333}";

}  // namespace

disegno_pianta disegna_pianta(const vista_percorso& v, const tracciato_t& t,
                              const opzioni_disegno& o) {
  disegno_pianta d;
  const int32_t ultimo = ultimo_punto_piano(t);
  if (ultimo < 1) return d;
  const proiezione p = proietta(t, ultimo);
  const std::vector<int32_t> tenuti = metri_tenuti(t, ultimo, p);
  d.punti = ultimo + 1;
  d.punti_disegnati = static_cast<int32_t>(tenuti.size());
  const contesto c{t, ultimo, p, tenuti};
  const double altezza = p.altezza + legenda;

  std::string& out = d.svg;
  out.reserve(1 << 15);
  out += "<svg xmlns=\"http://www.w3.org/2000/svg\" id=\"pianta\" viewBox=\"0 0 " +
         numero(p.larghezza) + " " + numero(altezza) + "\" width=\"" +
         numero(p.larghezza) + "\" height=\"" + numero(altezza) + "\">";
  titolo(out, o.titolo);
  out += "<style>";
  out += stile;
  out += "</style><rect class=\"fondo\" x=\"0\" y=\"0\" width=\"" + numero(p.larghezza) +
         "\" height=\"" + numero(altezza) + "\"/>";
  out += "<text x=\"8\" y=\"16\" font-weight=\"bold\">";
  testo_xml(out, o.titolo);
  out += "</text>";

  // A mark's tooltip; on the report page, the profile's mark of the same
  // kind and metres lends it its own.
  const auto chiudi = [&](const segno& s, const char* tag) {
    if (o.per_pagina) {
      out += " data-m=\"" + std::to_string(s.da) + "\"/>";
      return;
    }
    out += ">";
    titolo(out, suggerimento(v, s.suggerimento, s.fonte, s.aggiunto, false));
    out += "</";
    out += tag;
    out += ">";
  };

  // Mountains and slowdowns under the line.
  for (const tratto_costante& m : v.montagne) {
    out += "<path class=\"monte\" d=\"" + c.cammino(m.da, m.a) + "\">";
    titolo(out, suggerimento(v, m.suggerimento, m.fonte, false, o.per_pagina));
    out += "</path>";
  }
  for (const segno& s : v.segni) {
    if (s.tipo != tipo_segno::rallentamento) continue;
    out += "<path class=\"ral\" d=\"" + c.cammino(s.da, s.a) + "\"";
    chiudi(s, "path");
  }
  out += "<path id=\"vista\" class=\"vista\" d=\"\"/>";

  // The line up to the end of the route, then the run-off beyond it; each
  // path lists the metres of its points for the page's script.
  const int64_t fine_percorso = std::clamp<int64_t>(v.lunghezza, 0, ultimo);
  const auto linea = [&](int64_t da, int64_t a, const char* classe) {
    if (a <= da) return;
    std::string metri = std::to_string(da);
    for (auto i = std::upper_bound(tenuti.begin(), tenuti.end(), da);
         i != tenuti.end() && *i < a; ++i) {
      metri += ' ';
      metri += std::to_string(*i);
    }
    metri += ' ';
    metri += std::to_string(a);
    out += "<path class=\"";
    out += classe;
    out += "\" d=\"";
    out += c.cammino(da, a);
    out += "\" data-m=\"";
    out += metri;
    out += "\"/>";
  };
  linea(0, fine_percorso, "linea");
  linea(fine_percorso, ultimo, "oltre");

  // Kilometre ticks along the line, labelled every fifth or so.
  const int64_t etichette = passo_tondo(90 / p.scala);
  const int64_t mantissa = etichette;
  int64_t m10 = mantissa;
  while (m10 % 10 == 0) m10 /= 10;
  const int64_t tacche = std::max<int64_t>(1, etichette / (m10 == 2 ? 4 : 5));
  for (int64_t m = tacche; m < ultimo; m += tacche) {
    const punto_piano q = c.a(m), u = c.direzione(m);
    const punto_piano n{-u.y, u.x};
    out += "<path class=\"tacca\" d=\"M" + numero(q.x - 4 * n.x) + " " +
           numero(q.y - 4 * n.y) + "L" + numero(q.x + 4 * n.x) + " " +
           numero(q.y + 4 * n.y) + "\"/>";
    if (m % etichette == 0) {
      out += "<text class=\"km\" x=\"" + numero(q.x + 12 * n.x) + "\" y=\"" +
             numero(q.y + 12 * n.y + 3) + "\">" + testo_km(m, etichette) + " km</text>";
    }
  }

  // Signals, the ends of the route, stations, findings.
  std::vector<riquadro> occupati;
  std::vector<const segno*> stazioni;
  for (const segno& s : v.segni) {
    const punto_piano q = c.a(s.da);
    switch (s.tipo) {
      case tipo_segno::segnale:
        out += "<circle class=\"sig\" cx=\"" + numero(q.x) + "\" cy=\"" + numero(q.y) +
               "\" r=\"1.8\"";
        chiudi(s, "circle");
        break;
      case tipo_segno::stazione:
        stazioni.push_back(&s);
        break;
      case tipo_segno::reperto: {
        const char* classe = s.livello == severity::error   ? "rep"
                             : s.livello == severity::warning ? "rep avviso-rep"
                                                            : "rep nota-rep";
        out += "<circle class=\"" + std::string(classe) + "\" cx=\"" + numero(q.x) +
               "\" cy=\"" + numero(q.y) + "\" r=\"7\">";
        titolo(out, suggerimento(v, s.suggerimento, s.fonte, false, o.per_pagina));
        out += "</circle>";
        break;
      }
      default:
        break;
    }
  }
  for (int64_t m : {int64_t{0}, fine_percorso}) {
    const punto_piano q = c.a(m);
    out += "<rect class=\"capo\" x=\"" + numero(q.x - 3) + "\" y=\"" + numero(q.y - 3) +
           "\" width=\"6\" height=\"6\">";
    titolo(out, m == 0 ? "Start of the route"
                       : "End of the route, " + std::to_string(m) + " m");
    out += "</rect>";
  }
  std::stable_sort(stazioni.begin(), stazioni.end(), [](const segno* a, const segno* b) {
    return a->priorita > b->priorita;
  });
  for (const segno* s : stazioni) {
    const punto_piano q = c.a(s->valore);
    occupati.push_back({q.x - 4, q.y - 4, q.x + 4, q.y + 4});
  }
  std::string nomi;
  for (const segno* s : stazioni) {
    const punto_piano q = c.a(s->valore);
    out += "<circle class=\"staz\" cx=\"" + numero(q.x) + "\" cy=\"" + numero(q.y) +
           "\" r=\"3.5\"";
    chiudi(*s, "circle");
    // The first place beside the station where the name clears the names
    // and stations already placed; none, and the name stays in the tooltip.
    const double w = larghezza_testo(s->etichetta, 11), h = 11;
    struct posto {
      double dx, dy;
      const char* ancora;
      double sx;  // where the box starts, from x
    } posti[] = {{7, 4, "start", 0},        {-7, 4, "end", -w},
                 {0, -8, "middle", -w / 2}, {0, 15, "middle", -w / 2},
                 {6, -6, "start", 0},       {-6, -6, "end", -w},
                 {6, 13, "start", 0},       {-6, 13, "end", -w}};
    for (const posto& k : posti) {
      const double x = q.x + k.dx, y = q.y + k.dy;
      const riquadro r{x + k.sx, y - h + 2, x + k.sx + w, y + 2};
      if (r.x0 < 2 || r.x1 > p.larghezza - 2 || r.y0 < 20 || r.y1 > p.altezza) continue;
      if (std::any_of(occupati.begin(), occupati.end(),
                      [&](const riquadro& o) { return o.tocca(r); })) {
        continue;
      }
      occupati.push_back(r);
      nomi += "<text class=\"nome\" x=\"" + numero(x) + "\" y=\"" + numero(y) +
              "\" text-anchor=\"" + k.ancora + "\">";
      testo_xml(nomi, s->etichetta);
      nomi += "</text>";
      break;
    }
  }
  out += nomi;

  // A scale bar of a round length near 100 units, and the legend.
  const int64_t barra = passo_tondo(100 / p.scala);
  const double lb = static_cast<double>(barra) * p.scala, yb = p.altezza - 12;
  out += "<path class=\"tacca\" d=\"M12 " + numero(yb - 4) + "V" + numero(yb) + "H" +
         numero(12 + lb) + "V" + numero(yb - 4) + "\"/><text class=\"leg\" x=\"" +
         numero(16 + lb) + "\" y=\"" + numero(yb) + "\">" +
         (barra >= 1000 ? testo_km(barra, barra) + " km" : std::to_string(barra) + " m") +
         " (same scale on both axes)</text>";
  const double yl = p.altezza + 12;
  out += "<g class=\"legenda\"><circle class=\"staz\" cx=\"16\" cy=\"" + numero(yl) +
         "\" r=\"3.5\"/><text class=\"leg\" x=\"24\" y=\"" + numero(yl + 4) +
         "\">station</text><circle class=\"sig\" cx=\"86\" cy=\"" + numero(yl) +
         "\" r=\"2\"/><text class=\"leg\" x=\"93\" y=\"" + numero(yl + 4) +
         "\">signal</text><path class=\"ral\" d=\"M146 " + numero(yl) +
         "H166\"/><text class=\"leg\" x=\"172\" y=\"" + numero(yl + 4) +
         "\">slowdown</text><path class=\"monte\" d=\"M236 " + numero(yl) +
         "H256\"/><text class=\"leg\" x=\"262\" y=\"" + numero(yl + 4) +
         "\">mountain (tunnel)</text><circle class=\"rep\" cx=\"378\" cy=\"" +
         numero(yl) + "\" r=\"5\"/><text class=\"leg\" x=\"388\" y=\"" + numero(yl + 4) +
         "\">finding</text><path class=\"oltre\" d=\"M440 " + numero(yl) +
         "H460\"/><text class=\"leg\" x=\"466\" y=\"" + numero(yl + 4) +
         "\">past the end</text></g>";
  out += "</svg>";
  return d;
}
