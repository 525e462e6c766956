#!/usr/bin/env bash
# Batch/20000-png and Batch/200000-png: URL-sized PNG symbols made by one
# `quirvane-encode --batch -j 2`, timed, with the peak memory of each run
# (GNU time's maximum resident set size). The same {n} pattern at ten times
# the lines shows whether memory stays flat. Each batch goes into a new
# folder after a sync, so that earlier runs' writing back is not counted,
# and nothing is deleted until the end: on this machine's file system,
# creating files is several times slower for minutes after many were
# deleted. A file of each batch is read back with zbarimg. The load average
# comes first: measure on a quiet machine.
#   bash bench/batch_throughput.sh [BUILD_DIR] [RUNS]
set -euo pipefail
build=${1:-build}
runs=${2:-3}
tool=$(cd "$build" && pwd)/cli/quirvane-encode
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

echo "load average: $(cut -d ' ' -f 1-3 /proc/loadavg)"
for lines in 20000 200000; do
  for ((i = 0; i < lines; i++)); do printf 'https://example.com/item/%06d?ref=qr\n' "$i"; done > urls.txt
  for ((run = 1; run <= runs; run++)); do
    out=out-$lines-$run
    sync
    /usr/bin/time -f '%e %M' -o time.txt "$tool" --batch urls.txt -j 2 -o "$out/qr-{n}.png"
    read -r seconds kib < time.txt
    [ "$(find "$out" -name '*.png' | wc -l)" -eq "$lines" ]
    seventh=$(printf "$out/qr-%0${#lines}d.png" 7)
    [ "$(zbarimg --quiet --raw -Sdisable -Sqrcode.enable "$seventh" 2>/dev/null)" = \
      "https://example.com/item/000006?ref=qr" ]
    awk -v n="$lines" -v s="$seconds" -v k="$kib" \
      'BEGIN { printf "Batch/%d-png: %.2f s, %.0f symbols a second, peak RSS %.1f MiB\n", n, s, n / s, k / 1024 }'
  done
done
echo "load average: $(cut -d ' ' -f 1-3 /proc/loadavg)"
