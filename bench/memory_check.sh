#!/usr/bin/env bash
# Peak memory of `scenario check` on documents far larger than real ones: a
# train source of 10 MB of unknown rows, and one of 200 MB. The findings
# stay a handful whatever the rows, so memory is the document itself and
# little more. Not part of the tests: it prints what it measured.
#   bench/memory_check.sh build/release/scenario
set -euo pipefail
tool=$(realpath "${1:-build/release/scenario}")
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir"
"$tool" new src >/dev/null
cp src/Vardelia_linea.txt L_linea.txt
rows() {  # $1: megabytes of unknown rows after the built-in train source
  cat src/Vardelia_Corvessa-.txt
  { yes 'sconosciuta, 1, 2' || true; } | head -c $(($1 * 1024 * 1024)) | sed 's/$/\r/'
}
for mb in 10 200; do
  rows "$mb" >"L_T$mb-.txt"
  for format in text json sarif; do
    /usr/bin/time -f "%M %e" -o measured "$tool" check L_linea.txt "L_T$mb-.txt" \
      --line L --train "T$mb" --format "$format" >/dev/null 2>&1 || true
    read -r kb seconds <measured
    printf '%4d MB of unknown rows, %-5s: peak %6d KB in %s s\n' "$mb" "$format" "$kb" "$seconds"
  done
done
