#!/usr/bin/env bash
# Load and save of a full image of the largest dsPIC30 (49152 instructions, 4 KB EEPROM)
# here and in srec_cat (which reads and writes the same file), and their ratio.
#   bench/hexfile_vs_srec_cat.sh [build folder, default build-bench]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-bench}"
# The same options as startup.sh, so that either script can run first in the folder; the
# build is incremental.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DKRV330_TESTS=OFF -DKRV330_BENCH=ON >/dev/null
cmake --build "$build" -j4 --target bench_hexfile >"$build/bench-build.log" 2>&1 ||
  { cat "$build/bench-build.log" >&2; exit 1; }
command -v srec_cat >/dev/null || { echo "srec_cat is missing: run scripts/setup.sh" >&2; exit 1; }

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
csv="$(KRV330_BENCH_HEX="$tmp/image.hex" "$build/bench/bench_hexfile" \
  --benchmark_filter='HexLargest' --benchmark_format=csv 2>/dev/null)"
# real_time in ms of one run (the benchmarks report milliseconds).
ms() { echo "$csv" | awk -F, -v n="\"$1\"" '$1 == n { print $3 }'; }
load="$(ms BM_LoadHexLargestDsPic30)"
save="$(ms BM_SaveHexLargestDsPic30)"

# srec_cat's time for the image, and for a one-record file (its start-up), per run in ms.
runs=20
srec_ms() {
  local start end
  start="$(date +%s%N)"
  for _ in $(seq "$runs"); do srec_cat "$1" -intel -o "$tmp/out.hex" -intel; done
  end="$(date +%s%N)"
  awk -v a="$start" -v b="$end" -v n="$runs" 'BEGIN { printf "%.3f", (b - a) / n / 1e6 }'
}
printf ':0100000000FF\r\n:00000001FF\r\n' >"$tmp/tiny.hex"
srec="$(srec_ms "$tmp/image.hex")"
startup="$(srec_ms "$tmp/tiny.hex")"

size="$(stat -c %s "$tmp/image.hex")"
awk -v l="$load" -v s="$save" -v r="$srec" -v u="$startup" -v z="$size" 'BEGIN {
  printf "HEX image of the largest dsPIC30: %d bytes\n", z
  printf "here:     load %.3f ms + save %.3f ms = %.3f ms\n", l, s, l + s
  printf "srec_cat: read and write %.3f ms, of which start-up %.3f ms\n", r, u
  printf "ratio srec_cat / here: %.1f (without its start-up %.1f)\n", r / (l + s), (r - u) / (l + s)
}'
