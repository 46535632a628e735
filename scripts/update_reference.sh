#!/usr/bin/env bash
# Writes the reference pages the tool generates from its own tables into the
# source tree: docs/rows.md, docs/man/scenario.1, docs/man/scenario-documents.5.
# The test ReferencePages.AreWhatTheToolGenerates fails until they are
# current. Usage: scripts/update_reference.sh [BUILD_FOLDER] (default
# build/release, built with the tests).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
cmake --build "$build" --target scenario_tests >/dev/null
SCENARIO_WRITE_REFERENCE=1 "$build/scenario_tests" \
  --gtest_filter=ReferencePages.AreWhatTheToolGenerates >/dev/null
git status --short docs
