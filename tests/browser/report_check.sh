#!/usr/bin/env bash
# The report page in a real browser: Debian's Chromium, headless, driven by
# playwright-core (report_check.mjs). Skipped (status 77) on a machine
# without the browser, Node.js or the driver, except in CI (CI=true), where
# a missing piece is a failure: scripts/setup.sh installs them.
#
#   report_check.sh SCENARIO_TOOL SCREENSHOT_FOLDER
set -u
here=$(cd "$(dirname "$0")" && pwd)

missing() {
  if [ "${CI:-}" = "true" ]; then
    echo "report_browser: $1; CI must run this test" >&2
    exit 1
  fi
  echo "report_browser: skipped: $1"
  exit 77
}

chromium=${SCENARIO_CHROMIUM:-/usr/bin/chromium}
[ -x "$chromium" ] || missing "no browser at $chromium (run scripts/setup.sh)"
command -v node >/dev/null 2>&1 || missing "Node.js is not installed (run scripts/setup.sh)"
[ -f "$here/node_modules/playwright-core/package.json" ] ||
  missing "playwright-core is not installed (run scripts/setup.sh)"

exec node "$here/report_check.mjs" "$1" "$2" "$chromium"
