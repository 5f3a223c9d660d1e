#!/usr/bin/env bash
# Installs, builds and runs every test. With TABREL_FULL_CHECKS=1 (as CI runs it) the libFuzzer
# targets run briefly and the sanitizer build runs the tests first; the optimised build's tests
# always run last.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs=$(nproc)
if [ "${TABREL_FULL_CHECKS:-0}" = "1" ]; then
  bash scripts/fuzz-smoke.sh
  cmake --preset asan
  cmake --build --preset asan -j "$jobs"
  ctest --preset asan -j "$jobs"
fi
cmake --preset default
cmake --build --preset default -j "$jobs"
ctest --preset default -j "$jobs"
