// A specification limit as the user types it: empty for no limit, a number
// with the locale's decimal separator (a point is always understood too),
// anything else flagged so the field can say so while the limit counts as
// empty.
#pragma once

#include <QChar>
#include <QString>
#include <optional>

namespace capability {

struct LimitText {
    std::optional<double> value;
    bool invalid = false;   // text that is not a number
};

LimitText parseLimitText(const QString& text, QChar decimalSeparator);

struct SpecificationLimits;

// The three texts of the limit fields as limits; text that is not a number
// counts as no limit.
SpecificationLimits specificationLimitsOf(const QString& lower, const QString& upper, const QString& target,
                                          QChar decimalSeparator);

}  // namespace capability
