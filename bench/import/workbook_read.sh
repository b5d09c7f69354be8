#!/bin/sh
# Workbook import speed and memory: the reader program alone and the whole
# import as the window runs it, on a 1,000,000-row x 4-number .xlsx and on
# small files that stand for far more. Figures go to docs/performance.md.
#
#   bench/import/workbook_read.sh [BUILD_DIR] [WORK_DIR]
#
# With LibreOffice installed (soffice), its conversion of the large file to CSV
# is timed too, for comparison.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../../build}" && pwd)
work=${2:-/tmp/plotwise-workbook-bench}
mkdir -p "$work"
reader="$build/plotwise-workbook-reader"
bench="$build/bench/import/workbook_import_bench"
export PLOTWISE_WORKBOOK_READER="$reader"

[ -f "$work/large.xlsx" ] || /usr/bin/python3 "$here/make_large_workbook.py" "$work/large.xlsx" 1000000
[ -f "$work/repeats.ods" ] || /usr/bin/python3 "$here/make_hostile_workbooks.py" "$work"

measure() {
    /usr/bin/time -f "  wall %e s, user %U s, system %S s, peak %M KiB" "$@"
}

ls -l "$work"/*.xlsx "$work"/*.ods
echo "reader program alone, large.xlsx:"
measure "$reader" xlsx "$work/large.xlsx" > /dev/null
for file in large.xlsx huge_entry.xlsx huge_rows.ods repeats.ods; do
    echo "whole import, $file:"
    measure "$bench" "$work/$file" || true
done
if command -v soffice > /dev/null; then
    echo "LibreOffice, large.xlsx to CSV:"
    measure soffice "-env:UserInstallation=file://$work/lo-profile" --headless --convert-to csv \
        --outdir "$work/lo" "$work/large.xlsx" > /dev/null
fi
