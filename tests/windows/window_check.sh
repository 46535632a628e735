#!/usr/bin/env bash
# The Windows window and error box under Wine, checked on a virtual display
# by the same screenshot check as the Linux ones (tests/desktop/
# window_check.sh): Wine's windows carry no frame of their own there, so the
# window's client area, the label and the box are what that check measures.
#
# Usage: window_check.sh WINDOWS_PROBE SCREENSHOT_FOLDER
set -uo pipefail
source "$(dirname "$0")/wine.sh"
[[ $# -eq 2 ]] || fail "usage: window_check.sh WINDOWS_PROBE SCREENSHOT_FOLDER"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The probe as one command: the check runs it with its own arguments.
printf '#!/bin/sh\nexec "%s" "%s" "$@"\n' "$WINE" "$1" >"$work/probe"
chmod +x "$work/probe"

bash "$(dirname "$0")/../desktop/window_check.sh" "$work/probe" "$2"
status=$?
wine_session_end
exit $status
