// Normal and gamma distribution functions for the capability figures.
//
// The incomplete gamma function uses its power series below x = a + 1 and
// its continued fraction (modified Lentz) above, the usual split at which
// both converge fastest. The inverse is a Halley iteration from the
// Wilson-Hilferty approximation, kept inside a bracket that shrinks with
// every step so it cannot wander off for small a.
#include "capability/distributions.h"

#include <cmath>
#include <limits>

namespace capability {

namespace {

constexpr double kEpsilon = std::numeric_limits<double>::epsilon();
constexpr double kSqrtHalf = 0.70710678118654752440;
constexpr double kLogSqrtTwoPi = 0.91893853320467274178;
constexpr int kMaxIterations = 1000000;

// log(x^a e^-x / Gamma(a)): the common factor of both gamma functions.
double logGammaPrefactor(double a, double x)
{
    return a * std::log(x) - x - std::lgamma(a);
}

// The power series of P(a, x) without its prefactor.
double gammaSeries(double a, double x)
{
    double term = 1.0 / a;
    double sum = term;
    for (int n = 1; n < kMaxIterations; ++n) {
        term *= x / (a + n);
        sum += term;
        if (std::fabs(term) < std::fabs(sum) * kEpsilon)
            break;
    }
    return sum;
}

// The continued fraction of Q(a, x) without its prefactor.
double gammaContinuedFraction(double a, double x)
{
    constexpr double tiny = 1e-300;
    double b = x + 1.0 - a;
    double c = 1.0 / tiny;
    double d = 1.0 / b;
    double h = d;
    for (int i = 1; i < kMaxIterations; ++i) {
        const double an = -i * (i - a);
        b += 2.0;
        d = an * d + b;
        if (std::fabs(d) < tiny)
            d = tiny;
        c = b + an / c;
        if (std::fabs(c) < tiny)
            c = tiny;
        d = 1.0 / d;
        const double delta = d * c;
        h *= delta;
        if (std::fabs(delta - 1.0) < kEpsilon)
            break;
    }
    return h;
}

}  // namespace

double normalCdf(double z)
{
    return 0.5 * std::erfc(-z * kSqrtHalf);
}

double logNormalCdf(double z)
{
    if (z > -30.0)
        return z > 0.0 ? std::log1p(-normalCdf(-z)) : std::log(normalCdf(z));
    // Far in the lower tail erfc underflows; the asymptotic series of Mills'
    // ratio is accurate to double precision here.
    const double z2 = z * z;
    const double inv = 1.0 / z2;
    const double series = 1.0 - inv * (1.0 - 3.0 * inv * (1.0 - 5.0 * inv * (1.0 - 7.0 * inv)));
    return -0.5 * z2 - std::log(-z) - kLogSqrtTwoPi + std::log(series);
}

LogNormalTails logNormalTails(double z)
{
    // The small tail comes from erfc (or the asymptotic series), the large
    // one as log1p of minus the small one, which keeps both accurate.
    const double small = z < 0.0 ? z : -z;
    double logSmall = 0.0;
    double logLarge = 0.0;
    if (small > -30.0) {
        const double tail = normalCdf(small);
        logSmall = std::log(tail);
        logLarge = std::log1p(-tail);
    } else {
        logSmall = logNormalCdf(small);
        logLarge = -std::exp(logSmall);
    }
    return z < 0.0 ? LogNormalTails{logSmall, logLarge} : LogNormalTails{logLarge, logSmall};
}

double normalQuantile(double p)
{
    if (!(p > 0.0 && p < 1.0))
        return std::numeric_limits<double>::quiet_NaN();
    // A start good to about 4.5e-4 (a rational approximation in
    // t = sqrt(-2 log q)), then Halley steps on Phi itself.
    const double q = p < 0.5 ? p : 1.0 - p;
    const double t = std::sqrt(-2.0 * std::log(q));
    double z = t - (2.515517 + t * (0.802853 + t * 0.010328)) / (1.0 + t * (1.432788 + t * (0.189269 + t * 0.001308)));
    if (p < 0.5)
        z = -z;
    for (int i = 0; i < 3; ++i) {
        const double density = std::exp(-0.5 * z * z - kLogSqrtTwoPi);
        const double error = normalCdf(z) - p;
        const double step = error / density;
        z -= step / (1.0 + 0.5 * z * step);
    }
    return z;
}

double regularizedGammaP(double a, double x)
{
    if (x <= 0.0)
        return 0.0;
    if (x < a + 1.0)
        return std::exp(logGammaPrefactor(a, x)) * gammaSeries(a, x);
    return 1.0 - std::exp(logGammaPrefactor(a, x)) * gammaContinuedFraction(a, x);
}

double regularizedGammaQ(double a, double x)
{
    if (x <= 0.0)
        return 1.0;
    if (x < a + 1.0)
        return 1.0 - std::exp(logGammaPrefactor(a, x)) * gammaSeries(a, x);
    return std::exp(logGammaPrefactor(a, x)) * gammaContinuedFraction(a, x);
}

double inverseRegularizedGammaP(double a, double p)
{
    if (!(p > 0.0 && p < 1.0) || !(a > 0.0))
        return std::numeric_limits<double>::quiet_NaN();
    // Work on the smaller tail so the difference to the target keeps its
    // relative accuracy: P - p when p < 1/2, otherwise (1 - p) - Q.
    const bool lower = p < 0.5;
    const double target = lower ? p : 1.0 - p;
    auto error = [&](double x) {
        return lower ? regularizedGammaP(a, x) - target : target - regularizedGammaQ(a, x);
    };

    // Wilson-Hilferty start, clamped to a positive value.
    const double z = normalQuantile(p);
    const double w = 1.0 / (9.0 * a);
    double x = a * std::pow(1.0 - w + z * std::sqrt(w), 3.0);
    if (!(x > 0.0) || !std::isfinite(x))
        x = a * std::pow(p * std::tgamma(a + 1.0), 1.0 / a);
    if (!(x > 0.0) || !std::isfinite(x))
        x = a;

    double low = 0.0;
    double high = std::numeric_limits<double>::infinity();
    for (int i = 0; i < 200; ++i) {
        const double f = error(x);
        if (f == 0.0)
            return x;
        if (f < 0.0)
            low = x;
        else
            high = x;
        const double logDensity = (a - 1.0) * std::log(x) - x - std::lgamma(a);
        const double ratio = f / std::exp(logDensity);   // Newton step
        // Halley's correction: f''/f' = (a - 1)/x - 1 for the gamma density.
        double next = x - ratio / (1.0 - 0.5 * ratio * ((a - 1.0) / x - 1.0));
        if (!std::isfinite(next) || next <= low || next >= high)
            next = std::isfinite(high) ? 0.5 * (low + high) : (low > 0.0 ? 2.0 * low : 2.0 * x);
        if (std::fabs(next - x) <= 4.0 * kEpsilon * x)
            return next;
        x = next;
    }
    return x;
}

double chiSquareQuantile(double p, double nu)
{
    return 2.0 * inverseRegularizedGammaP(0.5 * nu, p);
}

}  // namespace capability
