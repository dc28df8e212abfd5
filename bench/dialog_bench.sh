#!/usr/bin/env bash
# Times decimal point insertion of a generated CAM program run from the main
# window (file selected, I, OK in the dialog; dialog_pass_bench) beside
# `tornwel-nc insert` of the same file, and checks that both write the same
# bytes. The program is the integer one of nc_bench.sh, shared with it.
#
#   bench/dialog_bench.sh [MEGABYTES]    default 100; RUNS runs each (default 10)
#   BUILD_DIR=build-bench bench/dialog_bench.sh    programs of another build folder
set -euo pipefail
cd "$(dirname "$0")/.."
size=${1:-100}
runs=${RUNS:-10}
build=${BUILD_DIR:-build}
nc=$build/bin/tornwel-nc
bench=$build/bin/dialog_pass_bench
if [ ! -x "$nc" ] || [ ! -x "$bench" ]; then
    # Only the two programs timed: the whole tree takes long on a small machine.
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$build" --target tornwel-nc dialog_pass_bench >/dev/null
fi
work=${BENCH_DIR:-bench/out}
mkdir -p "$work"
int="$work/CAMINT${size}.NC"
[ -s "$int" ] || perl bench/gen_program.pl "$size" int > "$int"
out="$work/out.NC"
dialog_out="$work/CAMINT${size}_S.NC"
cat "$int" > /dev/null # in the page cache for both

# Best and median of RUNS runs in seconds on a microsecond clock, each after
# removing the last output (so no run pays for truncating it) and a sync (so
# no write-back of earlier runs competes), as nc_bench.sh times.
times=()
for _ in $(seq "$runs"); do
    rm -f "$out"
    sync
    start=$EPOCHREALTIME
    "$nc" insert --unit 0.001 -o "$out" "$int" > /dev/null
    end=$EPOCHREALTIME
    times+=("$(awk -v s="$start" -v e="$end" 'BEGIN{printf "%.4f", e - s}')")
done
read -r tool tool_median < <(printf "%s\n" "${times[@]}" | sort -n |
    awk '{t[NR] = $1} END{m = NR % 2 ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2; print t[1], m}')

# The window lists the folder of the program and leaves its output there.
"$bench" "$int" "$runs" > "$work/dialog.txt"
dialog=$(awk '/^best_seconds/{print $2}' "$work/dialog.txt")
dialog_median=$(awk '/^median_seconds/{print $2}' "$work/dialog.txt")

echo "input: $(du -m "$int" | cut -f1) MB ($(wc -l < "$int") lines), best and median of $runs runs"
printf "tornwel-nc insert  %.3f s  (median %.3f s)\n" "$tool" "$tool_median"
printf "dialog pass        %.3f s  (median %.3f s)\n" "$dialog" "$dialog_median"
awk -v d="$dialog" -v t="$tool" 'BEGIN{printf "dialog / tool      %.2f x (target <= 1.3)\n", d / t}'
if cmp "$out" "$dialog_out"; then echo "outputs identical"; else status=1; fi
rm -f "$out" "$dialog_out" "$work/dialog.txt"
exit "${status:-0}"
