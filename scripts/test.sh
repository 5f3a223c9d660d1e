#!/usr/bin/env bash
# Installs, builds and runs every test (the optimised build; then the sanitizer build
# and short fuzz runs when TABREL_FULL_CHECKS=1, as CI does).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs=$(nproc)
cmake --preset default
cmake --build --preset default -j "$jobs"
ctest --preset default -j "$jobs"
if [ "${TABREL_FULL_CHECKS:-0}" = "1" ]; then
  cmake --preset asan
  cmake --build --preset asan -j "$jobs"
  ctest --preset asan -j "$jobs"
  bash scripts/fuzz-smoke.sh
fi
