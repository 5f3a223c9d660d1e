#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each briefly. Seeds: fuzz/seeds/<target>.txt lists
# folders (relative to the repository, or starting with "shared/" for the shared corpus).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${TABREL_FUZZ_SECONDS:-30}
shared=${TABREL_SHARED_DIR:-../shared}
cmake --preset fuzz
cmake --build --preset fuzz -j "$(nproc)"
shopt -s nullglob
for target in build/fuzz/fuzz/*/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  work=$(mktemp -d)
  args=("$work")
  if [ -f "fuzz/seeds/$name.txt" ]; then
    while read -r folder; do
      [ -n "$folder" ] || continue
      case "$folder" in shared/*) folder="$shared/${folder#shared/}" ;; esac
      [ -d "$folder" ] && args+=("$folder")
    done < "fuzz/seeds/$name.txt"
  fi
  echo "== $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 "${args[@]}"
  rm -rf "$work"
done
