// The few distribution functions the capability figures need: the standard
// normal distribution with accurate tails, the regularised incomplete gamma
// function and the chi-square quantile built on its inverse. Written here
// rather than taken from a library so the program has no numeric dependency
// and the results can be checked against an independent implementation.
#pragma once

namespace capability {

// Standard normal distribution function Phi(z), accurate in both tails.
double normalCdf(double z);

// log Phi(z), finite for every finite z (no underflow far in the lower tail).
double logNormalCdf(double z);

// log Phi(z) and log(1 - Phi(z)) together, with one erfc.
struct LogNormalTails {
    double lower;
    double upper;
};
LogNormalTails logNormalTails(double z);

// The z with Phi(z) = p, 0 < p < 1.
double normalQuantile(double p);

// Regularised lower and upper incomplete gamma functions P(a, x) and
// Q(a, x) = 1 - P(a, x), a > 0, x >= 0. Each is computed directly (not as
// one minus the other), so a small value keeps its relative accuracy.
double regularizedGammaP(double a, double x);
double regularizedGammaQ(double a, double x);

// The x with P(a, x) = p, 0 < p < 1.
double inverseRegularizedGammaP(double a, double p);

// The p-quantile of the chi-square distribution with nu degrees of freedom.
double chiSquareQuantile(double p, double nu);

}  // namespace capability
