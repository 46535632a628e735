#!/usr/bin/env bash
# The live page of `scenario serve` in a real browser: Debian's Chromium,
# headless, driven by playwright-core (serve_check.mjs), with the documents
# edited while it is open. Skipped (status 77) on a machine without the
# browser, Node.js, the driver or a tool built with serve (no arguments),
# except in CI (CI=true), where a missing piece is a failure:
# scripts/setup.sh installs them.
#
#   serve_check.sh SCENARIO_TOOL SCREENSHOT_FOLDER
set -u
here=$(cd "$(dirname "$0")" && pwd)

missing() {
  if [ "${CI:-}" = "true" ]; then
    echo "serve_browser: $1; CI must run this test" >&2
    exit 1
  fi
  echo "serve_browser: skipped: $1"
  exit 77
}

[ $# -ge 2 ] || missing "the tool was built without serve: cpp-httplib was not found (run scripts/setup.sh and configure again)"
chromium=${SCENARIO_CHROMIUM:-/usr/bin/chromium}
[ -x "$chromium" ] || missing "no browser at $chromium (run scripts/setup.sh)"
command -v node >/dev/null 2>&1 || missing "Node.js is not installed (run scripts/setup.sh)"
[ -f "$here/node_modules/playwright-core/package.json" ] ||
  missing "playwright-core is not installed (run scripts/setup.sh)"

exec node "$here/serve_check.mjs" "$1" "$2" "$chromium"
