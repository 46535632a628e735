#!/usr/bin/env bash
# The tool's SARIF output, for documents with an error, a note and
# warnings, checked against the SARIF 2.1.0 schema; its JSON output says the
# same. Needs Node.js and `npm ci` in this folder (scripts/setup.sh does both); skips
# (77) without them, except in CI.
#   sarif_check.sh SCENARIO_TOOL
set -uo pipefail
tool=$1
here="$(cd "$(dirname "$0")" && pwd)"
skip() {
  if [[ -n ${CI:-} ]]; then echo "sarif_check: $1 (required in CI)"; exit 1; fi
  echo "sarif_check: skipped: $1"; exit 77
}
command -v node >/dev/null || skip "node not found (run scripts/setup.sh)"
[[ -d $here/node_modules/ajv ]] || skip "ajv not installed in tests/sarif (run scripts/setup.sh)"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
# A tab and a decimal comma (warnings); a signal on a taken cell (an error
# with a note, and where the reading stopped).
printf '[generale]\r\nlunghezza percorso, 10000\r\n[curve]\r\npendenza,\t1250, -4,5\r\n[fine]\r\n' >L_linea.txt
printf '[generale]\r\nsegnale, 1050, 2, 4, 1, 1, 0, 2, 2, 1, 1, 0\r\nsegnale, 1060, 2, 4, 1, 1, 0, 2, 2, 1, 1, 0\r\nvelocita, 0, 100\r\n[fine]\r\n' >"L_T à-.txt"
"$tool" check --format=sarif L_linea.txt "L_T à-.txt" --train T >out.sarif 2>err.txt
status=$?
[[ $status -eq 1 ]] || { echo "sarif_check: check gave status $status, not 1"; cat err.txt; exit 1; }
"$tool" check --format=json L_linea.txt "L_T à-.txt" --train T >out.json 2>/dev/null
node "$here/validate.js" out.sarif || exit 1
node - out.sarif out.json <<'JS' || exit 1
const fs = require('fs');
const sarif = JSON.parse(fs.readFileSync(process.argv[2], 'utf8'));
const own = JSON.parse(fs.readFileSync(process.argv[3], 'utf8'));
const results = sarif.runs[0].results;
const fail = (m) => { console.log('sarif_check: ' + m); process.exit(1); };
if (results.length !== own.diagnostics.length) fail('SARIF and JSON differ in count');
const levels = results.map((r) => r.level).sort().join(',');
if (levels !== 'error,note,warning,warning') fail('levels: ' + levels);
results.forEach((r, i) => {
  const d = own.diagnostics[i];
  if (r.message.text !== d.message) fail('message differs: ' + r.message.text);
  if (r.ruleId !== d.name) fail('rule differs: ' + r.ruleId);
  const loc = r.locations[0].physicalLocation;
  if (loc.region.startLine !== d.location.line || loc.region.startColumn !== d.location.column)
    fail('place differs for ' + r.ruleId);
  if ((r.relatedLocations || []).length !== d.notes.length) fail('notes differ for ' + r.ruleId);
});
const error = results.find((r) => r.level === 'error');
const uri = error.locations[0].physicalLocation.artifactLocation.uri;
if (uri !== 'L_T%20%C3%A0-.txt') fail('uri: ' + uri);
if (error.relatedLocations[0].physicalLocation.region.startLine !== 2) fail('note not at line 2');
console.log('sarif_check: SARIF and JSON agree on ' + results.length + ' findings');
JS
# The same documents named by absolute paths: file URIs that name them.
"$tool" check --format=sarif "$work/L_linea.txt" "$work/L_T à-.txt" --train T >abs.sarif 2>/dev/null
node "$here/validate.js" abs.sarif || exit 1
node - abs.sarif "$work" <<'JS' || exit 1
const fs = require('fs');
const path = require('path');
const url = require('url');
const results = JSON.parse(fs.readFileSync(process.argv[2], 'utf8')).runs[0].results;
const fail = (m) => { console.log('sarif_check: ' + m); process.exit(1); };
const uris = results.map((r) => r.locations[0].physicalLocation.artifactLocation.uri);
const wanted = ['L_linea.txt', 'L_T à-.txt'].map((f) => url.pathToFileURL(path.join(process.argv[3], f)).href);
for (const u of uris) if (!wanted.includes(u)) fail('absolute path as uri: ' + u);
if (!uris.includes(wanted[1])) fail('no finding in the train source: ' + uris.join(' '));
console.log('sarif_check: absolute paths are file URIs');
JS
