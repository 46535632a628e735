#!/usr/bin/env bash
# Installs, where it is missing, everything the programs, the tests and the
# project's other tools (fuzzers, memcheck, benchmarks, coverage) need: the
# Debian 12 packages below with apt-get, and the npm packages of the SARIF
# and report page checks with `npm ci`. When all of it is there this asks no
# server, so it also runs offline; it prints nothing then.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  # The programs: compiler and build, the tool's command line and JSON, the
  # desktop window's toolkit, and the HTTP server library of the live page
  # (scenario serve), which pkg-config finds.
  g++ cmake libcli11-dev nlohmann-json3-dev libfltk1.3-dev libcpp-httplib-dev pkg-config
  # The tests: GoogleTest, the report's reader (xmllint and libxml2), the
  # Debian package's tools, the terminal (script) and privilege (setpriv)
  # tools of the program tests, and the editor that editor tests will drive.
  libgtest-dev libgmock-dev libxml2-utils libxml2-dev dpkg-dev bsdutils util-linux neovim
  # manual_pages: man and groff, which read the manual pages.
  man-db groff-base
  # desktop_window: a virtual display, a window driver, screenshots, text
  # recognition, and a font for the window's label.
  xvfb xdotool imagemagick tesseract-ocr tesseract-ocr-eng fonts-dejavu-core
  # report_browser: the browser that playwright-core drives.
  chromium
  # The Windows programs, cross-built and run under Wine by the tests, and
  # their zip: MinGW-w64, GoogleTest's sources, Wine and its fonts, unzip.
  g++-mingw-w64-x86-64-posix googletest wine64 fonts-wine unzip
  # Fuzzers (clang's libFuzzer), memcheck, benchmarks, coverage.
  clang libclang-rt-14-dev valgrind libbenchmark-dev gcovr
)
# Node.js and npm, for the two npm-driven checks. Looked for as commands:
# Node.js may come from a package that carries npm and conflicts with
# Debian's npm.
command -v node >/dev/null 2>&1 || packages+=(nodejs)
command -v npm >/dev/null 2>&1 || packages+=(npm)

# The folders whose node_modules `npm ci` makes from package-lock.json.
npm_folders=(tests/sarif tests/browser)

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  sudo=(sudo)
fi
log=$(mktemp)
trap 'rm -f "$log"' EXIT
# Runs a command with its output kept in the log, shown only if it fails.
quietly() {
  if ! "$@" >"$log" 2>&1; then
    cat "$log" >&2
    echo "setup: failed: $*" >&2
    exit 1
  fi
}

# Installed: "ii" (or "hi", held) with no error flag.
installed=$( { dpkg-query -W -f='${Package} ${db:Status-Abbrev}\n' "${packages[@]}" 2>/dev/null ||
  true; } | awk '$2 ~ /^[a-z]i$/ { print $1 }')
missing=()
for p in "${packages[@]}"; do
  grep -qxF "$p" <<<"$installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  quietly "${sudo[@]}" apt-get update -q
  quietly "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# A folder needs `npm ci` when its node_modules does not hold exactly the
# packages of its package-lock.json, as npm recorded them in
# node_modules/.package-lock.json when it installed them.
npm_current() {
  node - "$1/package-lock.json" "$1/node_modules/.package-lock.json" <<'JS'
const fs = require('fs');
const read = (f) => {
  try { return JSON.parse(fs.readFileSync(f, 'utf8')).packages || {}; } catch { return null; }
};
const [want, have] = process.argv.slice(2).map(read);
if (!want || !have) process.exit(1);
const same = (a, b) => a && b && a.version === b.version && a.integrity === b.integrity;
const wanted = Object.keys(want).filter((k) => k !== '');
const ok = wanted.every((k) => same(want[k], have[k]) || (want[k].optional && !have[k])) &&
  Object.keys(have).every((k) => k in want);
process.exit(ok ? 0 : 1);
JS
}
stale=()
for dir in "${npm_folders[@]}"; do
  npm_current "$dir" || stale+=("$dir")
done
if [ "${#stale[@]}" -gt 0 ]; then
  echo "setup: npm ci in ${stale[*]}"
  for dir in "${stale[@]}"; do
    quietly npm ci --prefix "$dir" --no-audit --no-fund
  done
fi
