#!/usr/bin/env bash
# Runs one Windows program under Wine with the checks' settings, waits for
# its Wine session to end, and passes on its exit status.
#
# Usage: run.sh PROGRAM.exe [ARGUMENT...]
set -uo pipefail
source "$(dirname "$0")/wine.sh"
"$WINE" "$@"
status=$?
wine_session_end
exit $status
