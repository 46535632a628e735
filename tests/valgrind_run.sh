#!/usr/bin/env bash
# Runs the program on its built-in scenario under valgrind's memcheck, as a
# user would (copied into a private folder, no display): it must end with
# status 0, leave its six files, and show no memory error and no definite or
# indirect leak.
#   tests/valgrind_run.sh build/release/scenario_build
set -euo pipefail
program="$(realpath "${1:?usage: tests/valgrind_run.sh PROGRAM}")"
command -v valgrind >/dev/null || { echo "valgrind_run: valgrind not found (run scripts/setup.sh)" >&2; exit 2; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$program" "$work/scenario_build"

status=0
(cd / && env -u DISPLAY -u WAYLAND_DISPLAY valgrind -q --error-exitcode=1 \
  --leak-check=full --errors-for-leak-kinds=definite,indirect \
  --show-leak-kinds=definite,indirect "$work/scenario_build" </dev/null) || status=$?
if [[ $status -ne 0 ]]; then
  echo "valgrind_run: FAILED, status $status (memcheck errors and leaks give 1)" >&2
  exit 1
fi
files=$(cd "$work" && ls | sort | tr '\n' ' ')
expected="Vardelia_Corvessa.dat Vardelia_Corvessa.sim Vardelia_Corvessa_note.txt Vardelia_Corvessa_rallentamenti.txt Vardelia_Corvessa_scheda_treno.txt Vardelia_linea.dat scenario_build "
if [[ $files != "$expected" ]]; then
  echo "valgrind_run: FAILED, the folder holds: $files" >&2
  exit 1
fi
echo "valgrind_run: no memory error, no leak, six files written"
