#!/usr/bin/env bash
# Times plotwise-report over a generated CSV (default 100,000 rows, three
# value columns), start-up included: wall time and peak memory.
# Usage: bench/report/report_bench.sh [ROWS]   (after scripts/build.sh)
set -euo pipefail
cd "$(dirname "$0")/../.."
rows=${1:-100000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 - "$rows" > "$work/data.csv" <<'PY'
import random, sys
random.seed(7)
print("Batch;Gauge1;Gauge2;Gauge3")
for i in range(int(sys.argv[1])):
    print("B%d;%.3f;%.3f;%.3f" % (i + 1, random.gauss(25.01, 0.003), random.gauss(25.01, 0.003), random.gauss(25.01, 0.003)))
PY
/usr/bin/time -f "rows=$rows wall=%es peak_rss=%MkB" "${PLOTWISE_BUILD:-build}"/plotwise-report "$work/data.csv" \
  --sep ";" --first-row 2 --header-row 1 --x-col '$A' --columns B:D --out "$work/out"
