// The rule that ties the header-row field to the first-data-row field: a
// header row must lie above the first data row.
#pragma once

#include <QString>

namespace dataimport {

struct HeaderRowLimits {
    bool applies = false;      // false: the text is no integer, leave the field alone
    bool enabled = false;      // enable or disable the header-row field
    bool resetToZero = false;  // set the field's value to 0 (only when disabling)
    int maximum = 0;           // new maximum when enabled; the value is not clamped here
};

// For the first-data-row text: below 2 the header-row field is set to 0 and
// disabled; otherwise its maximum becomes n - 1 and it is enabled.
HeaderRowLimits headerRowLimits(const QString& firstRowText);

}  // namespace dataimport
