#!/usr/bin/env bash
# Installs, builds and starts the desktop grader.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset default
cmake --build --preset default -j "$(nproc)" --target tabrel-grader
exec build/default/app/tabrel-grader "$@"
