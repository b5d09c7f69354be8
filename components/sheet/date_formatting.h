// Numbers shown as dates and times: the value is a serial day number of the
// 1900 date system, its fraction the time of day.
#pragma once

#include "components/sheet/number_format_code.h"

#include <QChar>
#include <QString>

#include <vector>

namespace sheet::numfmt {

// The text of `value` under a date/time section's pieces; "########" for a
// value before serial 0 or after 9999-12-31.
QString formatDateTime(double value, const std::vector<DatePiece>& pieces, QChar sep);

}  // namespace sheet::numfmt
