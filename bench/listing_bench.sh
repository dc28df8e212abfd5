#!/usr/bin/env bash
# Lists a folder of 100,000 files (a few hundred subfolders, mixed extensions)
# and reports, in one run: RefreshFileList until the model is filled and
# sorted beside `ls -l` of the same folder, the memory per row above the empty
# window, and the time from process start to the first listing shown beside a
# bare Qt window with an empty list. Windows use the offscreen platform.
#
#   bench/listing_bench.sh [FILES]     default 100000
set -euo pipefail
cd "$(dirname "$0")/.."
files=${1:-100000}
[ -x build/bin/listing_bench ] || bash scripts/build.sh >/dev/null
folder=${BENCH_DIR:-bench/out}/list$files
if [ ! -d "$folder" ]; then
    mkdir -p "$folder"
    perl -e '
        my ($folder, $files) = @ARGV;
        my @ext = qw(.NC .nc .TAP .TXT .MIN .EIA .PRG .DAT .LST .BAK .pdf .png), "";
        mkdir sprintf("%s/DIR%03d", $folder, $_) for 0 .. 299;
        for my $i (0 .. $files - 1) {
            open(my $f, ">", sprintf("%s/O%06d%s", $folder, ($i * 7919) % 1000000, $ext[$i % @ext])) or die;
            print $f "O1\r\n" x ($i % 3);
            close $f;
        }' "$folder" "$files"
fi
export QT_QPA_PLATFORM=offscreen
cat "$folder" >/dev/null 2>&1 || true
ls -l --time-style='+%Y-%m-%d %H:%M' "$folder" > /dev/null # warm the caches

best() { # best of three wall times of a command, in seconds
    local best=""
    for _ in 1 2 3; do
        local start end
        start=$(date +%s.%N)
        "$@" > /dev/null 2>&1
        end=$(date +%s.%N)
        best=$(awk -v a="$best" -v b="$(echo "$end - $start" | bc)" 'BEGIN{print (a == "" || b < a) ? b : a}')
    done
    echo "$best"
}
command -v bc >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -q bc >/dev/null

# Best of nine: from just before the process starts until it reports its window ready.
ready() {
    local best=""
    for _ in 1 2 3 4 5 6 7 8 9; do
        local start ready
        start=$(date +%s%N)
        ready=$("$@" 2>/dev/null | awk '/^ready_at/{print $2}')
        best=$(awk -v a="$best" -v b="$(( (ready - start) / 1000 ))" 'BEGIN{print (a == "" || b < a) ? b : a}')
    done
    awk -v us="$best" 'BEGIN{printf "%.3f", us / 1e6}'
}

ls_time=$(best ls -l --time-style='+%Y-%m-%d %H:%M' "$folder")
lsf_time=$(best ls -f "$folder")
build/bin/listing_bench refresh "$folder" > "$folder.refresh"
refresh=$(awk '/^refresh_seconds/{print $2}' "$folder.refresh")
startup=$(HOME=$(realpath "$folder") ready build/bin/listing_bench startup)
startup_small=$(HOME=$(pwd)/bench ready build/bin/listing_bench startup)
bare=$(ready build/bin/listing_bench bare)
bare_text=$(ready build/bin/listing_bench bare-text)

echo "folder: $(ls -f "$folder" | wc -l) entries"
awk -v r="$refresh" -v l="$ls_time" -v f="$lsf_time" 'BEGIN{
    printf "RefreshFileList  %.3f s   ls -l %.3f s  (%.2f x ls -l; target <= 0.75)   ls -f %.3f s\n", r, l, r / l, f }'
awk '/per_row/{printf "memory           %s %s bytes\n", $1, $2}' "$folder.refresh"
awk '/^resort_/{sub(/^resort_/, "", $1); sub(/_seconds$/, "", $1); line = line sprintf("  %s %.3f s", $1, $2)}
     END{printf "re-sort (ResortOnly) by key and direction:%s\n", line}' "$folder.refresh"
awk -v s="$startup" -v m="$startup_small" -v b="$bare" -v t="$bare_text" 'BEGIN{
    printf "start to first listing (small folder)  %.3f s   bare Qt window %.3f s  (%.2f x; target <= 1.5)\n", m, b, m / b
    printf "bare Qt window with a line of Japanese text  %.3f s  (%.2f x)\n", t, m / t
    printf "start to first listing of the big folder  %.3f s\n", s }'
