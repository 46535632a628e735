#!/usr/bin/env bash
# Makes (or brings up to date) the Wine prefix the other checks share, so
# that none of them pays for it or races another to make it.
set -uo pipefail
source "$(dirname "$0")/wine.sh"
env -u DISPLAY "$WINE" wineboot --init >/dev/null 2>&1 || fail "wineboot failed in $WINEPREFIX"
wine_session_end
[[ -d $WINEPREFIX/drive_c/windows ]] || fail "no Wine prefix made in $WINEPREFIX"
echo "Wine prefix ready: $WINEPREFIX"
