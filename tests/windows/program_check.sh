#!/usr/bin/env bash
# The Windows one-shot program, run under Wine as a user would, with no
# display (so on the terminal), from a folder whose name the Windows code
# page cannot hold: it must write the same six files, byte for byte, as the
# Linux program, also when it replaces them on a second run, and end with
# status 2 and one line on stderr when an output name is taken by a folder.
#
# Usage: program_check.sh WINDOWS_PROGRAM LINUX_PROGRAM
set -uo pipefail
source "$(dirname "$0")/wine.sh"
[[ $# -eq 2 ]] || fail "usage: program_check.sh WINDOWS_PROGRAM LINUX_PROGRAM"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
win="$work/Scenari Città Λ"
lin="$work/linux"
mkdir -p "$win" "$lin"
cp "$1" "$win/scenario_build.exe"
cp "$2" "$lin/scenario_build"

six="Vardelia_Corvessa.dat
Vardelia_Corvessa.sim
Vardelia_Corvessa_note.txt
Vardelia_Corvessa_rallentamenti.txt
Vardelia_Corvessa_scheda_treno.txt
Vardelia_linea.dat"

(cd / && env -u DISPLAY "$lin/scenario_build" </dev/null >/dev/null 2>&1) ||
  fail "the Linux program failed"

# Runs the Windows program from another folder; sets `status` and `err`
# (stderr with Windows line ends made plain).
run() {
  (cd / && env -u DISPLAY "$WINE" "$win/scenario_build.exe" </dev/null \
    >"$work/out" 2>"$work/err")
  status=$?
  err=$(tr -d '\r' <"$work/err")
}

for round in first second; do
  run
  [[ $status -eq 0 ]] || fail "$round run: status $status, stderr: $err"
  [[ $err == Attendere ]] || fail "$round run: stderr is '$err', not the label alone"
  [[ ! -s $work/out ]] || fail "$round run wrote to stdout: $(cat "$work/out")"
  names=$(cd "$win" && ls | grep -v '^scenario_build.exe$')
  [[ $names == "$six" ]] || fail "$round run left: $names"
  while read -r name; do
    cmp "$lin/$name" "$win/$name" || fail "$round run: $name differs from the Linux one"
  done <<<"$six"
  echo "$round run: status 0, the six files are the Linux program's, byte for byte"
done

# A folder where an output file should go: the run ends with one line that
# names the file, and the other files stay as they were.
rm "$win/Vardelia_Corvessa.sim"
mkdir "$win/Vardelia_Corvessa.sim"
run
[[ $status -eq 2 ]] || fail "output name taken: status $status, not 2 ($err)"
expected="scenario_build: cannot replace '$(windows_path "$win")\\Vardelia_Corvessa.sim': "
lines=$(grep -c . <<<"$err")
[[ $lines -eq 2 && ${err#Attendere$'\n'} == "$expected"?* ]] ||
  fail "output name taken: stderr is '$err', not the label and '$expected<reason>'"
cmp -s "$lin/Vardelia_linea.dat" "$win/Vardelia_linea.dat" || fail "the line plan file changed"
[[ -z $(cd "$win" && ls | grep -v -x -F "$six"$'\nscenario_build.exe') ]] ||
  fail "files left behind: $(ls "$win")"
echo "output name taken: status 2, '${err#Attendere$'\n'}'"

wine_session_end
echo "Windows program under Wine: all checks passed"
