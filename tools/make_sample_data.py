#!/usr/bin/env python3
"""Writes the sample data shipped with Plotwise: data/Sampledata_multi.vts (native
workbook) and data/Sampledata_multi.csv (the same rows as ";"-separated text).

The data: a turned shaft of nominal diameter 25.000 mm, measured once per
working day by three gauges. Column A holds the date, B to D the three
readings in mm (three decimals). The process runs stably around 25.010 mm with
stretches built in so that each of the five run rules fires on each of the
three control charts (row mean, row range, row difference):

  1 a point beyond a control limit (3 sigma)
  2 seven points in a row on one side of the centre line
  3 seven points in a row rising (or falling)
  4 two of three points beyond a warning limit (2 sigma)
  5 ten of eleven points on one side of the centre line

Two rows are incomplete (an empty reading, a non-numeric reading): the chart
leaves them out. The script checks its own output against the chart rules
and stops with an error when a rule would not fire.

Usage: tools/make_sample_data.py [output folder, default: data/ beside tools/]
"""

import datetime
import os
import random
import statistics
import sys

ROWS = 200                    # complete data rows
NOMINAL = 25.010              # process centre, mm
PROCESS_SIGMA = 0.0022        # day-to-day variation of the true diameter
GAUGE_SIGMA = 0.0010          # repeatability of one reading
GAUGE_BIAS = (0.0, 0.0008, -0.0006)
FIRST_DAY = datetime.date(2026, 1, 5)
SHEET_NAME = "Messwerte"
HEADERS = ("Datum", "Messung 1", "Messung 2", "Messung 3")


def working_days(start, count):
    day = start
    while count:
        if day.weekday() < 5:
            yield day
            count -= 1
        day += datetime.timedelta(days=1)


def serial(day):
    """Spreadsheet serial number of a date (1900 date system)."""
    return (day - datetime.date(1899, 12, 30)).days


def build_rows(rng):
    """Three readings per day: the day's true value plus each gauge's bias and noise."""
    centre = [NOMINAL + rng.gauss(0, PROCESS_SIGMA) for _ in range(ROWS)]
    # Gauge deviations from the day's value; stretches below overwrite them.
    spread = [[GAUGE_BIAS[g] + rng.gauss(0, GAUGE_SIGMA) for g in range(3)] for _ in range(ROWS)]

    def quiet(t):
        spread[t] = [GAUGE_BIAS[g] + rng.gauss(0, 0.0003) for g in range(3)]

    # Mean chart.
    centre[18] = NOMINAL + 0.0125                      # rule 1: far above
    for t in range(32, 40):                            # rule 2: eight days slightly high
        centre[t] = NOMINAL + 0.0026 + rng.gauss(0, 0.0004)
    for k, t in enumerate(range(55, 64)):              # rule 3: nine days rising (tool wear)
        centre[t] = NOMINAL - 0.0060 + 0.0016 * k
        quiet(t)
    for t, offset in ((86, -0.0072), (87, -0.0010), (88, -0.0075)):   # rule 4: two of three low
        centre[t] = NOMINAL + offset
        quiet(t)
    for k, t in enumerate(range(104, 115)):            # rule 5: ten of eleven low, one high in between
        centre[t] = NOMINAL + (0.0015 if k == 5 else -0.0022 + rng.gauss(0, 0.0004))
        quiet(t)

    # Range chart (and with it the difference chart: gauge 3 against gauge 1).
    spread[126] = [0.0, 0.0007, 0.0135]                # rule 1: gauge 3 slips once
    for t in range(134, 142):                          # rule 2: eight days of loose gauges
        d = 0.0040 + rng.uniform(0, 0.0012)
        spread[t] = [-d / 2, 0.0002, d / 2]
    for k, t in enumerate(range(146, 155)):            # rule 3: nine days of growing spread
        spread[t] = [0.0, 0.0, 0.001 * (k + 1)]
        centre[t] = round(centre[t], 3)
    for t, d in ((160, 0.0088), (161, 0.0012), (162, 0.0091)):        # rule 4: two of three wide
        spread[t] = [-d / 2, 0.0, d / 2]
    for k, t in enumerate(range(168, 179)):            # rule 5: ten of eleven wide, one narrow
        d = 0.0008 if k == 4 else 0.0042 + rng.uniform(0, 0.0008)
        spread[t] = [-d / 2, 0.0002, d / 2]

    # Difference chart, low side: gauge 1 reads high, so gauges 2 and 3 differ negatively.
    for t in range(186, 195):                          # rules 2 and 5: nine days below
        spread[t] = [0.0030, 0.0002 + rng.gauss(0, 0.0003), -0.0002 + rng.gauss(0, 0.0003)]
    spread[197] = [0.0110, 0.0, 0.0004]                # rule 1 on the low side

    rows = []
    for t in range(ROWS):
        rows.append([round(centre[t] + spread[t][g] + 1e-9, 3) for g in range(3)])
    return rows


# --- the chart rules, as the computation template evaluates them -------------

