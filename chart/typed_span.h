// A span end the user types into the "Start" or "Ende" field of a chart
// window: a row number, or, with an x column, a label as the field shows it.
// The result is the new visible span and the bar percentages that give
// exactly that span, so the bar follows the typed rows, not the other way.
#pragma once

#include "chart/visible_span.h"

#include <QString>
#include <optional>
#include <utility>

namespace sheet { class Spreadsheet; }

namespace chart {

struct ChartJob;

enum class SpanEnd { Start, End };

// The span with the typed end replaced; nothing when the text names no row
// of the job's range or would put the start after the end. With an x column
// a label is looked up first (the first row showing it for the start, the
// last for the end), then a row number.
std::optional<VisibleSpan> spanWithTypedEnd(const ChartJob& job, const sheet::Spreadsheet* importGrid,
                                            const VisibleSpan& current, const QString& text, SpanEnd which);

// Left and right percentages for which computeVisibleSpan gives start..end.
std::pair<double, double> percentsForSpan(const ChartJob& job, const VisibleSpan& span);

}  // namespace chart
