#!/usr/bin/env bash
# Times every conversion of tornwel-nc on a generated CAM-style program beside
# cp of the same file (the I/O floor) and a perl one-liner doing the same kind
# of work, and reports the peak memory of each; then runs each conversion once
# on a program of LARGE_MEGABYTES (20 copies of the first) for its peak memory.
#
#   bench/nc_bench.sh [MEGABYTES [LARGE_MEGABYTES]]    defaults 100 and 2000; 0 skips the large run
set -euo pipefail
cd "$(dirname "$0")/.."
size=${1:-100}
large=${2:-2000}
nc=build/bin/tornwel-nc
[ -x "$nc" ] || bash scripts/build.sh >/dev/null
command -v /usr/bin/time >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -q time >/dev/null
work=${BENCH_DIR:-bench/out}
mkdir -p "$work"
dec="$work/CAM${size}.NC"
int="$work/CAMINT${size}.NC"
[ -s "$dec" ] || perl bench/gen_program.pl "$size" dec > "$dec"
[ -s "$int" ] || perl bench/gen_program.pl "$size" int > "$int"
cat "$dec" "$int" > /dev/null  # both in the page cache, as for cp

# Best of RUNS runs (default ten; the slow perl one-liners get three) in
# seconds on a microsecond clock, then one more run under /usr/bin/time for the
# peak resident kilobytes (timing under it would add its own start-up). The
# output of the previous run is removed first, as cp and the conversions would
# otherwise pay for truncating it, and written data is synced, so that no
# write-back of earlier runs competes with the one measured.
measure() {
    local best="" start end seconds kilobytes
    for _ in $(seq "${RUNS:-10}"); do
        rm -rf "$work/copy.NC" "$work/out.NC" "$work/split"
        sync
        start=$EPOCHREALTIME
        "$@" > /dev/null
        end=$EPOCHREALTIME
        seconds=$(awk -v s="$start" -v e="$end" 'BEGIN{printf "%.4f", e - s}')
        if [ -z "$best" ] || awk "BEGIN{exit !($seconds < $best)}"; then best=$seconds; fi
    done
    rm -rf "$work/copy.NC" "$work/out.NC" "$work/split"
    /usr/bin/time -f "%M" -o "$work/time.txt" "$@" > /dev/null
    read -r kilobytes < "$work/time.txt"
    echo "$best $kilobytes"
}

echo "input: $(du -m "$dec" | cut -f1) MB ($(wc -l < "$dec") lines), integer variant $(du -m "$int" | cut -f1) MB"
cp_dec=$(measure cp "$dec" "$work/copy.NC")
cp_int=$(measure cp "$int" "$work/copy.NC")
printf "cp      %.3f s (decimal input), %.3f s (integer input)\n" "${cp_dec% *}" "${cp_int% *}"
# cp copies inside the kernel; cat reads and writes through user space like a converter.
cat_dec=$(measure sh -c 'cat "$1" > "$2"' sh "$dec" "$work/copy.NC")
printf "cat     %.3f s (decimal input)\n" "${cat_dec% *}"

compare() {
    local name=$1 floor=$2 limit=$3 perlcode=$4 input=$5
    shift 5
    local tool perl
    tool=$(measure "$nc" "$@")
    perl=$(RUNS=3 measure perl -e "$perlcode" "$input")
    awk -v n="$name" -v t="${tool% *}" -v m="${tool#* }" -v c="${floor% *}" -v p="${perl% *}" \
        -v l="$limit" 'BEGIN{
        printf "%-7s %6.3f s  %5.1f x cp (target %s)  perl %6.2f s (%5.1f x faster, target 20)  peak %6.1f MB\n",
               n, t, (c > 0 ? t / c : 0), l, p, (t > 0 ? p / t : 0), m / 1024 }'
}

out="$work/out.NC"
compare double "$cp_dec" 4 'while(<>){s/X(-?[\d.]+)/"X".sprintf("%.3f",$1*2)/e;print}' "$dec" \
    double --axis X -o "$out" "$dec"
compare insert "$cp_int" 4 'while(<>){s/([A-FH-MQ-Z])(-?\d+)(?![\d.])/$1.sprintf("%.3f",$2*0.001)/ge;print}' "$int" \
    insert -o "$out" "$int"
compare remove "$cp_dec" 4 'while(<>){s/([A-FH-MQ-Z])(-?\d*\.\d*)/$1.sprintf("%.0f",$2*1000)/ge;print}' "$dec" \
    remove -o "$out" "$dec"
compare vars "$cp_dec" 3 'my %s;while(<>){next if /^[O:]/;$s{$1}=1 while /(#\d*)/g}print join("\n",sort keys %s),"\n"' "$dec" \
    vars -o "$out" "$dec"
compare split "$cp_dec" 3 'mkdir "'"$work"'/split";my $f;while(<>){next if /^%/;if(/^[O:L]/){($n)=/^([^(\r\n]*)/;open($f,">","'"$work"'/split/$n.NC")}print $f $_ if $f}' "$dec" \
    split --dest "$work/split" "$dec"
rm -rf "$work/split" "$out" "$work/time.txt"

[ "$large" -gt 0 ] || exit 0
copies=$(( (large + size - 1) / size ))
big="$work/LARGE.NC"
bigint="$work/LARGEINT.NC"
for _ in $(seq "$copies"); do cat "$dec"; done > "$big"
for _ in $(seq "$copies"); do cat "$int"; done > "$bigint"
peak() {
    rm -rf "$work/out.NC" "$work/split"
    /usr/bin/time -f "%e %M" -o "$work/time.txt" "$nc" "$@" > /dev/null
    read -r seconds kilobytes < "$work/time.txt"
    printf "  %-7s %6.2f s  peak %6.1f MB\n" "$1" "$seconds" "$(awk -v k="$kilobytes" 'BEGIN{print k / 1024}')"
}
echo "large input: $(du -m "$big" | cut -f1) MB, each conversion once (target: peak under 100 MB)"
peak double --axis X -o "$out" "$big"
peak insert -o "$out" "$bigint"
peak remove -o "$out" "$big"
peak vars -o "$out" "$big"
peak split --dest "$work/split" "$big"
rm -rf "$big" "$bigint" "$work/split" "$out" "$work/time.txt"
