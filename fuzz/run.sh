#!/usr/bin/env bash
# Runs one fuzzer for SECONDS seconds:
#   cmake --workflow --preset fuzz && fuzz/run.sh TARGET 600
# The reader and the build: `files` (the default: the whole run on files in
# a private folder, for the file handling) and `memory` (the documents in
# memory, no file system: thousands of cases a second); the author's tool on
# the same inputs: `diagnostics`, `agreement` (with the one-shot build) and
# `report`; and `decoders`, the binary files' decoders with dump and diff,
# whose inputs are laid out otherwise (fuzz/decoder_check.h). `files` and
# `memory` grow one corpus, build/fuzz/corpus; every other target a corpus
# of its own, build/fuzz/corpus-TARGET. A finding is written to
# build/fuzz/findings/ and makes the script fail. Keep each finding as a
# regression case in fuzz/regressions/ (fuzz/regressions-decoders/ for the
# decoders): the test run replays those folders through every target's
# checks. Extra arguments go to libFuzzer.
set -euo pipefail
targets="files|memory|diagnostics|agreement|report|decoders"
target=files
if [[ $# -ge 1 && $1 =~ ^($targets)$ ]]; then
  target=$1
  shift
fi
if [[ $# -lt 1 || ! $1 =~ ^[0-9]+$ ]]; then
  echo "usage: fuzz/run.sh [$targets] SECONDS [libFuzzer options]" >&2
  exit 2
fi
seconds=$1
shift
here="$(cd "$(dirname "$0")" && pwd)"
build="$here/../build/fuzz"
fuzzer="$build/fuzz/scenario_fuzz_$target"
[[ $target == files ]] && fuzzer="$build/fuzz/scenario_fuzz"
if [[ ! -x $fuzzer ]]; then
  echo "fuzz/run.sh: $fuzzer not found; build it with: cmake --workflow --preset fuzz" >&2
  exit 2
fi

findings="$build/findings"
mkdir -p "$findings"
options=(-max_total_time="$seconds" -timeout=25 -rss_limit_mb=4096
  -artifact_prefix="$findings/$target-" -print_final_stats=1)

if [[ $target == decoders ]]; then
  # Seeds: the built-in scenario's three files cut to a few KB, and the
  # hand-made inputs. An input of 16 KB holds a track file of 1,000 cells or
  # a line plan file of 4,000 points, past every case of the layout.
  corpus="$build/corpus-decoders"
  mkdir -p "$corpus"
  "$build/fuzz/scenario_fuzz_decoder_seeds" "$corpus"
  inputs=("$corpus" "$here/seeds-decoders")
  [[ -d $here/regressions-decoders ]] && inputs+=("$here/regressions-decoders")
  exec "$fuzzer" "${options[@]}" -max_len=16384 -dict="$here/decoders.dict" \
    "$@" "${inputs[@]}"
fi

corpus="$build/corpus"
[[ $target == files || $target == memory ]] || corpus="$build/corpus-$target"
mkdir -p "$corpus"
"$build/fuzz/scenario_fuzz_seeds" "$corpus"

# The cases' private folder lies on /dev/shm where there is one.
work_base=/dev/shm
[[ -d $work_base && -w $work_base ]] || work_base="${TMPDIR:-/tmp}"
work="$(mktemp -d "$work_base/scenario-fuzz-run.XXXXXX")"
trap 'rm -rf "$work"' EXIT

# New inputs go to the first folder; the kept ones are read as seeds.
inputs=("$corpus" "$here/seeds")
[[ -d $here/regressions ]] && inputs+=("$here/regressions")

SCENARIO_FUZZ_DIR="$work" "$fuzzer" "${options[@]}" -max_len=65536 \
  -dict="$here/keywords.dict" "$@" "${inputs[@]}"
