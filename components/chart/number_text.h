// Numbers as the chart's callers write them: the general format with up to
// 15 significant digits and the user's decimal separator.
#pragma once

#include <QChar>
#include <QString>
#include <optional>

namespace chartcomponent {

// Reads a number written with `separator` (a '.' is accepted as well, since
// the text never carries group separators). Empty or blank text gives NaN
// (no value); anything that is not a finite number gives nullopt.
std::optional<double> parseChartNumber(const QString& text, QChar separator);
// Shortest form with up to 15 significant digits; NaN gives the empty text.
QString formatChartNumber(double value, QChar separator);

}  // namespace chartcomponent
