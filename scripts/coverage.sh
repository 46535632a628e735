#!/usr/bin/env bash
# Line and branch coverage of src/ by the whole test run: builds the coverage
# preset (g++ --coverage, unoptimised), clears the counters of earlier runs,
# runs every test, then prints gcovr's tables per file and the totals and
# writes the HTML report to build/coverage/html/index.html.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
if ! dpkg -s gcovr 2>/dev/null | grep -q '^Status: install ok installed'; then
  echo "coverage: installing gcovr"
  sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
  fi
  "${sudo[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends gcovr
fi

# The SARIF and report page checks skip without their npm packages, and the
# code only they run would then count as untested.
if command -v npm >/dev/null 2>&1; then
  for dir in tests/sarif tests/browser; do
    if [ ! -d "$dir/node_modules" ]; then
      echo "coverage: npm ci in $dir"
      npm ci --prefix "$dir" --no-audit --no-fund
    fi
  done
fi

build=build/coverage
cmake --preset coverage
cmake --build --preset coverage
# Counters add up across runs, and the build itself runs the test program to
# list its tests: start the test run from zero.
find "$build" -name '*.gcda' -delete
rm -rf "$build/html" "$build/coverage.json"
tests_status=0
ctest --preset coverage || tests_status=$?

# gcov runs once, into a tracefile; the tables and the page are read from it.
# The unit tests and their fixtures sit in src/ but are not counted. Of the
# branches, those g++ adds for exception unwinding and on lines it proves
# unreachable are not the source's own decisions and are left out.
gcovr --root . --filter 'src/' --exclude '.*_test\.cpp$' --exclude '.*_fixture\.h$' \
  --exclude-unreachable-branches --exclude-throw-branches \
  -j 2 --json "$build/coverage.json" "$build"
from=(--root . --add-tracefile "$build/coverage.json")
echo
echo "== lines per file"
gcovr "${from[@]}"
echo
echo "== branches per file"
gcovr "${from[@]}" --branches
mkdir -p "$build/html"
gcovr "${from[@]}" --html-details "$build/html/index.html" --html-title "src/ coverage" \
  --print-summary
echo "HTML report: $build/html/index.html"
if [ "$tests_status" -ne 0 ]; then
  echo "coverage: some tests failed (ctest status $tests_status); the figures are of that run"
fi
exit "$tests_status"
