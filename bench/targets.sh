#!/usr/bin/env bash
# Runs every speed target of the engine, the chart windows and plotwise-report
# three times and prints each run and the median, wall-clock (and peak memory
# where it is a target). Run it on an idle machine after scripts/build.sh:
#   bench/targets.sh [BUILD]        (default build/)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
export QT_QPA_PLATFORM=offscreen
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

median() { sort -g | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
# The first run of a group after the machine has been idle or busy with
# something else ran up to twice as slow as the runs after it (this virtual
# machine's processors warm up again): every group starts with one run that
# is not counted.

echo "load average at start: $(cut -d' ' -f1-3 /proc/loadavg)"

for rows in 100000 1000000; do
  "$build"/bench/sheet/sheet_fill_bench "$rows" 1 >/dev/null
  for i in 1 2 3; do
    "$build"/bench/sheet/sheet_fill_bench "$rows" 1 | sed -n 's/.*wall:.*total \([0-9.]*\) s.*/\1/p' >> "$work/fill-$rows"
  done
  echo "fill + evaluate, $rows rows, wall s: $(tr '\n' ' ' < "$work/fill-$rows")median $(median < "$work/fill-$rows")"
done
/usr/bin/time -f "%M" -o "$work/peak" "$build"/bench/sheet/sheet_fill_bench 1000000 1 >/dev/null
echo "fill + evaluate, 1000000 rows, peak: $(( $(cat "$work/peak") * 1024 / 1000000 )) MB"

"$build"/bench/chart/control_chart_bench --benchmark_filter='BarRelease' >/dev/null 2>&1
"$build"/bench/chart/control_chart_bench --benchmark_filter='BarRelease' --benchmark_repetitions=3 2>/dev/null \
  | grep -E '^BarRelease' | grep -v -E '_(mean|stddev|cv)'
"$build"/bench/chart/control_chart_bench --benchmark_filter='Activation/1000000' \
  --benchmark_repetitions=3 2>/dev/null | grep -E '^Activation' | grep -v -E '_(mean|stddev|cv)'
"$build"/bench/compare/comparison_window_bench --benchmark_filter='^Activation' >/dev/null 2>&1
"$build"/bench/compare/comparison_window_bench --benchmark_filter='^Activation' --benchmark_repetitions=3 2>/dev/null \
  | grep -E '^Activation' | grep -v -E '_(mean|stddev|cv)'
"$build"/bench/chartcomponent/chartcomponent_bench --benchmark_filter=SavePng --benchmark_repetitions=3 2>/dev/null \
  | grep -E '^BM_SavePng' | grep -v -E '_(mean|stddev|cv)'

for rows in 1000 100000 1000000; do
    /usr/bin/python3 - "$rows" > "$work/data.csv" <<'PY'
import random, sys
random.seed(7)
print("Batch;Gauge1;Gauge2;Gauge3")
for i in range(int(sys.argv[1])):
    print("B%d;%.3f;%.3f;%.3f" % (i + 1, random.gauss(25.01, 0.003), random.gauss(25.01, 0.003), random.gauss(25.01, 0.003)))
PY
  "$build"/plotwise-report "$work/data.csv" --sep ";" --first-row 2 --header-row 1 --x-col '$A' --columns B:D \
    --out "$work/out" 2>/dev/null
  : > "$work/report"
  for i in 1 2 3; do
    rm -rf "$work/out"
    /usr/bin/time -f "%e %M" -a -o "$work/report" "$build"/plotwise-report "$work/data.csv" --sep ";" --first-row 2 \
      --header-row 1 --x-col '$A' --columns B:D --out "$work/out" 2>/dev/null
  done
  echo "plotwise-report, $rows rows, wall s: $(cut -d' ' -f1 "$work/report" | tr '\n' ' ')median $(cut -d' ' -f1 "$work/report" | median), peak $(( $(cut -d' ' -f2 "$work/report" | sort -g | tail -1) * 1024 / 1000000 )) MB"
done
