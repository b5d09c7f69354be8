#!/usr/bin/python3
"""Independent reference figures for the capability module's tests.

Computes the capability figures of a few small data sets with numpy, scipy
and statsmodels (Debian's python3-numpy, python3-scipy, python3-statsmodels)
and writes them as C++ tables beside this script: reference_figures.inc for
capability_figures_test.cpp, reference_quantiles.inc (chi-square quantiles)
for distributions_test.cpp. Rerun after changing a data set:

    /usr/bin/python3 tests/capability/reference_figures.py
"""
import math
import os
from decimal import Decimal, getcontext

import numpy as np
from scipy import stats
from statsmodels.stats.diagnostic import normal_ad

NA = None  # a figure that does not exist for the data set (an error cell)


# scipy's chi2.ppf loses accuracy for millions of degrees of freedom (at
# nu = 2,999,999 and p = 1e-6 its quantile is off by 1.4e-8, P by 8e-5), so
# every quantile is refined with Newton steps on a 50-digit evaluation of
# the incomplete gamma series.
getcontext().prec = 50
PI = Decimal("3.14159265358979323846264338327950288419716939937510")


def log_gamma(a):
    shift = Decimal(0)
    while a < 40:
        shift += a.ln()
        a += 1
    # Stirling's series, accurate to far beyond 50 digits for a >= 40.
    s = (a - Decimal("0.5")) * a.ln() - a + (2 * PI).ln() / 2
    power = a
    for b in (Decimal(1) / 12, -Decimal(1) / 360, Decimal(1) / 1260, -Decimal(1) / 1680,
              Decimal(1) / 1188, -Decimal(691) / 360360, Decimal(1) / 156):
        s += b / power
        power *= a * a
    return s - shift


def gamma_p(a, x):
    term = 1 / a
    total = term
    n = 1
    while term > total * Decimal("1e-45"):
        term = term * x / (a + n)
        total += term
        n += 1
    return (a * x.ln() - x - log_gamma(a)).exp() * total


def chi2_quantile(p, nu):
    a = Decimal(nu) / 2
    x = Decimal(stats.chi2.ppf(p, nu)) / 2
    for _ in range(4):
        density = ((a - 1) * x.ln() - x - log_gamma(a)).exp()
        x -= (gamma_p(a, x) - Decimal(p)) / density
    return float(2 * x)


def data_sets():
    rng = np.random.default_rng(20261208)
    sets = []
    # Three columns, two limits and a target: every index with its bounds.
    sets.append(("three columns, both limits, target", 3,
                 np.round(rng.normal(10.0, 0.2, 75), 3), 9.4, 10.7, 10.05))
    # One column, upper limit only (Cpu, Ppu), moving ranges.
    sets.append(("one column, upper limit", 1,
                 np.round(rng.normal(50.0, 2.0, 40), 2), None, 56.0, None))
    # Two columns, lower limit only (Cpl, Ppl), skewed values: a small p-value.
    sets.append(("two columns, lower limit, skewed", 2,
                 np.round(1.0 + rng.exponential(0.5, 60), 3), 0.9, None, None))
    # Values spread evenly: an Anderson-Darling statistic in the lowest piece.
    sets.append(("one column, uniform spread", 1,
                 np.round(stats.norm.ppf((np.arange(1, 31) - 0.5) / 30) + 5.0, 4), 2.0, 8.0, 8.5))
    # Mildly heavy tails: the middle pieces of the p-value.
    sets.append(("three columns, t distribution", 3,
                 np.round(rng.standard_t(4, 36) + 20.0, 3), 17.5, 22.5, None))
    sets.append(("two columns, t distribution", 2,
                 np.round(rng.standard_t(3, 50) + 7.0, 3), 4.0, 10.0, 7.0))
    return sets


