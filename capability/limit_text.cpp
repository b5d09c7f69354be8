// Tolerance limit texts; see limit_text.h.
#include "capability/limit_text.h"

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

LimitFieldsCheck checkLimitFields(const QString& lower, const QString& upper, const QString& target,
                                  QChar decimalSeparator)
{
    const LimitText low = parseLimitText(lower, decimalSeparator);
    const LimitText high = parseLimitText(upper, decimalSeparator);
    const LimitText aim = parseLimitText(target, decimalSeparator);
    LimitFieldsCheck check;
    check.limits = {low.value, high.value, aim.value};
    check.lowerInvalid = low.invalid;
    check.upperInvalid = high.invalid;
    check.targetInvalid = aim.invalid;
    check.inverted = low.value && high.value && !(*low.value < *high.value);
    return check;
}

SpecificationLimits specificationLimitsOf(const QString& lower, const QString& upper, const QString& target,
                                          QChar decimalSeparator)
{
    return checkLimitFields(lower, upper, target, decimalSeparator).limits;
}

}  // namespace capability
