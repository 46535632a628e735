#!/usr/bin/env bash
# Line and branch coverage of src/ by the whole test run: builds the coverage
# preset (g++ --coverage, unoptimised), clears the counters of earlier runs,
# runs every test, then prints gcovr's tables per file and the totals and
# writes the HTML report to build/coverage/html/index.html.
set -euo pipefail
cd "$(dirname "$0")/.."

# gcovr, and the npm packages without which the SARIF and report page checks
# would skip and the code only they run would count as untested.
bash scripts/setup.sh

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
