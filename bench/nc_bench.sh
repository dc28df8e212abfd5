#!/usr/bin/env bash
# Times every conversion of tornwel-nc on a generated CAM-style program beside
# cp of the same file (the I/O floor) and a perl one-liner doing the same kind
# of work, and reports the peak memory of each.
#
#   bench/nc_bench.sh [MEGABYTES]      default 100; 2048 shows memory on a 2 GB input
set -euo pipefail
cd "$(dirname "$0")/.."
size=${1:-100}
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

# Best of three runs: seconds and peak resident kilobytes.
measure() {
    local best="" mem=""
    for _ in 1 2 3; do
        /usr/bin/time -f "%e %M" -o "$work/time.txt" "$@" > /dev/null
        read -r seconds kilobytes < "$work/time.txt"
        if [ -z "$best" ] || awk "BEGIN{exit !($seconds < $best)}"; then best=$seconds; mem=$kilobytes; fi
    done
    echo "$best $mem"
}

echo "input: $(du -m "$dec" | cut -f1) MB ($(wc -l < "$dec") lines), integer variant $(du -m "$int" | cut -f1) MB"
cp_dec=$(measure cp "$dec" "$work/copy.NC")
cp_int=$(measure cp "$int" "$work/copy.NC")
printf "cp      %.2f s (decimal input), %.2f s (integer input)\n" "${cp_dec% *}" "${cp_int% *}"
# cp copies inside the kernel; cat reads and writes through user space like a converter.
cat_dec=$(measure sh -c 'cat "$1" > "$2"' sh "$dec" "$work/copy.NC")
printf "cat     %.2f s (decimal input)\n" "${cat_dec% *}"
rm -f "$work/copy.NC"

compare() {
    local name=$1 floor=$2 perlcode=$3 input=$4
    shift 4
    local tool perl
    tool=$(measure "$nc" "$@")
    perl=$(measure perl -e "$perlcode" "$input")
    awk -v n="$name" -v t="${tool% *}" -v m="${tool#* }" -v c="${floor% *}" -v p="${perl% *}" 'BEGIN{
        printf "%-7s %6.2f s  %5.1f x cp  perl %6.2f s (%5.1f x faster)  peak %6.1f MB\n",
               n, t, (c > 0 ? t / c : 0), p, (t > 0 ? p / t : 0), m / 1024 }'
}

out="$work/out.NC"
compare double "$cp_dec" 'while(<>){s/X(-?[\d.]+)/"X".sprintf("%.3f",$1*2)/e;print}' "$dec" \
    double --axis X -o "$out" "$dec"
compare insert "$cp_int" 'while(<>){s/([A-FH-MQ-Z])(-?\d+)(?![\d.])/$1.sprintf("%.3f",$2*0.001)/ge;print}' "$int" \
    insert -o "$out" "$int"
compare remove "$cp_dec" 'while(<>){s/([A-FH-MQ-Z])(-?\d*\.\d*)/$1.sprintf("%.0f",$2*1000)/ge;print}' "$dec" \
    remove -o "$out" "$dec"
compare vars "$cp_dec" 'my %s;while(<>){$s{$1}=1 while /(#\d*)/g}print join("\n",sort keys %s),"\n"' "$dec" \
    vars -o "$out" "$dec"
rm -rf "$work/split"
compare split "$cp_dec" 'my $f;while(<>){if(/^[O:L]/){($n)=/^([^(\r\n]*)/;open($f,">","'"$work"'/split/$n.NC")}print $f $_ if $f}' "$dec" \
    split --dest "$work/split" "$dec"
rm -rf "$work/split" "$out" "$work/time.txt"
