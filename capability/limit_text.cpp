// Specification limit texts; see limit_text.h.
#include "capability/limit_text.h"

#include "capability/capability_figures.h"

#include <cmath>

namespace capability {

LimitText parseLimitText(const QString& text, QChar decimalSeparator)
{
    LimitText result;
    QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return result;
    if (decimalSeparator != u'.')
        trimmed.replace(decimalSeparator, u'.');
    bool ok = false;
    const double value = trimmed.toDouble(&ok);   // C locale: no group separators
    if (ok && std::isfinite(value))
        result.value = value;
    else
        result.invalid = true;
    return result;
}

SpecificationLimits specificationLimitsOf(const QString& lower, const QString& upper, const QString& target,
                                          QChar decimalSeparator)
{
    return {parseLimitText(lower, decimalSeparator).value, parseLimitText(upper, decimalSeparator).value,
            parseLimitText(target, decimalSeparator).value};
}

}  // namespace capability
