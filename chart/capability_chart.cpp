// The capability chart; see capability_chart.h.
//
// Every row of the chart has one x position. Bars stand at the bin centres;
// the curves are evaluated at every row, so they run through without gaps;
// each vertical line has two rows of its own at the same x (0 and the top),
// next to each other, so its series draws one segment there and nothing
// elsewhere.
#include "chart/capability_chart.h"

#include "chart/capability_block.h"
#include "chart/chart_job.h"
#include "chart/chart_kinds.h"
#include "chart/chart_look_settings.h"
#include "chart/program_state.h"
#include "components/chart/chart_error.h"
#include "components/chart/chart_view.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace chart {

namespace {

using capability::Figure;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int kCurvePoints = 200;
constexpr double kCurveReach = 4.0;      // standard deviations either side of the mean
constexpr double kLineHeadroom = 1.08;   // vertical lines reach a little above the tallest bar or curve

bool english(platform::Language language) { return language == platform::Language::English; }

QString numberText(double value, QChar separator, int decimals)
{
    QString text = QString::number(value, 'f', decimals);
    if (separator != u'.')
        text.replace(u'.', separator);
    return text;
}

QString figureText(const Figure& figure, QChar separator, int decimals)
{
    return figure.ok() ? numberText(figure.value, separator, decimals) : sheet::errorName(figure.error);
}

double normalDensity(double x, double mean, double sigma)
{
    constexpr double kInvSqrtTwoPi = 0.39894228040143267794;
    const double z = (x - mean) / sigma;
    return kInvSqrtTwoPi / sigma * std::exp(-0.5 * z * z);
}

struct Row {
    double x;
    int series;    // the series that has its own point in this row (bars or a line), -1: curves only
    double value;
};

}  // namespace

int histogramBinCount(std::size_t valueCount)
{
    if (valueCount < 2)
        return 1;
    return int(std::ceil(std::log2(double(valueCount)))) + 1;
}

QString capabilityNoteText(const capability::CapabilityFigures& figures,
                           const std::optional<capability::NormalityFigures>& normality,
                           platform::Language language, QChar separator)
{
    const bool en = english(language);
    QStringList lines;
    for (const capability::IndexFigure& index : figures.indices) {
        QString line = QStringLiteral("%1 = %2").arg(QLatin1String(capability::indexLabel(index.kind)),
                                                   figureText(index.value, separator, 3));
        if (index.hasBounds && index.value.ok())
            line += QStringLiteral("  [%1; %2]").arg(figureText(index.lowerBound, separator, 3),
                                                    figureText(index.upperBound, separator, 3));
        lines.append(line);
    }
    lines.append((en ? QStringLiteral("σ within = %1") : QStringLiteral("σ innerhalb = %1"))
                     .arg(figureText(figures.sigmaWithin, separator, 4)));
    lines.append((en ? QStringLiteral("σ overall = %1") : QStringLiteral("σ gesamt = %1"))
                     .arg(figureText(figures.sigmaOverall, separator, 4)));
    lines.append((en ? QStringLiteral("ppm observed %1, expected %2 / %3")
                     : QStringLiteral("ppm beobachtet %1, erwartet %2 / %3"))
                     .arg(figureText(figures.observed.total, separator, 0),
                          figureText(figures.expectedWithin.total, separator, 0),
                          figureText(figures.expectedOverall.total, separator, 0)));
    lines.append((en ? QStringLiteral("Normality p = %1") : QStringLiteral("Normalverteilung p = %1"))
                     .arg(normality ? figureText(normality->pValue, separator, 4) : pendingFigureText(language)));
    return lines.join(u'\n');
}

