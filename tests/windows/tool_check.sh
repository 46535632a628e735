#!/usr/bin/env bash
# The Windows author's tool, run under Wine as a user would, against the
# Linux one: the same documents from `new`, the same binary files from
# `build` (paths and identifiers beyond ASCII, typed with '\'), the same
# diagnostics naming the files as typed, colour only when asked for (stderr
# is no console here), and usage errors in one line.
#
# Usage: tool_check.sh WINDOWS_TOOL LINUX_TOOL
set -uo pipefail
source "$(dirname "$0")/wine.sh"
[[ $# -eq 2 ]] || fail "usage: tool_check.sh WINDOWS_TOOL LINUX_TOOL"
wtool=$1
ltool=$2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/win" "$work/linux"

# Runs the tool on one side in its folder: `status`, `out` and `err`, the
# Windows ones with their line ends made plain.
run() {
  local side=$1
  shift
  if [[ $side == win ]]; then
    (cd "$work/win" && "$WINE" "$wtool" "$@" </dev/null >"$work/out" 2>"$work/err")
  else
    (cd "$work/linux" && env -u NO_COLOR "$ltool" "$@" </dev/null >"$work/out" 2>"$work/err")
  fi
  status=$?
  out=$(tr -d '\r' <"$work/out")
  err=$(tr -d '\r' <"$work/err")
}
# The same files, byte for byte, in both folders.
same_files() {
  local name
  for name in "$@"; do
    [[ -f "$work/win/$name" ]] || fail "the Windows tool wrote no '$name'"
    cmp "$work/linux/$name" "$work/win/$name" || fail "'$name' differs from the Linux one"
  done
}

# new: the five documents, named with the system's separator.
run linux new "Λ mia" && [[ $status -eq 0 ]] || fail "Linux new: $err"
linux_out=$out
run win new "Λ mia"
[[ $status -eq 0 && -z $err ]] || fail "new: status $status, stderr '$err'"
[[ $out == "${linux_out//\//\\}" ]] || fail "new printed '$out'"
docs=(Vardelia_linea.txt Vardelia_Corvessa-.txt Vardelia_Corvessa_note.txt
  Vardelia_Corvessa_rallentamenti.txt Vardelia_Corvessa_scheda_treno.txt)
same_files "${docs[@]/#/Λ mia/}"
echo "new: the five documents are the Linux tool's"

# build: identifiers from the names, beyond ASCII, stored in Windows-1252.
for side in win linux; do
  cp "$work/$side/Λ mia/Vardelia_linea.txt" "$work/$side/Λ mia/Città_linea.txt"
  cp "$work/$side/Λ mia/Vardelia_Corvessa-.txt" "$work/$side/Λ mia/Città_Più-.txt"
done
run linux build "Λ mia/Città_linea.txt" "Λ mia/Città_Più-.txt" -o "out/dïr/"
[[ $status -eq 0 ]] || fail "Linux build: $err"
linux_err=$err
run win build 'Λ mia\Città_linea.txt' 'Λ mia\Città_Più-.txt' -o 'out\dïr\'
[[ $status -eq 0 && -z $out ]] || fail "build: status $status, '$out' '$err'"
[[ $err == "${linux_err//Λ mia\//Λ mia\\}" ]] ||
  fail "build: stderr differs from the Linux one:"$'\n'"$err"
[[ $(ls "$work/win/out/dïr") == $'Città_Più.dat\nCittà_Più.sim\nCittà_linea.dat' ]] ||
  fail "build wrote: $(ls "$work/win/out/dïr")"
same_files out/dïr/Città_Più.dat out/dïr/Città_Più.sim out/dïr/Città_linea.dat
grep -q -a $'Citt\xe0' "$work/win/out/dïr/Città_Più.sim" ||
  fail "the scenario file does not hold the line in Windows-1252"
echo "build: the three binary files are the Linux tool's, named as typed"

# A document with an error: the same diagnostics, naming the files as typed.
for side in win linux; do
  sed -i '126s/42550/40420/' "$work/$side/Λ mia/Città_Più-.txt"
done
run linux check "Λ mia/Città_linea.txt" "Λ mia/Città_Più-.txt"
linux_status=$status linux_err=$err
run win check 'Λ mia\Città_linea.txt' 'Λ mia\Città_Più-.txt'
[[ $status -eq 1 && $linux_status -eq 1 ]] || fail "check: status $status, not 1"
[[ $err == "${linux_err//Λ mia\//Λ mia\\}" ]] ||
  fail "check: the diagnostics differ from the Linux ones:"$'\n'"$err"
[[ $err == *$'\n'"Λ mia\\Città_Più-.txt:126:12: error: "* || $err == "Λ mia\\Città_Più-.txt:126:12: error: "* ]] ||
  fail "check: the finding does not name the file as typed: $err"
[[ $err != *$'\e['* ]] || fail "check: colour on stderr that is no console"
run win --color=always check 'Λ mia\Città_linea.txt' 'Λ mia\Città_Più-.txt'
[[ $err == *$'\e[1m'* ]] || fail "check --color=always: no colour"
echo "check: the Linux diagnostics, with the paths as typed; colour only when asked"

# SARIF names a file by URI: folders joined with '/' whatever was typed, so
# the Windows log is the Linux one.
run linux check --format=sarif "Λ mia/Città_linea.txt" "Λ mia/Città_Più-.txt"
linux_out=$out
run win check --format=sarif 'Λ mia\Città_linea.txt' 'Λ mia\Città_Più-.txt'
[[ $status -eq 1 && $out == "$linux_out" ]] ||
  fail "check --format=sarif: the log differs from the Linux one:"$'\n'"$out"
[[ $out == *'"uri": "%CE%9B%20mia/Citt%C3%A0_Pi%C3%B9-.txt"'* ]] ||
  fail "check --format=sarif: the document's URI is not the expected one"
echo "check --format=sarif: the Linux log, the document's URI with '/'"

# Usage and file errors: one line, status 2. A character typed on the command
# line reaches the tool whole, whatever the code page.
check_failure() {
  local expected=$1
  shift
  run win "$@"
  [[ $status -eq 2 && -z $out ]] || fail "$*: status $status, stdout '$out'"
  [[ $err == "$expected" ]] || fail "$*: stderr '$err', not '$expected'"
}
check_failure "scenario: the line identifier 'Λ' holds a character with no Windows-1252 form: U+039B" \
  check --line Λ --train T a.txt b.txt
check_failure "scenario: the train identifier 'a:b' holds ':', which a file name cannot hold" \
  build --line L --train a:b a.txt b.txt
reason=$(run win check 'nè_linea.txt' 'nè_T-.txt'; echo "$err")
[[ $reason == "scenario: cannot open 'nè_linea.txt': "?* && $(grep -c . <<<"$reason") -eq 1 ]] ||
  fail "a missing document: '$reason'"
echo "failures: one line each, status 2 ('$reason')"

wine_session_end
echo "Windows tool under Wine: all checks passed"
