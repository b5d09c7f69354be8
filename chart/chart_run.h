// One control chart run without a window: fill the computation grid for a
// visible span, draw chart kinds from the fill into a chart component, copy
// the statistics into the statistics grid. The control chart window drives
// one on every activation and bar release, plotwise-report once per report;
// both therefore compute, draw and copy alike.
#pragma once

#include "chart/chart_kinds.h"
#include "chart/computation_fill.h"
#include "capability/capability_figures.h"
#include "capability/normality_test.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace sheet { class Spreadsheet; }
namespace chartcomponent { class ChartView; }

namespace chart {

struct ProgramState;

class ChartRun {
public:
    // Works on the computation grid and reads the state live; both must
    // outlive the run.
    ChartRun(sheet::Spreadsheet& computationGrid, const ProgramState& state);

    // Loads the computation template and copies the span's rows into the
    // grid (ComputationFill::run). Errors of the spreadsheet propagate.
    FillResult fill(std::int32_t startRow, std::int32_t endRow);

    // Draws the kind from the last fill. The x labels are read once per fill
    // and x column and shared by the kinds. Returns the chart template path
    // used (see drawChartKind).
    QString draw(ChartKind kind, chartcomponent::ChartView& chart);

    // Draws the capability chart of the last fill (see capability_chart.h)
    // and returns the look path used, which becomes chartTemplatePath().
    QString drawCapability(chartcomponent::ChartView& chart);

    // Copies the statistics of the last fill into the state's statistics
    // grid, the capability block included; nothing without one.
    void copyStatistics();

    // The values of the last fill, row by row (see capabilityValues), and
    // their number of columns. Each fill makes a new vector and never changes
    // it, so a worker thread may keep sharedCapabilityValues() past the next fill.
    const std::vector<double>& capabilityValues() const { return *m_capabilityValues; }
    std::shared_ptr<const std::vector<double>> sharedCapabilityValues() const { return m_capabilityValues; }
    int capabilityColumns() const { return m_capabilityColumns; }
    // The capability figures of the last fill against the job's limits,
    // computed on each call (cheap); the limits may change between fills.
    capability::CapabilityFigures capabilityFigures() const;
    // The normality test of the last fill's values: computed once per fill,
    // on first use, unless setNormality() handed a result computed elsewhere.
    const capability::NormalityFigures& normality();
    void setNormality(const capability::NormalityFigures& normality);
    bool hasNormality() const { return m_normalityValid; }
    // A window that runs the test on a worker thread (long series) calls
    // deferNormality() after the fill: until completeNormality() hands the
    // result in, the statistics and the capability chart show the normality
    // figures as being computed instead of running the test here.
    void deferNormality() { m_normalityDeferred = true; }
    bool normalityDeferred() const { return m_normalityDeferred && !m_normalityValid; }
    // Takes the worker's result and writes it into the statistics grid where
    // that still shows the figures as being computed (a grid refilled or
    // edited since keeps what it has).
    void completeNormality(const capability::NormalityFigures& normality);

    // Last grid row of the last fill; 15 before any fill or without data.
    std::int32_t lastComputationRow() const { return m_lastComputationRow; }
    // Whether the last drawing was the capability chart.
    bool capabilityShown() const { return m_capabilityShown; }
    // The kind drawn last (the mean chart before any drawing).
    ChartKind shownKind() const { return m_shownKind; }
    // The chart template (or capability look) the last drawing used; empty before any.
    const QString& chartTemplatePath() const { return m_chartTemplatePath; }

private:
    sheet::Spreadsheet& m_computationGrid;
    const ProgramState& m_state;
    std::int32_t m_lastComputationRow = kHeaderRow;
    ChartKind m_shownKind = ChartKind::Mean;
    bool m_capabilityShown = false;
    QString m_chartTemplatePath;
    // x labels of the current fill; valid while the fill and the x column stay the same.
    RowLabels m_rowLabels;
    int m_rowLabelsXColumn = 0;
    bool m_rowLabelsValid = false;
    std::shared_ptr<const std::vector<double>> m_capabilityValues = std::make_shared<const std::vector<double>>();
    int m_capabilityColumns = 1;
    capability::NormalityFigures m_normality;
    bool m_normalityValid = false;
    bool m_normalityDeferred = false;

    // The figures to show: none while the deferred test runs.
    std::optional<capability::NormalityFigures> shownNormality();
};

}  // namespace chart
