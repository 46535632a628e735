#!/usr/bin/env bash
# Runs a fuzzer of the reader and the build for SECONDS seconds:
#   cmake --workflow --preset fuzz && fuzz/run.sh [memory|files] 600
# `memory` (the documents in memory, no file system: thousands of cases a
# second) or `files` (the default: the whole run on files in a private
# folder, for the file handling). Both read the same inputs; the corpus
# grows in build/fuzz/corpus; a finding is written to build/fuzz/findings/
# and makes the script fail. Keep each finding as a regression case in
# fuzz/regressions/ (the test run replays that folder through both
# targets' checks). Extra arguments go to libFuzzer.
set -euo pipefail
target=files
if [[ $# -ge 1 && ( $1 == memory || $1 == files ) ]]; then
  target=$1
  shift
fi
if [[ $# -lt 1 || ! $1 =~ ^[0-9]+$ ]]; then
  echo "usage: fuzz/run.sh [memory|files] SECONDS [libFuzzer options]" >&2
  exit 2
fi
seconds=$1
shift
here="$(cd "$(dirname "$0")" && pwd)"
build="$here/../build/fuzz"
fuzzer="$build/fuzz/scenario_fuzz"
[[ $target == memory ]] && fuzzer="$build/fuzz/scenario_fuzz_memory"
if [[ ! -x $fuzzer ]]; then
  echo "fuzz/run.sh: $fuzzer not found; build it with: cmake --workflow --preset fuzz" >&2
  exit 2
fi

corpus="$build/corpus"
findings="$build/findings"
mkdir -p "$corpus" "$findings"
"$build/fuzz/scenario_fuzz_seeds" "$corpus"

# The cases' private folder lies on /dev/shm where there is one.
work_base=/dev/shm
[[ -d $work_base && -w $work_base ]] || work_base="${TMPDIR:-/tmp}"
work="$(mktemp -d "$work_base/scenario-fuzz-run.XXXXXX")"
trap 'rm -rf "$work"' EXIT

# New inputs go to the first folder; the kept ones are read as seeds.
inputs=("$corpus" "$here/seeds")
[[ -d $here/regressions ]] && inputs+=("$here/regressions")

SCENARIO_FUZZ_DIR="$work" "$fuzzer" \
  -max_total_time="$seconds" -timeout=25 -rss_limit_mb=4096 -max_len=65536 \
  -dict="$here/keywords.dict" -artifact_prefix="$findings/" -print_final_stats=1 \
  "$@" "${inputs[@]}"
