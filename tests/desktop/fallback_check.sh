#!/usr/bin/env bash
# A build with the desktop window, started where no display can be had, runs
# on the terminal exactly as a build without it: the label and the error text
# on stderr, one line each, nothing else, and the same exit statuses.
#
# Usage: fallback_check.sh PROBE
set -uo pipefail
probe=$1

fail() {
  echo "FAIL: $*"
  exit 1
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A display number with no server behind it.
free=90
while [[ -e /tmp/.X11-unix/X$free || -e /tmp/.X$free-lock ]]; do free=$((free + 1)); done

# Runs the probe with the environment change $1, stdin from $2, and compares
# its status, stdout and stderr byte for byte.
check() {
  local how=$1 input=$2 status=$3 out=$4 err=$5
  shift 5
  local env_args
  case $how in
    unset) env_args=(-u DISPLAY) ;;
    empty) env_args=(DISPLAY=) ;;
    dead) env_args=("DISPLAY=:$free") ;;
  esac
  printf '%b' "$input" | env "${env_args[@]}" timeout 20 "$probe" "$@" \
    >"$work/out" 2>"$work/err"
  local got=$?
  [[ $got -eq $status ]] || fail "DISPLAY $how, $*: status $got, not $status; stderr: $(cat "$work/err")"
  printf '%b' "$out" | cmp -s - "$work/out" ||
    fail "DISPLAY $how, $*: stdout '$(cat "$work/out")'"
  printf '%b' "$err" | cmp -s - "$work/err" ||
    fail "DISPLAY $how, $*: stderr '$(od -c "$work/err")'"
  echo "DISPLAY $how, $*: terminal output as expected"
}

for how in unset empty dead; do
  check "$how" '\n\n' 0 'shown\nclosed\n' 'Attendere\n' window
  check "$how" '' 1 'shown\n' 'Attendere\n Errore n. 1251\n' errore 1251
done
echo "terminal fallback: all checks passed"
