#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each briefly. Seeds: fuzz/seeds/<target>.txt lists
# folders (relative to the repository, or starting with "shared/" for the shared corpus).
# The runs share one time budget, TABREL_FUZZ_BUDGET_SECONDS (270 unless set), split evenly
# across the targets found; each target still gets at least TABREL_FUZZ_MIN_SECONDS (5). A
# fuzzer uses one core, so TABREL_FUZZ_JOBS runs (one per core unless set) go side by side, each
# printing its output when it ends.
# Usage: bash scripts/fuzz-smoke.sh [BUILD_DIR]: runs the targets of a build that holds them
# already (the CI checks build); without it, configures and builds the fuzz preset first.
set -euo pipefail
cd "$(dirname "$0")/.."
budget=${TABREL_FUZZ_BUDGET_SECONDS:-270}
minimum=${TABREL_FUZZ_MIN_SECONDS:-5}
shared=${TABREL_SHARED_DIR:-../shared}
build=${1:-}
if [ -z "$build" ]; then
  build=build/fuzz
  cmake --preset fuzz
  cmake --build --preset fuzz -j "$(nproc)"
fi
shopt -s nullglob
targets=()
for target in "$build"/fuzz/*/fuzz_*; do
  [ -x "$target" ] && targets+=("$target")
done
if [ ${#targets[@]} -eq 0 ]; then
  echo "no fuzz targets were built" >&2
  exit 1
fi
seconds=$((budget / ${#targets[@]}))
[ "$seconds" -ge "$minimum" ] || seconds=$minimum
jobs=${TABREL_FUZZ_JOBS:-$(nproc)}
echo "== ${#targets[@]} fuzz targets, ${seconds}s each (budget ${budget}s), ${jobs} at a time"

fuzz_one() {
  local target=$1 name work status=0
  name=$(basename "$target")
  work=$(mktemp -d)
  local args=("$work/corpus")
  mkdir "$work/corpus"
  if [ -f "fuzz/seeds/$name.txt" ]; then
    while read -r folder; do
      [ -n "$folder" ] || continue
      case "$folder" in shared/*) folder="$shared/${folder#shared/}" ;; esac
      [ -d "$folder" ] && args+=("$folder")
    done < "fuzz/seeds/$name.txt"
  fi
  "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 "${args[@]}" >"$work/log" 2>&1 || status=$?
  echo "== $name for ${seconds}s"
  cat "$work/log"
  rm -rf "$work"
  return "$status"
}

failed=0
running=0
for target in "${targets[@]}"; do
  if [ "$running" -ge "$jobs" ]; then
    wait -n || failed=1
    running=$((running - 1))
  fi
  fuzz_one "$target" &
  running=$((running + 1))
done
while [ "$running" -gt 0 ]; do
  wait -n || failed=1
  running=$((running - 1))
done
exit "$failed"
