#!/usr/bin/env bash
# Batch/10000-png: 10,000 short URLs to PNG files with one `quirvane-encode
# --batch`, beside the same symbols made by separate runs, timed by this one
# script. The separate runs are timed on the first RUNS lines (default 500)
# and scaled to 10,000, since running them all takes minutes.
#   bash bench/batch_vs_runs.sh [BUILD_DIR] [RUNS]
set -euo pipefail
build=${1:-build}
runs=${2:-500}
tool=$(cd "$build" && pwd)/cli/quirvane-encode
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

for ((i = 0; i < 10000; i++)); do printf 'https://example.com/item/%05d?ref=qr\n' "$i"; done > urls.txt
mkdir batch single

start=$(date +%s.%N)
"$tool" --batch urls.txt -o 'batch/qr-{n}.png' 2> batch.log
batch=$(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { print b - a }')

start=$(date +%s.%N)
n=0
while IFS= read -r url && ((n < runs)); do
  n=$((n + 1))
  "$tool" -o "single/qr-$n.png" "$url" 2> /dev/null
done < urls.txt
single=$(awk -v a="$start" -v b="$(date +%s.%N)" -v n="$runs" 'BEGIN { print (b - a) * 10000 / n }')

cmp -s batch/qr-00001.png single/qr-1.png || { echo "batch and single runs differ" >&2; exit 1; }
tail -n 1 batch.log
printf 'Batch/10000-png: %.2f s; 10,000 separate runs: %.1f s (from %d timed); %.0fx faster\n' \
  "$batch" "$single" "$runs" "$(awk -v s="$single" -v b="$batch" 'BEGIN { print s / b }')"
