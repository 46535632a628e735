// The report page as an author meets it, in headless Chromium: the built-in
// scenario's report, and a copy of its documents with hostile names and an
// error. Checks from the page and from screenshots that both drawings
// rendered with their marks and names, that tooltips name the source rows,
// that zooming and panning change the profile's visible range, that texts
// from the documents stay text, and that the page asks the network for
// nothing. Screenshots go to the folder given.
//
//   node report_check.mjs SCENARIO_TOOL SCREENSHOT_FOLDER CHROMIUM
import { chromium } from 'playwright-core';
import { execFileSync, spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';

const [tool, shots, browserPath] = process.argv.slice(2);
fs.mkdirSync(shots, { recursive: true });
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'report-browser-'));

let failures = 0;
function check(ok, what) {
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}`);
  if (!ok) failures++;
}

function report(dir, args, status) {
  const r = spawnSync(tool, ['report', ...args], { cwd: dir, encoding: 'utf8' });
  if (r.status !== status) {
    throw new Error(`scenario report ${args.join(' ')}: status ${r.status}\n${r.stderr}`);
  }
}

// The built-in documents, and the line of the first row holding `text`.
execFileSync(tool, ['new', 'D'], { cwd: work });
const train = fs.readFileSync(path.join(work, 'D/Vardelia_Corvessa-.txt'), 'latin1');
const line = fs.readFileSync(path.join(work, 'D/Vardelia_linea.txt'), 'latin1');
const lineOf = (doc, text) => doc.split('\r\n').findIndex((l) => l.includes(text)) + 1;
report(work, ['D/Vardelia_linea.txt', 'D/Vardelia_Corvessa-.txt', '-o', 'builtin.html'], 0);

// Hostile names, and a code point doubled at the end: one error.
const hostileStation = 'Pisa <script>window.__pwned=1</script> & "Centrale"';
const hostileSign = '<img src=x onerror="window.__pwned=2">';
fs.mkdirSync(path.join(work, 'H'));
fs.writeFileSync(path.join(work, 'H/Vardelia_linea.txt'),
  line.replace('(Bivio     )(Mortellini)', hostileSign), 'latin1');
fs.writeFileSync(path.join(work, 'H/Vardelia_Corvessa-.txt'),
  train.replace('Pisa Centrale', hostileStation)
    .replace('[fine]', 'abbattimento,  327450,   270\r\n[fine]'), 'latin1');
report(work, ['H/Vardelia_linea.txt', 'H/Vardelia_Corvessa-.txt', '-o', 'hostile.html'], 1);

const browser = await chromium.launch({
  executablePath: browserPath,
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
         '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});
const context = await browser.newContext({ viewport: { width: 1300, height: 1000 } });
let fetched = [];
await context.route('**/*', (route) => {
  const url = route.request().url();
  if (url.startsWith('file:')) return route.continue();
  fetched.push(url);
  return route.abort();
});

async function open(name) {
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(String(e)));
  page.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
  await page.goto('file://' + path.join(work, name));
  await page.waitForLoadState('load');
  await settle(page);
  return { page, errors };
}
// Two frames: the script redraws on the next one.
const settle = (page) => page.evaluate(() => new Promise((r) =>
  requestAnimationFrame(() => requestAnimationFrame(r))));
const range = (page) => page.evaluate(() => {
  const p = document.getElementById('profilo');
  return { da: +p.getAttribute('data-da'), a: +p.getAttribute('data-a'),
           text: document.getElementById('intervallo').textContent };
});
const visible = (page, selector) => page.$$eval(selector, (els) =>
  els.filter((e) => {
    const b = e.getBBox();
    return getComputedStyle(e).display !== 'none' && b.width + b.height > 0;
  }).length);
const ticks = (page) => page.$$eval('#asse text', (els) => els.map((e) => e.textContent).join(' '));
async function hover(page, selector) {
  const box = await (await page.$(selector)).boundingBox();
  await page.mouse.move(box.x + box.width / 2, box.y + box.height / 2);
  await settle(page);
  return page.$eval('#tip', (t) => (t.hidden ? '' : t.textContent));
}

// Pixels near a colour in a screenshot, counted in the page itself.
async function pixels(page, png, rgb) {
  return page.evaluate(async ([data, c]) => {
    const img = new Image();
    img.src = 'data:image/png;base64,' + data;
    await img.decode();
    const canvas = document.createElement('canvas');
    canvas.width = img.width;
    canvas.height = img.height;
    const g = canvas.getContext('2d');
    g.drawImage(img, 0, 0);
    const d = g.getImageData(0, 0, img.width, img.height).data;
    let n = 0;
    for (let i = 0; i < d.length; i += 4) {
      if (Math.abs(d[i] - c[0]) + Math.abs(d[i + 1] - c[1]) + Math.abs(d[i + 2] - c[2]) < 60) n++;
    }
    return n;
  }, [png.toString('base64'), rgb]);
}

// --- The built-in scenario.
{
  const { page, errors } = await open('builtin.html');
  const plan = await (await page.$('#pianta')).boundingBox();
  const profile = await (await page.$('#profilo')).boundingBox();
  check(plan && plan.width > 300 && plan.height > 300, `plan drawn (${plan && plan.width}x${plan && plan.height})`);
  check(profile && profile.width > 1000, `profile drawn (${profile && profile.width} wide)`);
  const names = await page.$$eval('#pianta text.nome', (els) => els.map((e) => e.textContent));
  check(names.length >= 25 && names.includes('Roma Termini') && names.includes('Pisa Centrale'),
        `${names.length} of the 45 stations named on the plan, both ends among them`);
  check(await visible(page, '#segni use[href="#p-sig"]') === 179, '179 signals marked on the profile');
  check(await visible(page, '#pianta > circle.sig') === 179, '179 signals marked on the plan');
  check(await visible(page, '#pianta > path.monte') === 15, '15 mountains on the plan');
  check(await visible(page, '#segni use[href="#p-ab"]') === 79, '79 code points on the profile');
  const shownNames = await visible(page, '#segni text.nome');
  check(shownNames >= 5, `${shownNames} station names on the profile at the whole route`);

  const pagePng = await page.screenshot({ path: path.join(shots, 'builtin_page.png'), fullPage: true });
  const profilePng = await (await page.$('#profilo')).screenshot({ path: path.join(shots, 'builtin_profile.png') });
  const planPng = await (await page.$('#pianta')).screenshot({ path: path.join(shots, 'builtin_plan.png') });
  check(await pixels(page, profilePng, [198, 40, 40]) > 300, 'signals red in the profile screenshot');
  check(await pixels(page, profilePng, [51, 105, 30]) > 300, 'elevation line in the profile screenshot');
  check(await pixels(page, profilePng, [21, 101, 192]) > 300, 'speed step line in the profile screenshot');
  check(await pixels(page, planPng, [34, 34, 34]) > 500, 'the line in the plan screenshot');
  check(await pixels(page, pagePng, [255, 255, 255]) < pagePng.length * 10, 'page screenshot taken');

  // The plan's station lends the profile's tooltip, with the source row.
  const station = await hover(page, '#pianta circle.staz[data-m="-500"]');
  check(station.includes('Station Roma Termini') &&
        station.includes(`Vardelia_Corvessa-.txt:${lineOf(train, 'Roma Termini')}  stazione, 0, 8, 500,`),
        `plan station tooltip names its row: ${JSON.stringify(station)}`);

  // Zoom in over the profile's middle: a narrower range, finer ticks.
  await page.$eval('#profilo', (p) => p.scrollIntoView({ block: 'center' }));
  const profileBox = await (await page.$('#profilo')).boundingBox();
  const before = await range(page);
  const ticksBefore = await ticks(page);
  await page.mouse.move(profileBox.x + profileBox.width * 0.5, profileBox.y + profileBox.height * 0.5);
  for (let i = 0; i < 4; i++) await page.mouse.wheel(0, -400);
  await settle(page);
  const zoomed = await range(page);
  check(zoomed.a - zoomed.da < (before.a - before.da) / 4,
        `wheel zooms in: ${before.text} -> ${zoomed.text}`);
  check(zoomed.da > before.da && zoomed.a < before.a, 'around the pointer');
  check(await ticks(page) !== ticksBefore, 'the axis follows');
  check(await page.$eval('#vista', (p) => p.getAttribute('d').length > 0), 'the plan shades the visible range');
  await (await page.$('#profilo')).screenshot({ path: path.join(shots, 'builtin_profile_zoomed.png') });

  // Drag to pan.
  await page.mouse.move(profileBox.x + profileBox.width * 0.6, profileBox.y + profileBox.height * 0.7);
  await page.mouse.down();
  await page.mouse.move(profileBox.x + profileBox.width * 0.3, profileBox.y + profileBox.height * 0.7, { steps: 5 });
  await page.mouse.up();
  await settle(page);
  const panned = await range(page);
  check(panned.da > zoomed.da && Math.abs((panned.a - panned.da) - (zoomed.a - zoomed.da)) < 1,
        `drag pans: ${panned.text}`);

  // Click the start of the line on the plan: the profile shows the place;
  // the first signal's tooltip names its row.
  await page.click('#zoom-tutto');
  await settle(page);
  check((await range(page)).a - (await range(page)).da === before.a - before.da, 'Whole route restores the range');
  const start = await (await page.$('#pianta circle.staz[data-m="-500"]')).boundingBox();
  await page.mouse.click(start.x + start.width / 2, start.y + start.height / 2);
  await settle(page);
  const near = await range(page);
  check(near.da === 0 && near.a <= 20000, `a click on the plan shows the place: ${near.text}`);
  const signal = await hover(page, '#segni use[href="#p-sig"][data-m="1100"]');
  check(signal.startsWith('Signal \u2014 1100 m') &&
        signal.includes(`Vardelia_Corvessa-.txt:${lineOf(train, 'segnale,    1050')}  segnale, 1050, 2, 4, 1, 1, 0, 2, 2,1,1, 255`),
        `signal tooltip names its row: ${JSON.stringify(signal)}`);
  await page.screenshot({ path: path.join(shots, 'builtin_tooltip.png') });
  check(errors.length === 0, `no script error ${errors.join('; ')}`);
  await page.close();
}

// --- Hostile names and an error.
{
  const { page, errors } = await open('hostile.html');
  check(await page.evaluate(() => window.__pwned === undefined), 'no document text ran as script');
  check(await page.$$eval('img', (e) => e.length) === 0, 'no document text became an element');
  check(await page.evaluate(() => document.scripts.length) === 1, 'the page\'s own script only');
  const station = await hover(page, '#pianta circle.staz[data-m="332450"]');
  check(station.includes(hostileStation), `hostile station name shown as written: ${JSON.stringify(station)}`);
  const signs = await page.$$eval('#segni text.testo-car', (els) => els.map((e) => e.textContent));
  check(signs.includes(hostileSign), 'hostile sign text shown as written');
  const findings = await page.$$eval('ul.reperti li.errore', (els) => els.map((e) => e.textContent));
  check(findings.length === 1 && findings[0].includes('code point on a cell already taken') &&
        findings[0].includes(`Vardelia_Corvessa-.txt:${lineOf(train, '[fine]')}:16`),
        `the error listed at its place: ${JSON.stringify(findings)}`);
  check(await visible(page, '#segni use[href="#p-rep"]') === 1, 'the finding marked on the profile');
  check(await visible(page, '#pianta > circle.rep') === 1, 'the finding marked on the plan');
  await page.click('ul.reperti li.errore a');
  await settle(page);
  const r = await range(page);
  check(r.da <= 327450 && r.a >= 327450 && r.a - r.da < 30000, `the finding's link shows its place: ${r.text}`);
  await page.screenshot({ path: path.join(shots, 'hostile_page.png'), fullPage: true });
  check(errors.length === 0, `no script error ${errors.join('; ')}`);
  await page.close();
}

check(fetched.length === 0, `nothing fetched from the network ${fetched.join(' ')}`);
await browser.close();
fs.rmSync(work, { recursive: true, force: true });
console.log(failures === 0 ? 'report_browser: all checks passed' : `report_browser: ${failures} checks failed`);
process.exit(failures === 0 ? 0 : 1);
