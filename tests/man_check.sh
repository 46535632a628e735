#!/usr/bin/env bash
# The manual pages as man shows them: groff reads each without a warning,
# and `man -l` renders its sections. Skips without groff or man (run
# scripts/setup.sh); in CI it fails instead.
#
# Usage: man_check.sh PAGE...
set -uo pipefail
fail() {
  echo "FAIL: $*"
  exit 1
}
skip() {
  if [[ "${CI:-}" == true ]]; then
    echo "FAIL: $* (CI must run this test)"
    exit 1
  fi
  echo "SKIP: $*"
  exit 77
}
for tool in groff man; do
  command -v "$tool" >/dev/null || skip "$tool not found (run scripts/setup.sh)"
done
for page in "$@"; do
  [[ -s $page ]] || fail "$page is missing or empty"
  warnings=$(groff -man -ww -z -Tutf8 "$page" 2>&1) || fail "groff failed on $page: $warnings"
  [[ -z $warnings ]] || fail "groff warns on $page: $warnings"
  shown=$(MANWIDTH=80 man -l "$page" 2>&1) || fail "man -l failed on $page: $shown"
  for section in NAME DESCRIPTION; do
    [[ $page == *.5 && $section == DESCRIPTION ]] && section="GENERAL RULES"
    grep -q "^$section" <<<"$shown" || fail "$page has no $section section as man shows it"
  done
  echo "$page: $(wc -l <<<"$shown") lines as man shows it, no warning"
done
echo "manual pages: all checks passed"
