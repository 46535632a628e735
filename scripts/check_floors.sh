#!/usr/bin/env bash
# The tool's folders are floors, bottom up; a file may include headers of
# its own floor and lower ones, never a higher one. Prints each include that
# breaks the rule and fails when there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

floor_of() {
  case "$1" in
    platform) echo 1 ;;
    diagnostics) echo 2 ;;
    session) echo 3 ;;
    inspect | report) echo 4 ;;
    serve) echo 5 ;;
    cli) echo 6 ;;
    commands) echo 7 ;;
    *) echo "check_floors: no floor for the folder src/tool/$1" >&2; exit 2 ;;
  esac
}

broken=0
for file in src/tool/*/*; do
  folder=$(basename "$(dirname "$file")")
  own=$(floor_of "$folder")
  while IFS= read -r included; do
    [ "$included" = "$folder" ] && continue
    other=$(floor_of "$included")
    if [ "$other" -ge "$own" ]; then
      echo "$file includes a header of src/tool/$included/, a floor not below its own"
      broken=1
    fi
  done < <(sed -n 's@^#include "tool/\([a-z_]*\)/.*@\1@p' "$file")
done
exit "$broken"
