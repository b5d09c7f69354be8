// The three chart kinds of the control chart window (mean, range,
// difference) as one table: which computation grid columns feed the seven
// chart series, which series are taken out, which cells bound the value axis.
// buildChartKindData reads the computation grid once into plain data; the
// drawing routine (chart_kind_draw.h) hands that to the chart component.
#pragma once

#include "chart/row_labels.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <cstdint>
#include <optional>
#include <utility>

namespace sheet { class Spreadsheet; }

namespace chart {

struct ProgramState;

enum class ChartKind { Mean, Range, Difference };

inline constexpr int kChartSeriesCount = 7;

// The control chart's default look, beside the program.
inline constexpr const char* kChartTemplateDefault = "ctadefault.vtc";

struct SeriesPositionRule {
    int series;                 // 1..7
    bool excluded;
    std::optional<bool> hidden; // unset: the hidden flag is left alone
};

struct ChartKindLayout {
    ChartKind kind;
    // Computation grid column of chart series 1..7; 0: the series gets no data and no name.
    std::array<int, kChartSeriesCount> sourceColumns;
    std::array<SeriesPositionRule, 3> positions;  // applied in this order
    // Value axis when the template scales it by hand.
    int maxRow, maxCol;         // upper bound cell
    enum class MinRule { Cell, Zero, NegatedMax } minRule;
    int minRow, minCol;         // lower bound cell (MinRule::Cell)
    // Column counting the rules of this kind that fired on a data row: the
    // alarm marker (series 2) is drawn only on rows where it is above 0.
    int alarmColumn;
};

// Chart series that carries the alarm marker.
inline constexpr int kAlarmMarkerSeries = 2;

const ChartKindLayout& chartKindLayout(ChartKind kind);

// Everything one drawing puts into the chart component.
struct ChartKindData {
    ChartKind kind = ChartKind::Mean;
    int rowCount = 0;
    // Values per series, one per chart row; NaN where the computation cell
    // holds an error or no number (a missing point, never 0). Empty for the
    // series the kind leaves out.
    std::array<QVector<double>, kChartSeriesCount> values;
    std::array<bool, kChartSeriesCount> seriesUsed{};
    std::array<QString, kChartSeriesCount> seriesLabels;
    RowLabels rowLabels;
    std::array<SeriesPositionRule, 3> positions{};
    QString title;
    QString xAxisTitle;
    QString yAxisTitle;
    // Value axis bounds for a template without automatic scaling: the bound
    // cells; when one holds no number or both are equal, the drawn values'
    // extent widened by a tenth (fallbackValueScale).
    std::optional<double> scaleMinimum;
    std::optional<double> scaleMaximum;
    int majorDivisions = 8;
    int minorDivisions = 1;
};

// Reads the data rows 16..lastComputationRow, their labels (RowLabels) and
// the bounds. Throws sheet::SheetError when column A does not hold a row
// number while an x column is set.
// rowLabels, when given, are used as they are (the labels of the same fill)
// instead of being read again.
ChartKindData buildChartKindData(ChartKind kind, const sheet::Spreadsheet& computationGrid,
                                 std::int32_t lastComputationRow, const ProgramState& state,
                                 const RowLabels* rowLabels = nullptr);

// Bounds from the drawn values: their minimum to maximum widened by 10 % of
// that span on each side; when all are equal, by 10 % of their magnitude
// (1 when they are 0, or when there are none).
std::pair<double, double> fallbackValueScale(const ChartKindData& data);

// A chart look path: the key of "GraphDef" in the settings file, else the
// default file in the application directory.
QString chartLookPath(const ProgramState& state, const char* key, const char* defaultFile);

// The chart template path from the settings file, default beside the program.
QString chartTemplatePath(const ProgramState& state);

}  // namespace chart
