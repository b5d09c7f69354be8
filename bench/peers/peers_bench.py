"""Times plotwise-report beside its peers on the same data, in one run.

For each size (1,000 / 100,000 / 1,000,000 rows by default) it writes a CSV
of a batch column and three gauge columns, runs the whole plotwise-report
(import, fill, recalculation, three PNG charts, statistics, grid.csv) and the
same statistics hand-vectorised with numpy (numpy_statistics.py, on the
distribution's /usr/bin/python3), each several times, and prints the median
wall times and their ratios. A peer that cannot run is named as missing, with
the reason, instead of being left out silently.

Usage: /usr/bin/python3 bench/peers/peers_bench.py [--build DIR] [--sizes 1000,100000]
       [--repeats 3]   (after building plotwise-report)
"""
import argparse
import os
import random
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
PEER_PYTHON = "/usr/bin/python3"


def write_data(path, rows):
    random.seed(7)
    with open(path, "w") as out:
        out.write("Batch;Gauge1;Gauge2;Gauge3\n")
        for i in range(rows):
            out.write("B%d;%.3f;%.3f;%.3f\n" % (i + 1, random.gauss(25.01, 0.003), random.gauss(25.01, 0.003),
                                                 random.gauss(25.01, 0.003)))


def timed(command, env=None):
    """Wall seconds of one run and its standard output; raises on failure."""
    start = time.perf_counter()
    done = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True, env=env)
    elapsed = time.perf_counter() - start
    if done.returncode != 0:
        raise RuntimeError((done.stderr.strip().splitlines() or ["exit code %d" % done.returncode])[-1])
    return elapsed, done.stdout


def peer_missing_reason():
    """Why the numpy peer cannot run, or None."""
    if not os.access(PEER_PYTHON, os.X_OK):
        return "%s not found" % PEER_PYTHON
    check = subprocess.run([PEER_PYTHON, "-c", "import numpy"], stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                           text=True)
    if check.returncode != 0:
        return "numpy cannot be imported by %s (%s)" % (PEER_PYTHON, check.stderr.strip().splitlines()[-1])
    return None


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", default=os.path.join(ROOT, "build"))
    parser.add_argument("--sizes", default="1000,100000,1000000")
    parser.add_argument("--repeats", type=int, default=3)
    args = parser.parse_args()
    sizes = [int(s) for s in args.sizes.split(",")]
    report = os.path.join(args.build, "plotwise-report")
    report_missing = None if os.access(report, os.X_OK) else "%s not found (build it first)" % report
    numpy_missing = peer_missing_reason()
    if report_missing:
        print("plotwise-report missing: " + report_missing)
    if numpy_missing:
        print("peer numpy missing: " + numpy_missing)
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    try:
        load = open("/proc/loadavg").read().split()[0]
    except OSError:
        load = "?"
    print("load average at start: %s; medians of %d runs, wall seconds" % (load, args.repeats))
    print("%10s  %16s  %16s  %18s  %14s  %14s" % ("rows", "plotwise-report", "numpy (whole)", "numpy (compute)",
                                                   "report/numpy", "report/compute"))
    with tempfile.TemporaryDirectory() as work:
        for rows in sizes:
            data = os.path.join(work, "data%d.csv" % rows)
            write_data(data, rows)
            report_time = whole_time = compute_time = None
            note = ""
            if not report_missing:
                runs = []
                for _ in range(args.repeats):
                    command = [report, data, "--sep", ";", "--first-row", "2", "--header-row", "1", "--x-col", "$A",
                               "--columns", "B:D", "--out", os.path.join(work, "out")]
                    runs.append(timed(command, env)[0])
                report_time = statistics.median(runs)
            if not numpy_missing:
                wholes, computes = [], []
                for _ in range(args.repeats):
                    elapsed, output = timed([PEER_PYTHON, os.path.join(HERE, "numpy_statistics.py"), data])
                    wholes.append(elapsed)
                    computes.append(float(output.split()[0]))
                    note = " ".join(output.split()[1:])
                whole_time = statistics.median(wholes)
                compute_time = statistics.median(computes)

            def cell(x, width):
                return ("%*.3f" % (width, x)) if x is not None else "%*s" % (width, "missing")

            def ratio(a, b, width):
                return ("%*.1f" % (width, a / b)) if a is not None and b else "%*s" % (width, "-")

            print("%10d  %s  %s  %s  %s  %s   %s" % (rows, cell(report_time, 16), cell(whole_time, 16),
                                                    cell(compute_time, 18), ratio(report_time, whole_time, 14),
                                                    ratio(report_time, compute_time, 14), note))
    return 1 if (report_missing and numpy_missing) else 0


if __name__ == "__main__":
    sys.exit(main())