CapabilityChartData buildCapabilityChartData(std::span<const double> values,
                                             const capability::CapabilityFigures& figures,
                                             const std::optional<capability::NormalityFigures>& normality,
                                             const capability::SpecificationLimits& limits,
                                             platform::Language language, QChar separator)
{
    const bool en = english(language);
    CapabilityChartData data;
    data.seriesLabels = en ? QStringList{QStringLiteral("Values"), QStringLiteral("Normal (within)"),
                                         QStringLiteral("Normal (overall)"), QStringLiteral("LSL"),
                                         QStringLiteral("USL"), QStringLiteral("Target")}
                           : QStringList{QStringLiteral("Werte"), QStringLiteral("Normal (innerhalb)"),
                                         QStringLiteral("Normal (gesamt)"), QStringLiteral("UTG"),
                                         QStringLiteral("OTG"), QStringLiteral("Sollwert")};
    data.title = en ? QStringLiteral("Process capability") : QStringLiteral("Prozessfähigkeit");
    data.yAxisTitle = en ? QStringLiteral("Count") : QStringLiteral("Anzahl");
    data.note = capabilityNoteText(figures, normality, language, separator);
    if (values.empty())
        return data;

    // Bins over the values' extent.
    const auto [lowIt, highIt] = std::minmax_element(values.begin(), values.end());
    const double low = *lowIt;
    const double high = *highIt;
    data.binCount = high > low ? histogramBinCount(values.size()) : 1;
    data.binWidth = high > low ? (high - low) / data.binCount : std::max(std::fabs(low) * 0.01, 1.0);
    const double firstEdge = high > low ? low : low - data.binWidth / 2;
    std::vector<double> counts(std::size_t(data.binCount), 0.0);
    for (double v : values) {
        const int bin = std::clamp(int((v - firstEdge) / data.binWidth), 0, data.binCount - 1);
        counts[std::size_t(bin)] += 1.0;
    }

    // The axis takes in the values, the limits, the target and the curves' reach.
    double axisLow = firstEdge;
    double axisHigh = firstEdge + data.binCount * data.binWidth;
    const double mean = figures.mean.ok() ? figures.mean.value : (low + high) / 2;
    const bool overallUsable = figures.sigmaOverall.ok() && figures.sigmaOverall.value > 0;
    const bool withinUsable = figures.sigmaWithin.ok() && figures.sigmaWithin.value > 0;
    if (overallUsable) {
        axisLow = std::min(axisLow, mean - kCurveReach * figures.sigmaOverall.value);
        axisHigh = std::max(axisHigh, mean + kCurveReach * figures.sigmaOverall.value);
    }
    const std::array<std::optional<double>, 3> lines = {limits.lower, limits.upper, limits.target};
    for (const auto& line : lines) {
        if (line) {
            axisLow = std::min(axisLow, *line);
            axisHigh = std::max(axisHigh, *line);
        }
    }

    std::vector<Row> rows;
    rows.reserve(std::size_t(data.binCount + kCurvePoints + 7));
    for (int b = 0; b < data.binCount; ++b)
        rows.push_back({firstEdge + (b + 0.5) * data.binWidth, HistogramSeries, counts[std::size_t(b)]});
    for (int i = 0; i <= kCurvePoints; ++i)
        rows.push_back({axisLow + (axisHigh - axisLow) * i / kCurvePoints, -1, kNaN});

    // Scale the densities to counts per bin.
    const double scale = double(values.size()) * data.binWidth;
    auto curve = [&](double x, bool within) {
        const Figure& sigma = within ? figures.sigmaWithin : figures.sigmaOverall;
        return (within ? withinUsable : overallUsable) ? scale * normalDensity(x, mean, sigma.value) : kNaN;
    };
    double top = *std::max_element(counts.begin(), counts.end());
    for (const Row& row : rows) {
        for (bool within : {true, false}) {
            const double y = curve(row.x, within);
            if (std::isfinite(y))
                top = std::max(top, y);
        }
    }
    top = std::max(top, 1.0) * kLineHeadroom;
    const CapabilitySeries lineSeries[] = {LowerLimitSeries, UpperLimitSeries, TargetSeries};
    for (int l = 0; l < 3; ++l) {
        if (!lines[std::size_t(l)])
            continue;
        rows.push_back({*lines[std::size_t(l)], lineSeries[l], 0.0});
        rows.push_back({*lines[std::size_t(l)], lineSeries[l], top});
    }
    // Stable: the two rows of a line stay next to each other.
    std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.x < b.x; });

    const int rowCount = int(rows.size());
    data.positions.reserve(rowCount);
    for (auto& s : data.series)
        s = QVector<double>(rowCount, kNaN);
    for (int r = 0; r < rowCount; ++r) {
        const Row& row = rows[std::size_t(r)];
        data.positions.append(row.x);
        if (row.series >= 0)
            data.series[std::size_t(row.series)][r] = row.value;
        data.series[WithinCurveSeries][r] = curve(row.x, true);
        data.series[OverallCurveSeries][r] = curve(row.x, false);
    }
    data.seriesUsed[HistogramSeries] = true;
    data.seriesUsed[WithinCurveSeries] = withinUsable;
    data.seriesUsed[OverallCurveSeries] = overallUsable;
    data.seriesUsed[LowerLimitSeries] = bool(limits.lower);
    data.seriesUsed[UpperLimitSeries] = bool(limits.upper);
    data.seriesUsed[TargetSeries] = bool(limits.target);
    return data;
}

QString capabilityLookPath(const ProgramState& state)
{
    return chartLookPath(state, kCapabilityLookKey, kCapabilityLookDefault);
}

QString drawCapabilityChart(chartcomponent::ChartView& chart, const CapabilityChartData& data, const ProgramState& state)
{
    const QString lookPath = capabilityLookPath(state);
    try {
        chart.loadSettings(lookPath);
    } catch (const chartcomponent::ChartError&) {
        // A missing or unreadable look: the chart keeps the look it had.
    }
    chart.setColumnCount(kCapabilitySeriesCount);
    chart.setRowCount(int(data.positions.size()));
    for (int s = 0; s < kCapabilitySeriesCount; ++s) {
        chart.setColumnValues(s + 1, data.series[std::size_t(s)]);
        chart.setColumn(s + 1);
        chart.setColumnLabel(data.seriesLabels.value(s));
        chart.setSeriesExcluded(s + 1, !data.seriesUsed[std::size_t(s)]);
    }
    chart.setRowLabels(QStringList(int(data.positions.size())));
    chart.setRowPositions(data.positions, data.binWidth);
    chart.setNoteText(data.note);
    const QString title = state.job.chartTitle.isEmpty() ? data.title : data.title + QStringLiteral(": ") + state.job.chartTitle;
    chart.setTitleText(title);
    chart.setAxisTitle(0, state.yTitleText);
    chart.setAxisTitle(1, data.yAxisTitle);
    return lookPath;
}

}  // namespace chart
