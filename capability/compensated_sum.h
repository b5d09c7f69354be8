// Neumaier's compensated summation: sums of millions of values keep the
// accuracy of a sum of a few, so figures agree with independent tools to
// many digits whatever the length of the series.
#pragma once

#include <cmath>

namespace capability {

class CompensatedSum {
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

}  // namespace capability
