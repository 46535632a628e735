#!/usr/bin/env bash
# The Debian package, made from the build as `cpack` makes it: it holds both
# programs, the README and the manual pages where the README says, depends on the libraries the
# programs link, and its programs, unpacked, run on their own: the tool prints
# its version and builds, and the one-shot program copied into a folder of
# its own writes the same six files as the built one.
#
# Usage: package_deb_check.sh BUILD_FOLDER BUILT_PROGRAM
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
[[ $# -eq 2 ]] || fail "usage: package_deb_check.sh BUILD_FOLDER BUILT_PROGRAM"
build=$1
built=$2
for tool in cpack dpkg-deb dpkg-shlibdeps; do
  command -v "$tool" >/dev/null || skip "$tool not found (run scripts/setup.sh)"
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/packages" >"$work/cpack.log" 2>&1 ||
  fail "cpack failed: $(tail -5 "$work/cpack.log")"
deb=$(ls "$work"/packages/*.deb)
[[ $(basename "$deb") == scenario-build_*_amd64.deb ]] || fail "package named $deb"

files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sort)
# The README and the pages it links to, beside it as in the source tree.
# scenario_serve (serve's program) where the build has it.
expected=$( (printf '%s\n' ./usr/bin/scenario ./usr/libexec/scenario-build/scenario_build \
  ./usr/share/doc/scenario-build/README.md ./usr/share/man/man1/scenario.1 \
  ./usr/share/man/man5/scenario-documents.5
  [ -x "$build/scenario_serve" ] && echo ./usr/libexec/scenario-build/scenario_serve
  for page in "$(dirname "$0")"/../docs/*.md; do
    echo "./usr/share/doc/scenario-build/docs/$(basename "$page")"
  done) | sort)
[[ $files == "$expected" ]] || fail "the package holds: $files"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libc6 libstdc++6; do
  [[ $depends == *"$lib "* || $depends == *"$lib," || $depends == *"$lib" ]] ||
    fail "Depends lacks $lib: $depends"
done
echo "package: $(basename "$deb"), Depends: $depends"

dpkg-deb -x "$deb" "$work/root"
version=$("$work/root/usr/bin/scenario" --version) || fail "scenario --version failed"
if command -v man >/dev/null; then
  MANWIDTH=80 man -l "$work/root/usr/share/man/man5/scenario-documents.5" 2>/dev/null |
    grep -q "segnale, posizione, sx" || fail "scenario-documents(5) does not show the signal row"
fi
[[ $version == "scenario "* ]] || fail "scenario --version printed '$version'"
(cd "$work" && "$work/root/usr/bin/scenario" new docs >/dev/null &&
  "$work/root/usr/bin/scenario" build docs/Vardelia_linea.txt docs/Vardelia_Corvessa-.txt \
    -o built) || fail "the packaged tool could not build the built-in documents"
if [ -x "$build/scenario_serve" ]; then
  # serve, handed over to the packaged scenario_serve: its first line, and
  # status 0 on a termination request.
  (cd "$work" && exec "$work/root/usr/bin/scenario" serve docs/Vardelia_linea.txt \
    docs/Vardelia_Corvessa-.txt >"$work/serve.out" 2>"$work/serve.err") &
  serving=$!
  for _ in $(seq 100); do
    [ -s "$work/serve.out" ] && break
    sleep 0.1
  done
  kill -TERM "$serving"
  wait "$serving"
  status=$?
  grep -qx 'serving http://127\.0\.0\.1:[0-9]*/' "$work/serve.out" && [ "$status" = 0 ] ||
    fail "the packaged serve: status $status, $(cat "$work/serve.out" "$work/serve.err")"
fi

mkdir "$work/mine" "$work/reference"
cp "$work/root/usr/libexec/scenario-build/scenario_build" "$work/mine/"
cp "$built" "$work/reference/"
for dir in mine reference; do
  (cd / && env -u DISPLAY "$work/$dir/scenario_build" </dev/null >/dev/null 2>&1) ||
    fail "the $dir program failed"
done
for name in Vardelia_Corvessa.dat Vardelia_Corvessa.sim Vardelia_Corvessa_note.txt \
  Vardelia_Corvessa_rallentamenti.txt Vardelia_Corvessa_scheda_treno.txt Vardelia_linea.dat; do
  cmp "$work/reference/$name" "$work/mine/$name" || fail "$name differs"
done
for name in Vardelia_Corvessa.dat Vardelia_Corvessa.sim Vardelia_linea.dat; do
  cmp "$work/reference/$name" "$work/built/$name" || fail "the tool's $name differs"
done
echo "unpacked: $version; the one-shot program and the tool write the built program's files"
echo "Debian package: all checks passed"
