#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each briefly on its seeds.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${TABREL_FUZZ_SECONDS:-30}
cmake --preset fuzz
cmake --build --preset fuzz -j "$(nproc)"
shopt -s nullglob
for target in build/fuzz/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  seeds="fuzz/seeds/${name#fuzz_}"
  work=$(mktemp -d)
  args=("$work")
  [ -d "$seeds" ] && args+=("$seeds")
  echo "== $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 "${args[@]}"
  rm -rf "$work"
done
