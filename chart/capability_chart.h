// The capability chart: a histogram of the values over a numeric axis, the
// normal curves of the within and overall models, vertical lines at the
// tolerance limits (LSL, USL) and the target, and the indices in a box. The data
// are built without widgets (buildCapabilityChartData) and handed to the
// chart component, whose look comes from "capdefault.vtc" or the file the
// settings key "CapFile" of "GraphDef" names.
#pragma once

#include "capability/capability_figures.h"
#include "capability/normality_test.h"
#include "components/platform/language.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <optional>
#include <span>

namespace chartcomponent { class ChartView; }

namespace chart {

struct ProgramState;

inline constexpr const char* kCapabilityLookDefault = "capdefault.vtc";

// Series of the chart, in look-file order.
enum CapabilitySeries { HistogramSeries, WithinCurveSeries, OverallCurveSeries, LowerLimitSeries,
                        UpperLimitSeries, TargetSeries, kCapabilitySeriesCount };

struct CapabilityChartData {
    QVector<double> positions;   // ascending x of every row
    double binWidth = 1.0;
    int binCount = 0;
    std::array<QVector<double>, kCapabilitySeriesCount> series;   // NaN where a series has no point
    std::array<bool, kCapabilitySeriesCount> seriesUsed{};
    QStringList seriesLabels;
    QString note;   // the indices, one per line
    QString title, xAxisTitle, yAxisTitle;
};

// Sturges' rule: ceil(log2 n) + 1 bins, at least one.
int histogramBinCount(std::size_t valueCount);

// The chart's data for the values and their figures. Curves are drawn over
// the whole axis, which takes in the values, the limits, the target and four
// overall standard deviations either side of the mean.
CapabilityChartData buildCapabilityChartData(std::span<const double> values,
                                             const capability::CapabilityFigures& figures,
                                             const std::optional<capability::NormalityFigures>& normality,
                                             const capability::SpecificationLimits& limits,
                                             platform::Language language, QChar decimalSeparator);

// The note box's text: one line per index with its bounds, then the
// standard deviations, the expected ppm and the normality p-value (being
// computed when `normality` is empty).
QString capabilityNoteText(const capability::CapabilityFigures& figures,
                           const std::optional<capability::NormalityFigures>& normality,
                           platform::Language language, QChar decimalSeparator);

// "CapFile" of "GraphDef" in the settings file, else capdefault.vtc in the
// application directory.
QString capabilityLookPath(const ProgramState& state);

// Loads the look (a missing or unreadable file keeps the chart's look) and
// hands the data to the chart. Returns the look path used.
QString drawCapabilityChart(chartcomponent::ChartView& chart, const CapabilityChartData& data,
                            const ProgramState& state);

}  // namespace chart
