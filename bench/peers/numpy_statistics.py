"""The control chart statistics of plotwise-report, hand-vectorised with numpy.

Reads the benchmark's CSV (Batch;Gauge1;Gauge2;Gauge3) and computes what the
computation template gives: the row means, ranges and differences, their
centre lines, standard deviations and limits, and the rows on which a rule of
each chart fires. Plain IEEE arithmetic and comparisons: a floor for the
time, not a reference for near ties. Prints one line: the seconds the
computation took (reading the file excluded) and a few of the figures.
Usage: /usr/bin/python3 numpy_statistics.py FILE.csv
"""
import sys
import time

import numpy as np


def window_sum(flags, width):
    """Sum over the last `width` rows, the rows before the first counting 0."""
    c = np.cumsum(np.concatenate((np.zeros(width, dtype=np.int64), flags.astype(np.int64))))
    return c[width:] - c[:-width]


def rule_rows(values, centre, lower_warning, upper_warning, lower_control, upper_control):
    """Rows on which any of the five rules fires."""
    above = values > centre
    below = values < centre
    previous = np.concatenate(([np.nan], values[:-1]))
    rising = values > previous
    falling = values < previous
    beyond = (values > upper_control) | (values < lower_control)
    seven_side = (window_sum(above, 7) == 7) | (window_sum(below, 7) == 7)
    seven_trend = (window_sum(rising, 7) == 7) | (window_sum(falling, 7) == 7)
    two_of_three = (window_sum(values < lower_warning, 3) > 1) | (window_sum(values > upper_warning, 3) > 1)
    ten_of_eleven = (window_sum(above, 11) > 9) | (window_sum(below, 11) > 9)
    return int(np.count_nonzero(beyond | seven_side | seven_trend | two_of_three | ten_of_eleven))


def main():
    data = np.loadtxt(sys.argv[1], delimiter=";", skiprows=1, usecols=(1, 2, 3), ndmin=2)
    start = time.perf_counter()
    b, c, d = data[:, 0], data[:, 1], data[:, 2]
    means = data.mean(axis=1)
    ranges = data.max(axis=1) - data.min(axis=1)
    differences = np.where(np.abs(c - b) > np.abs(d - b), c - b, d - b)

    centre = means.mean()
    sigma = means.std()
    mean_alarms = rule_rows(means, centre, centre - 2 * sigma, centre + 2 * sigma, centre - 3 * sigma,
                            centre + 3 * sigma)
    range_centre = ranges.mean()
    range_sigma = ranges.std(ddof=1)
    range_above = ranges > range_centre
    range_previous = np.concatenate(([np.nan], ranges[:-1]))
    range_alarms = int(np.count_nonzero(
        (ranges > range_centre + 3 * range_sigma)
        | (window_sum(range_above, 7) == 7)
        | (window_sum(ranges > range_previous, 7) == 7) | (window_sum(ranges < range_previous, 7) == 7)
        | (window_sum(ranges > range_centre + 2 * range_sigma, 3) > 1)
        | (window_sum(range_above, 11) > 9)))
    difference_centre = differences.mean()
    difference_sigma = differences.std(ddof=1)
    difference_alarms = rule_rows(differences, difference_centre, difference_centre - 2 * difference_sigma,
                                  difference_centre + 2 * difference_sigma, difference_centre - 3 * difference_sigma,
                                  difference_centre + 3 * difference_sigma)
    elapsed = time.perf_counter() - start
    print("%.6f centre=%.6f sigma=%.6f alarms=%d,%d,%d" % (elapsed, centre, sigma, mean_alarms, range_alarms,
                                                           difference_alarms))


if __name__ == "__main__":
    main()
