#!/usr/bin/env bash
# Whole-process comparison on a generated workbook of 100,000 cells: `xls-dump --recalc`
# (open, recalculate every formula, print every cell's value and displayed text) against
# python3-xlrd merely opening the same file and reading every cell. Prints both times and the
# ratio; the goal is a ratio of at most 0.5.
# Usage: bash bench/render/compare_xlrd.sh [BUILD_DIR] [CELLS]   (BUILD_DIR defaults to build/bench)
set -euo pipefail
shopt -s inherit_errexit  # a failing run stops the comparison instead of timing an error
python=/usr/bin/python3   # the distribution's interpreter, which holds its python3-xlrd package
build=${1:-build/bench}
cells=${2:-100000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/render/bench-make-workbook" "$cells" "$work/generated.xls"

best_of_three() {  # prints the best wall time in seconds of three runs of the command
  local best=""
  for _ in 1 2 3; do
    local start end
    start=$(date +%s.%N)
    "$@" > /dev/null
    end=$(date +%s.%N)
    best=$(python3 -c "import sys; t=$end-$start; b='$best'; print(t if not b else min(t, float(b)))")
  done
  echo "$best"
}

ours=$(best_of_three "$build/tools/xls-dump/xls-dump" --recalc "$work/generated.xls")
theirs=$(best_of_three "$python" -c '
import sys, xlrd
book = xlrd.open_workbook(sys.argv[1], formatting_info=True)
for sheet in book.sheets():
    for row in range(sheet.nrows):
        sheet.row_values(row)
' "$work/generated.xls")
python3 -c "print(f'xls-dump --recalc: {$ours:.3f} s   xlrd read: {$theirs:.3f} s   ratio: {$ours / $theirs:.2f}')"
