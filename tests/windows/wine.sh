# Runs the Windows programs under Wine for the checks in this folder, which
# source it: a prefix of the build's own (WINEPREFIX), no noise on stderr, no
# offer to install Mono or Gecko. WINE names the wine64 binary; without it a
# check skips with status 77, except in CI, where it fails.

skip() {
  if [[ "${CI:-}" == true ]]; then
    echo "FAIL: $* (CI must run this test)"
    exit 1
  fi
  echo "SKIP: $*"
  exit 77
}
fail() {
  echo "FAIL: $*"
  exit 1
}

[[ -n ${WINE:-} && -x ${WINE:-} ]] ||
  skip "Wine not found (run scripts/setup.sh, then reconfigure)"
[[ -n ${WINEPREFIX:-} ]] || fail "WINEPREFIX is not set"
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineserver=$(dirname "$WINE")/wineserver
[[ -x $wineserver ]] || wineserver=$(command -v wineserver) || fail "wineserver not found"

# Every check runs in a Wine session of its own, since a session keeps the
# environment (the display among it) of the process that started it: the
# checks take turns (a ctest resource lock) and each waits at its end for
# the session to close.
wine_session_end() {
  "$wineserver" -w
}

# Paths under Wine's drive Z:, which maps the root folder.
windows_path() {
  printf 'Z:%s' "${1//\//\\}"
}
