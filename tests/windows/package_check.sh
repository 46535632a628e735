#!/usr/bin/env bash
# The Windows zip, made from the cross build as `cpack` makes it: one folder
# with both programs and the README; the programs need no DLL beyond those
# Windows has, and, unpacked and run under Wine from that folder, the
# one-shot program writes the Linux program's six files and the tool prints
# its version.
#
# Usage: package_check.sh WINDOWS_BUILD_FOLDER LINUX_PROGRAM
set -uo pipefail
source "$(dirname "$0")/wine.sh"
[[ $# -eq 2 ]] || fail "usage: package_check.sh WINDOWS_BUILD_FOLDER LINUX_PROGRAM"
build=$1
for tool in cpack unzip x86_64-w64-mingw32-objdump; do
  command -v "$tool" >/dev/null || skip "$tool not found (run scripts/setup.sh)"
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack -G ZIP --config "$build/CPackConfig.cmake" -B "$work/packages" >"$work/cpack.log" 2>&1 ||
  fail "cpack failed: $(tail -5 "$work/cpack.log")"
zip=$(ls "$work"/packages/*.zip)
top=$(basename "$zip" .zip)
[[ $top == scenario-build-*-windows-x64 ]] || fail "package named $zip"
entries=$(unzip -Z1 "$zip" | grep -v '/$' | sort)
expected=$( (printf '%s\n' "$top/README.md" "$top/scenario.exe" "$top/scenario_build.exe"
  for page in "$(dirname "$0")"/../../docs/*.md; do echo "$top/docs/$(basename "$page")"; done) |
  sort)
[[ $entries == "$expected" ]] ||
  fail "the zip holds: $entries"
unzip -q "$zip" -d "$work/unpacked"
folder="$work/unpacked/$top"

for exe in scenario_build.exe scenario.exe; do
  dlls=$(x86_64-w64-mingw32-objdump -p "$folder/$exe" | awk '/DLL Name:/ {print $3}' | sort -u)
  others=$(grep -v -i -x -E 'kernel32.dll|user32.dll|gdi32.dll|shell32.dll|msvcrt.dll' <<<"$dlls")
  [[ -z $others ]] || fail "$exe needs DLLs Windows does not have: $others"
  echo "$exe imports only $(tr '\n' ' ' <<<"$dlls")"
done

version=$("$WINE" "$folder/scenario.exe" --version | tr -d '\r')
[[ $version == "scenario "* ]] || fail "scenario.exe --version printed '$version'"

mkdir "$work/linux"
cp "$2" "$work/linux/"
(cd / && env -u DISPLAY "$work/linux/scenario_build" </dev/null >/dev/null 2>&1) ||
  fail "the Linux program failed"
(cd / && env -u DISPLAY "$WINE" "$folder/scenario_build.exe" </dev/null >/dev/null 2>&1) ||
  fail "the unpacked scenario_build.exe failed"
for name in Vardelia_Corvessa.dat Vardelia_Corvessa.sim Vardelia_Corvessa_note.txt \
  Vardelia_Corvessa_rallentamenti.txt Vardelia_Corvessa_scheda_treno.txt Vardelia_linea.dat; do
  cmp "$work/linux/$name" "$folder/$name" || fail "$name differs from the Linux one"
done
wine_session_end
echo "unpacked: $version; scenario_build.exe wrote the Linux program's six files beside itself"
echo "Windows zip: all checks passed"
