// Reading and writing chart templates (.vtc): a line-oriented UTF-8 text of
// [sections] and Key=Value lines, described in docs/chart-look-format.md.
// Reading never half-loads: it yields a whole ChartLook or throws ChartError
// naming the file, the line and the reason.
#pragma once

#include "components/chart/chart_look.h"

#include <QString>

namespace chartcomponent {

// The format version this program writes; files of a newer version are refused.
constexpr int kChartLookFormatVersion = 1;

// Parses the text of a template; fileName only serves the error messages.
ChartLook parseChartLook(const QString& text, const QString& fileName);
// The text of a template holding `look`, with at least `seriesCount` series
// written out (series the look does not hold get their default style).
QString formatChartLook(const ChartLook& look, int seriesCount);

ChartLook readChartLookFile(const QString& path);
// Replaces the file atomically: a failed write leaves the old file intact.
void writeChartLookFile(const QString& path, const ChartLook& look, int seriesCount);

}  // namespace chartcomponent
