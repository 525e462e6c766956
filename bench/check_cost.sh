#!/usr/bin/env bash
# What --check costs a symbol: a batch of symbols of version 1, 10 and 40
# (level M, byte mode, each line cut to fill the version), made on one core
# (-j 1) as PNG and as SVG, with and without --check; the CPU time (user +
# system, GNU time) of the run with the check, less that of the run without,
# divided by the symbols. PNG is read back from the file written, SVG drawn
# at 4 pixels a module first. Lowest of RUNS runs each; the load average
# comes first: measure on a quiet machine.
#   bash bench/check_cost.sh [BUILD_DIR] [RUNS]
set -euo pipefail
build=${1:-build}
runs=${2:-3}
tool=$(cd "$build" && pwd)/cli/quirvane-encode
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# The lowest CPU seconds of `runs` runs of the tool with the arguments given.
lowest() {
  local best=""
  for ((run = 1; run <= runs; run++)); do
    rm -rf out
    /usr/bin/time -f '%U %S' -o time.txt "$tool" "$@" >/dev/null 2>&1
    best=$(awk -v b="$best" '{ s = $1 + $2; print (b == "" || s < b) ? s : b }' time.txt)
  done
  echo "$best"
}

echo "load average: $(cut -d ' ' -f 1-3 /proc/loadavg)"
for version in 1 10 40; do
  symbols=$((version == 40 ? 100 : 400))
  for ((i = 0; i < symbols; i++)); do
    printf '%04d' "$i"
    head -c 3000 /dev/zero | tr '\0' 'x'
    echo
  done > lines.txt
  for type in png svg; do
    args=(--batch lines.txt -j 1 -l M -8 -v "$version" --cut -o "out/{n}.$type")
    plain=$(lowest "${args[@]}")
    checked=$(lowest "${args[@]}" --check)
    awk -v v="$version" -v t="$type" -v n="$symbols" -v p="$plain" -v c="$checked" \
      'BEGIN { printf "Check/v%d-%s: %.2f ms a symbol (%.2f ms without the check)\n", v, t, (c - p) * 1000 / n, p * 1000 / n }'
  done
done
echo "load average: $(cut -d ' ' -f 1-3 /proc/loadavg)"
