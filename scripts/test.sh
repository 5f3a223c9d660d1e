#!/usr/bin/env bash
# Installs, builds and runs every test. With TABREL_FULL_CHECKS=1 (as CI runs it) one sanitizer
# build (clang, the checks preset) holds both the libFuzzer targets, which run briefly, and the
# tests, which run under the sanitizers first; the optimised build's tests always run last (CI
# builds it without debug information: the release preset).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs=$(nproc)
optimised=default
if [ "${TABREL_FULL_CHECKS:-0}" = "1" ]; then
  cmake --preset checks
  cmake --build --preset checks -j "$jobs"
  bash scripts/fuzz-smoke.sh build/checks
  ctest --preset checks -j "$jobs"
  optimised=release
fi
cmake --preset "$optimised"
cmake --build --preset "$optimised" -j "$jobs"
ctest --preset "$optimised" -j "$jobs"
