// A tolerance limit (LSL or USL) as the user types it: empty for no limit, a number
// with the locale's decimal separator (a point is always understood too),
// anything else flagged so the field can say so while the limit counts as
// empty.
#pragma once

#include "capability/capability_figures.h"

#include <QChar>
#include <QString>
#include <optional>

namespace capability {

struct LimitText {
    std::optional<double> value;
    bool invalid = false;   // text that is not a number
};

LimitText parseLimitText(const QString& text, QChar decimalSeparator);

// The three limit fields checked together: each field that holds text that
// is not a number, and whether both limits are given with the lower not
// below the upper (no indices then). The limits keep what could be read.
struct LimitFieldsCheck {
    SpecificationLimits limits;
    bool lowerInvalid = false;
    bool upperInvalid = false;
    bool targetInvalid = false;
    bool inverted = false;
};

LimitFieldsCheck checkLimitFields(const QString& lower, const QString& upper, const QString& target,
                                  QChar decimalSeparator);

// The three texts of the limit fields as limits; text that is not a number
// counts as no limit.
SpecificationLimits specificationLimitsOf(const QString& lower, const QString& upper, const QString& target,
                                          QChar decimalSeparator);

}  // namespace capability