def figures(columns, values, lsl, usl, target):
    x = np.asarray(values, dtype=float)
    n = x.size
    nu = n - 1
    mean = x.mean()
    sigma_overall = x.std(ddof=1)
    if columns == 1:
        sigma_within = np.abs(np.diff(x)).mean() / (2 / math.sqrt(math.pi))
    else:
        rows = x.reshape(-1, columns)
        ranges = rows.max(axis=1) - rows.min(axis=1)
        sigma_within = ranges.mean() / (columns / math.sqrt(math.pi))

    chi_low = math.sqrt(chi2_quantile(0.025, nu) / nu)
    chi_high = math.sqrt(chi2_quantile(0.975, nu) / nu)

    def spread_index(label, sigma):
        c = (usl - lsl) / (6 * sigma)
        return (label, c, c * chi_low, c * chi_high)

    def bissell(label, c):
        half = 1.96 * math.sqrt(1 / (9 * n) + c * c / (2 * nu))
        return (label, c, c - half, c + half)

    indices = []
    for within, sigma in ((True, sigma_within), (False, sigma_overall)):
        p = "C" if within else "P"
        if lsl is not None and usl is not None:
            indices.append(spread_index(p + "p", sigma))
            indices.append(bissell(p + "pk", min(usl - mean, mean - lsl) / (3 * sigma)))
        elif usl is not None:
            indices.append(bissell(p + "pu", (usl - mean) / (3 * sigma)))
        else:
            indices.append(bissell(p + "pl", (mean - lsl) / (3 * sigma)))
    if target is not None:
        cpm = (usl - lsl) / (6 * math.sqrt(sigma_overall ** 2 + (mean - target) ** 2))
        indices.append(("Cpm", cpm, NA, NA))

    def ppm(below, above):
        b = below * 1e6 if lsl is not None else NA
        a = above * 1e6 if usl is not None else NA
        total = (b or 0.0) + (a or 0.0)
        return (b, a, total)

    observed = ppm(np.mean(x < lsl) if lsl is not None else 0.0,
                   np.mean(x > usl) if usl is not None else 0.0)

    def expected(sigma):
        below = stats.norm.cdf((lsl - mean) / sigma) if lsl is not None else 0.0
        above = stats.norm.sf((usl - mean) / sigma) if usl is not None else 0.0
        return ppm(below, above)

    ad2, pvalue = normal_ad(x)
    return dict(mean=mean, sigma_within=sigma_within, sigma_overall=sigma_overall,
                indices=indices, observed=observed, within=expected(sigma_within),
                overall=expected(sigma_overall), ad2=ad2, pvalue=float(pvalue),
                adjusted=ad2 * (1 + 0.75 / n + 2.25 / n ** 2))


def cpp(v):
    if v is None:
        return "kMissing"
    return repr(float(v))


def optional(v):
    return "std::nullopt" if v is None else repr(float(v))


def write(lines, name):
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), name)
    with open(path, "w") as fh:
        fh.write("\n".join(lines) + "\n")


def main():
    out = ["// Written by reference_figures.py (numpy, scipy, statsmodels); do not edit.", "",
           "const ReferenceSet kReferenceSets[] = {"]
    for name, columns, values, lsl, usl, target in data_sets():
        f = figures(columns, values, lsl, usl, target)
        out.append("{")
        out.append(f'    "{name}", {columns}, {{{optional(lsl)}, {optional(usl)}, {optional(target)}}},')
        out.append("    {" + ", ".join(repr(float(v)) for v in values) + "},")
        out.append(f"    {cpp(f['mean'])}, {cpp(f['sigma_within'])}, {cpp(f['sigma_overall'])},")
        out.append("    {" + ", ".join(
            f'{{"{label}", {cpp(c)}, {cpp(lo)}, {cpp(hi)}}}' for label, c, lo, hi in f["indices"]) + "},")
        for key in ("observed", "within", "overall"):
            out.append("    {" + ", ".join(cpp(v) for v in f[key]) + "},")
        out.append(f"    {cpp(f['ad2'])}, {cpp(f['adjusted'])}, {cpp(f['pvalue'])},")
        out.append("},")
    # Chi-square quantiles from one degree of freedom to three million.
    out.append("};")
    write(out, "reference_figures.inc")

    out = ["// Written by reference_figures.py (scipy); do not edit.", "",
           "const ChiSquareQuantile kChiSquareQuantiles[] = {"]
    rows = []
    for nu in (1, 2, 3, 7, 24, 99, 1000, 29999, 2999999):
        for p in (0.025, 0.975, 0.5, 1e-6):
            rows.append(f"    {{{p!r}, {nu}.0, {chi2_quantile(p, nu)!r}}}")
    out.append(",\n".join(rows))
    out.append("};")
    write(out, "reference_quantiles.inc")
    for name, columns, values, lsl, usl, target in data_sets():
        f = figures(columns, values, lsl, usl, target)
        print(f"{name}: A*2 = {f['adjusted']:.4f}, p = {f['pvalue']:.4g}")


if __name__ == "__main__":
    main()
