#!/usr/bin/env bash
# Start-up benchmark: time from starting krv330 to its main window shown (offscreen
# platform, a simulated programmer with an empty socket: without a programmer the start-up
# would wait at the Msg1 box), and the process's peak memory.
#
#   bench/startup.sh [build-dir] [runs]
#
# The program runs from a temporary folder (its own settings file and language files)
# with KRV330_EXIT_WHEN_SHOWN set, which makes it report the time and close at once.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-bench}"
runs="${2:-10}"
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (Debian package: time)" >&2; exit 1; }

# The same options as hexfile_vs_srec_cat.sh, so that either script can run first in the
# folder; the build is incremental.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DKRV330_TESTS=OFF -DKRV330_BENCH=ON >/dev/null
cmake --build "$build" -j4 --target krv330 >"$build/bench-build.log" 2>&1 ||
  { cat "$build/bench-build.log" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$build/krv330" lang/English.ini lang/Spanish.ini "$work/"
mkdir -m 700 "$work/run"

printf '%-5s %12s %12s %14s\n' run "shown (ms)" "total (s)" "peak RSS (KB)"
shown_all=() rss_all=()
for i in $(seq 1 "$runs"); do
  out="$(env QT_QPA_PLATFORM=offscreen KRV330_EXIT_WHEN_SHOWN=1 KRV330_SIMULATOR=PICunknown \
           XDG_RUNTIME_DIR="$work/run" \
           /usr/bin/time -f 'TIME %e %M' "$work/krv330" 2>&1)"
  shown="$(sed -n 's/^shown after \([0-9]*\) ms$/\1/p' <<<"$out")"
  read -r total rss < <(sed -n 's/^TIME //p' <<<"$out")
  printf '%-5s %12s %12s %14s\n' "$i" "$shown" "$total" "$rss"
  shown_all+=("$shown") rss_all+=("$rss")
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
echo "median: shown after $(median "${shown_all[@]}") ms, peak RSS $(median "${rss_all[@]}") KB"
