#!/usr/bin/env bash
# The copy engine and the trash beside the system's tools:
#   a 1 GiB file copied (beside cp; target at most 1.1 x its time),
#   a tree of 10,000 files of 20 KiB, about 200 MB (beside cp -r; target 1.3 x),
#   10,000 selected files sent to the trash (beside rm -r of the same).
# Each figure is the median of ROUNDS runs (default 3) with the page cache
# warm; dirty data is synced before every run and not timed. The runs of the
# two sides alternate in order. Everything is written under one temporary
# folder (the trash included) that is removed at the end.
#
#   bench/fileops_bench.sh [ROUNDS]
#   BUILD_DIR=build-x bench/fileops_bench.sh        another build folder
#   WORK_DIR=/mnt/disk bench/fileops_bench.sh       where to write (default: the build folder)
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-3}
build=${BUILD_DIR:-build}
base=${WORK_DIR:-$build}
[ "$rounds" -ge 1 ] || { echo "ROUNDS must be 1 or more" >&2; exit 2; }
cmake --build "$build" --target fileops_bench >/dev/null
bench="$build/bin/fileops_bench"

df -h "$base"
need_kb=$((4 * 1024 * 1024)) # the sources, two copies at a time and room to spare
free_kb=$(df -Pk "$base" | awk 'NR == 2 { print $4 }')
[ "$free_kb" -ge "$need_kb" ] || { echo "fewer than 4 GiB free in $base" >&2; exit 1; }

work=$(mktemp -d "$base/fileops_bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
export XDG_DATA_HOME="$work/data" # the run's own trash

milliseconds() { # the wall time of a command
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null
    end=$(date +%s%N)
    echo $(((end - start) / 1000000))
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

echo "making the sources in $work ..."
head -c 1G /dev/urandom > "$work/BIG.NC"
"$bench" tree "$work/tree" 100 100 20480

# run NAME PREPARE SYSTEM_COMMAND... -- OURS_COMMAND...: times both sides.
run() {
    local name=$1 prepare=$2
    shift 2
    local system=() ours=()
    while [ "$1" != "--" ]; do system+=("$1"); shift; done
    shift
    ours=("$@")
    : > "$work/$name.system"
    : > "$work/$name.ours"
    for round in $(seq "$rounds"); do
        for side in system ours; do
            [ $((round % 2)) -eq 0 ] && side=$([ "$side" = system ] && echo ours || echo system)
            $prepare
            sync
            sleep 1 # lets the discards of the deletions above settle (mount option discard)
            if [ "$side" = system ]; then
                milliseconds "${system[@]}" >> "$work/$name.system"
            else
                milliseconds "${ours[@]}" >> "$work/$name.ours"
            fi
        done
    done
}

fresh_copy_target() { rm -rf "$work/to" && mkdir "$work/to"; }
fresh_trash_source() {
    rm -rf "$work/many" "$XDG_DATA_HOME"
    "$bench" tree "$work/many" 1 10000 2048
}

run big fresh_copy_target cp "$work/BIG.NC" "$work/to/" -- "$bench" copy "$work/to" "$work/BIG.NC"
run tree fresh_copy_target cp -r "$work/tree" "$work/to/" -- "$bench" copy "$work/to" "$work/tree"
run trash fresh_trash_source rm -r "$work/many/D0" -- "$bench" trash "$work/many/D0"

report() { # NAME TEXT SYSTEM_NAME TARGET
    local system ours
    system=$(median < "$work/$1.system")
    ours=$(median < "$work/$1.ours")
    awk -v text="$2" -v tool="$3" -v s="$system" -v o="$ours" -v target="$4" 'BEGIN {
        ratio = s > 0 ? o / s : 0
        line = sprintf("%-28s %-6s %7d ms   tornwel %7d ms   %5.2f x", text, tool, s, o, ratio)
        if (target != "") line = line sprintf("   (target %s x: %s)", target,
                                              ratio <= target ? "met" : "MISSED")
        print line
    }'
}
echo
echo "median of $rounds runs:"
report big "copy a 1 GiB file" "cp" 1.1
report tree "copy 10,000 files (195 MiB)" "cp -r" 1.3
report trash "trash 10,000 files" "rm -r" ""
