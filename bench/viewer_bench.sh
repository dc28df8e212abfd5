#!/usr/bin/env bash
# Times the text viewer on generated CAM-style programs of 30 MB and of
# LARGE_MEGABYTES (copies of a 100 MB program with a last program added 1 MB
# before the end), each selected in the main window's list: the V key to the
# first page painted, the background indexing, a jump to the end, finding the
# last program's header from the start beside grep -c of the same text (best
# of three, page cache warm), and the peak memory above the window before V. The large file is removed
# afterwards.
#
#   bench/viewer_bench.sh [LARGE_MEGABYTES]    default 2000; 0 skips the large file
#
# Targets: first page within 0.3 s at any size; at most 100 MB above the
# window before V for the large file; a search within 2 x grep -c.
set -euo pipefail
cd "$(dirname "$0")/.."
large=${1:-2000}
build=${BUILD_DIR:-build}
bench=$build/bin/viewer_bench
cmake --build "$build" --target viewer_bench > /dev/null
work=${BENCH_DIR:-bench/out}
mkdir -p "$work"
small="$work/CAM30.NC"
base="$work/CAM100.NC"
[ -s "$small" ] || perl bench/gen_program.pl 30 dec > "$small"

best_of_three() {
    local best="" start end seconds
    for _ in 1 2 3; do
        start=$EPOCHREALTIME
        "$@" > /dev/null || true
        end=$EPOCHREALTIME
        seconds=$(awk -v s="$start" -v e="$end" 'BEGIN{printf "%.3f", e - s}')
        if [ -z "$best" ] || awk "BEGIN{exit !($seconds < $best)}"; then best=$seconds; fi
    done
    echo "$best"
}

measure() {
    local file=$1 text=$2 report grep_case grep_any find_case find_any
    cat "$file" > /dev/null # in the page cache, as for grep
    echo "$(basename "$file"): $(du -m "$file" | cut -f1) MB, searching \"$text\""
    report=$(QT_QPA_PLATFORM=offscreen "$bench" "$file" "$text" 2>/dev/null)
    echo "$report" | sed 's/^/  /'
    grep_case=$(LC_ALL=C best_of_three grep -c -F -- "$text" "$file")
    grep_any=$(LC_ALL=C best_of_three grep -c -i -F -- "$text" "$file")
    find_case=$(echo "$report" | awk '/^find_case/{print $2}')
    find_any=$(echo "$report" | awk '/^find_any_case/{print $2}')
    awk -v f="$find_case" -v g="$grep_case" -v a="$find_any" -v h="$grep_any" 'BEGIN{
        printf "  grep -c %.3f s: find %.2f x grep (target 2); grep -ci %.3f s: find %.2f x grep -ci\n",
               g, (g > 0 ? f / g : 0), h, (h > 0 ? a / h : 0) }'
}

# The last program header of the generated program is near its end.
measure "$small" "$(grep -a -o 'O[0-9]*(PART [0-9]*)' "$small" | tail -1)"

[ "$large" -gt 0 ] || exit 0
[ -s "$base" ] || perl bench/gen_program.pl 100 dec > "$base"
big="$work/VIEWLARGE.NC"
trap 'rm -f "$big"' EXIT
copies=$(( (large + 99) / 100 ))
{
    for _ in $(seq "$copies"); do cat "$base"; done
    printf 'O9999(LAST PART)\r\n'
    head -c 1048576 "$base"
} > "$big"
measure "$big" "O9999(LAST PART)"