def row_difference(b, c, d):
    first, second = c - b, d - b
    return second if abs(second) >= abs(first) else first


def rule_hits(values, centre, warn_low, warn_high, ctrl_low, ctrl_high):
    """Rows (0-based) on which each rule fires."""
    n = len(values)
    above = [v > centre + 1e-12 for v in values]
    below = [v < centre - 1e-12 for v in values]
    rising = [i > 0 and values[i] > values[i - 1] + 1e-12 for i in range(n)]
    falling = [i > 0 and values[i] < values[i - 1] - 1e-12 for i in range(n)]
    beyond_high = [v > warn_high for v in values]
    beyond_low = [v < warn_low for v in values]

    def window(flags, i, size, need):
        return i >= size - 1 and sum(flags[i - size + 1:i + 1]) >= need

    hits = {r: [] for r in range(1, 6)}
    for i, v in enumerate(values):
        if (ctrl_high is not None and v > ctrl_high) or (ctrl_low is not None and v < ctrl_low):
            hits[1].append(i)
        if window(above, i, 7, 7) or window(below, i, 7, 7):
            hits[2].append(i)
        if window(rising, i, 7, 7) or window(falling, i, 7, 7):
            hits[3].append(i)
        if window(beyond_high, i, 3, 2) or window(beyond_low, i, 3, 2):
            hits[4].append(i)
        if window(above, i, 11, 10) or window(below, i, 11, 10):
            hits[5].append(i)
    return hits


def check_rules(rows):
    means = [sum(r) / 3 for r in rows]
    ranges = [max(r) - min(r) for r in rows]
    diffs = [row_difference(*r) for r in rows]

    m, s = statistics.fmean(means), statistics.pstdev(means)
    mean_hits = rule_hits(means, m, m - 2 * s, m + 2 * s, m - 3 * s, m + 3 * s)
    rm, rs = statistics.fmean(ranges), statistics.stdev(ranges)
    range_hits = rule_hits(ranges, rm, float("-inf"), rm + 2 * rs, None, rm + 3 * rs)
    dm, ds = statistics.fmean(diffs), statistics.stdev(diffs)
    diff_hits = rule_hits(diffs, dm, dm - 2 * ds, dm + 2 * ds, dm - 3 * ds, dm + 3 * ds)

    ok = True
    for name, hits in (("mean", mean_hits), ("range", range_hits), ("difference", diff_hits)):
        for rule in range(1, 6):
            rows_hit = [i + 2 for i in hits[rule]]  # as data rows below the header
            print(f"{name:>10} rule {rule}: {len(rows_hit):3d} rows {rows_hit[:12]}")
            ok = ok and bool(rows_hit)
    return ok


# --- output ------------------------------------------------------------------

def quote(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def number_text(value):
    return repr(float(value)).rstrip("0").rstrip(".") if "." in repr(float(value)) else repr(float(value))


def write_outputs(folder, days, rows, incomplete):
    """incomplete: row index -> (gauge index, cell content or None for empty)."""
    vts = ["PLOTWISE-WORKBOOK 1", "sheet " + quote(SHEET_NAME)]
    csv = [";".join(HEADERS)]
    for col, header in enumerate(HEADERS):
        vts.append(f"cell {'ABCD'[col]}1 t {quote(header)}")
    line = 2
    for t, (day, values) in enumerate(zip(days, rows)):
        cells = [f"{v:.3f}" for v in values]
        if t in incomplete:
            gauge, content = incomplete[t]
            cells[gauge] = content if content is not None else ""
        vts.append(f"cell A{line} n {serial(day)} fmt {quote('dd.mm.yyyy')}")
        for col, text in enumerate(cells, start=1):
            letter = "ABCD"[col]
            if text == "":
                continue
            try:
                vts.append(f"cell {letter}{line} n {number_text(float(text))} fmt {quote('0.000')}")
            except ValueError:
                vts.append(f"cell {letter}{line} t {quote(text)}")
        csv.append(";".join([day.strftime("%d.%m.%Y")] + cells))
        line += 1
    vts.append("end")
    with open(os.path.join(folder, "Sampledata_multi.vts"), "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(vts) + "\n")
    with open(os.path.join(folder, "Sampledata_multi.csv"), "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(csv) + "\n")


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data")
    rng = random.Random(20260105)
    rows = build_rows(rng)
    if not check_rules(rows):
        sys.exit("make_sample_data: a rule does not fire; adjust the stretches")

    # Two incomplete days, inserted as extra rows: the charts skip them.
    all_rows = rows[:70] + [[25.011, None, 25.009]] + rows[70:120] + [[25.012, 25.010, None]] + rows[120:]
    incomplete = {70: (1, None), 121: (2, "n.m.")}
    printable = [[v if v is not None else 0.0 for v in r] for r in all_rows]
    days = list(working_days(FIRST_DAY, len(all_rows)))
    write_outputs(folder, days, printable, incomplete)
    print(f"wrote {len(all_rows)} data rows to {os.path.normpath(folder)}")


if __name__ == "__main__":
    main()
