// Drawing the comparison chart: the compared columns of the import grid as
// the series of one chart over a span of rows, raw cell values, no
// statistics. Shared by the comparison window and the batch report.
#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <cstdint>

namespace sheet { class Spreadsheet; }
namespace chartcomponent { class ChartView; }
namespace chart { struct ProgramState; }

namespace compare {

// Slots of the chart job's compared columns.
inline constexpr int kMaxComparedColumns = 5;

// Prefix of a series name when there is no header row ("Serie B").
inline constexpr const char* kSeriesPrefix = "Serie ";

// Everything one drawing puts into the chart component.
struct ComparisonData {
    int seriesCount = 0;          // compared columns (leading filled slots)
    int rowCount = 0;             // points: rows startRow..endRow, 0 when end < start
    QVector<QVector<double>> values;  // per series, NaN where the cell is not numeric
    QStringList seriesLabels;
    // Point labels: the texts of the x column, or, when numberedFrom > 0, the
    // row numbers numberedFrom, numberedFrom + 1, ... (no text per row).
    QStringList rowLabels;
    std::int32_t numberedFrom = 0;
    QString rowLabel(int point) const;  // point from 0
    QString title, xAxisTitle, yAxisTitle;
};

// The template from the settings file ("GraphDef", "VglFile"), default
// "vgldefault.vtc" beside the program.
QString comparisonTemplatePath(const chart::ProgramState& state);

// Reads the import rows startRow..endRow of the compared columns. Every row
// becomes a point; a text or empty cell leaves a gap in its series only.
ComparisonData buildComparisonData(const chart::ProgramState& state, std::int32_t startRow, std::int32_t endRow);

// The points firstPoint .. firstPoint + count - 1 (from 0) of data read
// before: what buildComparisonData gives for the rows they came from.
// Values go into the buffers given (one per series) when they are not
// shared, so repeated slices reuse their memory.
ComparisonData sliceComparisonData(const ComparisonData& data, int firstPoint, int count,
                                   QVector<QVector<double>>* buffers = nullptr);

// Hands the data, labels and titles to the chart. Compared series are never
// hidden, whatever the look says; with no compared column the chart is blank.
void applyComparisonData(chartcomponent::ChartView& chart, const ComparisonData& data);

// Loads the look file; on failure the chart keeps its look, the state's
// note says which file could not be read, and the result is false.
bool loadComparisonLook(chartcomponent::ChartView& chart, const chart::ProgramState& state, const QString& path);

// Loads the template (errors ignored), then hands the data, labels and titles
// to the chart. Compared series are never hidden, whatever the template says.
// Returns the template path used.
QString drawComparison(chartcomponent::ChartView& chart, const chart::ProgramState& state,
                       std::int32_t startRow, std::int32_t endRow);

}  // namespace compare
