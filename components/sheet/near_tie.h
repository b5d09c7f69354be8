// Near-tie arithmetic: numbers that a person reads as equal compare equal and
// cancel to exactly zero, and sums are compensated. Plain IEEE arithmetic makes
// 21.29-13.28 and 17.34-9.33 differ in the last bit, which flips control-chart
// rules; these helpers keep such values equal, as desktop spreadsheets do.
#pragma once

#include <cmath>

namespace sheet::neartie {

// 2^-48: the relative distance under which two numbers count as equal.
inline constexpr double kRelativeTie = 1.0 / 281474976710656.0;

inline bool isInteger(double x) { return std::isfinite(x) && std::floor(x) == x; }

// True when a and b differ by less than 2^-48 of their magnitude. Zero equals
// only zero, and two distinct integers are never equal.
inline bool equal(double a, double b)
{
    if (a == b) return true;
    const double d = std::fabs(a - b);
    // Outside the tie distance (this also covers zero against non-zero,
    // infinities and NaN): not equal.
    if (!(d < std::fabs(a) * kRelativeTie && d < std::fabs(b) * kRelativeTie)) return false;
    return !(isInteger(a) && isInteger(b));
}

// a + b, exactly 0 when the operands cancel to within the tie distance.
inline double add(double a, double b)
{
    if (((a < 0.0 && b > 0.0) || (a > 0.0 && b < 0.0)) && equal(a, -b)) return 0.0;
    return a + b;
}

// a - b, exactly 0 when the operands are equal to within the tie distance.
inline double subtract(double a, double b)
{
    if (((a < 0.0 && b < 0.0) || (a > 0.0 && b > 0.0)) && equal(a, b)) return 0.0;
    return a - b;
}

// -1, 0 or 1 with near ties treated as equal.
inline int compare(double a, double b)
{
    if (equal(a, b)) return 0;
    return a < b ? -1 : 1;
}

// Neumaier's compensated summation: the running error of each addition is
// collected separately, so long columns of decimals sum to the nearest double.
class Sum {
public:
    void add(double x)
    {
        const double t = m_sum + x;
        if (std::fabs(m_sum) >= std::fabs(x))
            m_compensation += (m_sum - t) + x;
        else
            m_compensation += (x - t) + m_sum;
        m_sum = t;
    }
    double value() const { return m_sum + m_compensation; }

private:
    double m_sum = 0.0;
    double m_compensation = 0.0;
};

}  // namespace sheet::neartie
