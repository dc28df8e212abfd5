#!/usr/bin/env bash
# The folder watcher, in one run: the processor time it takes while it waits
# with nothing changing (target: zero within the clock's resolution), and for a
# burst of file creations in the watched folder the number of FolderChanged
# signals and the delay from the first creation to the first signal.
# The wait is measured twice: by the process itself (getrusage, microseconds;
# the one wake-up that ends the wait counts) and from outside while it sleeps
# (/proc/PID/task/*/schedstat, nanoseconds; the last half second is left out).
#
#   bench/watcher_bench.sh [IDLE_SECONDS] [FILES]     defaults 60 and 10000
#   BUILD_DIR=build-x bench/watcher_bench.sh          another build folder
set -euo pipefail
cd "$(dirname "$0")/.."
idle=${1:-60}
files=${2:-10000}
build=${BUILD_DIR:-build}
[ "$idle" -ge 1 ] || { echo "IDLE_SECONDS must be 1 or more" >&2; exit 2; }
[ -x "$build/bin/watcher_bench" ] || cmake --build "$build" --target watcher_bench >/dev/null

work=$(mktemp -d "${TMPDIR:-/tmp}/watcher_bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/watched"
"$build/bin/watcher_bench" "$work/watched" "$idle" "$files" > "$work/out" &
pid=$!

run_ns() { # nanoseconds on the processor, all threads of the process
    awk '{ sum += $1 } END { printf "%d\n", sum }' /proc/"$pid"/task/*/schedstat
}
until grep -q '^idle_start' "$work/out"; do
    kill -0 "$pid" 2>/dev/null || { wait "$pid"; exit 1; }
    sleep 0.05
done
before=$(run_ns)
sleep "$(awk -v s="$idle" 'BEGIN { print s - 0.5 }')"
after=$(run_ns)
wait "$pid"

value() { awk -v key="$1" '$1 == key { print $2 }' "$work/out"; }
awk -v s="$idle" -v us="$(value idle_cpu_microseconds)" -v w="$(value idle_context_switches)" \
    -v n="$(value idle_signals)" -v ns="$((after - before))" 'BEGIN {
    printf "idle %d s: watcher process CPU %d us by getrusage (user+system), %d wake-up(s), %d signal(s)\n", s, us, w, n
    printf "         seen from outside over the first %.1f s: %d ns on the processor (target 0)\n", s - 0.5, ns }'
awk -v f="$(value burst_files)" -v bad="$(value burst_failed)" -v c="$(value burst_create_ms)" \
    -v n="$(value burst_signals)" -v d="$(value burst_first_signal_ms)" \
    -v cpu="$(value burst_watcher_cpu_ms)" 'BEGIN {
    printf "burst of %d file creations (%d failed) over %.1f ms: %d FolderChanged signal(s), first %.1f ms after the first creation; GUI thread CPU %.1f ms\n", f, bad, c, n, d, cpu }'
