// ControlChartWindow: the control chart window. A thin window over the widget-free
// chart code: on activation and on every release of the range selector bar
// it runs the widget-free chart run (chart::ChartRun) for the visible span:
// fills its hidden computation grid, draws the mean chart and copies the
// statistics into the main window's statistics grid. A long series has its
// normality test run on a worker thread (chart::BackgroundNormality); the
// statistics show it as being computed until the result arrives. Three buttons redraw the mean, range and
// difference charts from the grid without refilling it; a track bar zooms
// the chart horizontally inside a scroll box. The window reads the program
// state live and keeps no copy of the chart job.
#pragma once

#include "chart/chart_kinds.h"
#include "chart/background_normality.h"
#include "chart/chart_run.h"
#include "chart/typed_span.h"

#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QSlider;
class QFrame;
class QVBoxLayout;
class QWindow;
class RangeSelectorBar;
class SpanFields;

namespace sheet { class Spreadsheet; }
namespace chartcomponent { class ChartView; }
namespace chart { struct ProgramState; }

class ControlChartWindow : public QWidget {
    Q_OBJECT
public:
    explicit ControlChartWindow(chart::ProgramState& state, QWidget* parent = nullptr);
    ~ControlChartWindow() override;

    // Handlers, one per user action or step of a refill.
    void activate();
    void showSpan();
    void fillComputationGrid(std::int32_t startRow, std::int32_t endRow);
    void copyStatistics();
    void showMeanChart();  // mean chart
    void showRangeChart();  // range chart
    void showDifferenceChart();  // difference chart
    void showCapabilityChart();  // histogram against the tolerance limits
    void closeWindow();  // close: hide
    void zoomChanged();
    void fitChartToWindow();
    void chartLookApplied();
    void innerWindowDragged(int x);
    void innerWindowReleased(int x);
    void leftHandleDragged(int x);
    void leftHandleReleased(int x);
    void rightHandleDragged(int x);
    void rightHandleReleased(int x);
    void spanEndTyped(chart::SpanEnd which, const QString& text);

    // Errors no handler catches go here (the application's standard error
    // report); the "no data" note goes to the information notifier. Both
    // default to message boxes; tests and the main window replace them.
    void setErrorReporter(std::function<void(const QString&)> reporter);
    void setInformationNotifier(std::function<void(const QString& caption, const QString& text)> notifier);

    // Fills of at least this many values run the normality test on a worker
    // thread (chart::kBackgroundNormalityValues unless a test lowers it).
    void setBackgroundNormalityThreshold(std::size_t values) { m_backgroundNormalityValues = values; }
    // Whether the normality test of the last fill is still running on a worker.
    bool normalityPending() const { return m_normalityWorker.pending(); }

    // State and parts, for the main window, the report tool and tests.
    std::int32_t lastComputationRow() const { return m_run.lastComputationRow(); }
    // The chart template of the shown chart: applied chart settings are saved to it.
    QString chartLookPath() const { return m_run.chartTemplatePath(); }
    chart::ChartKind shownKind() const { return m_run.shownKind(); }
    sheet::Spreadsheet& computationGrid() { return *m_computationGrid; }
    chartcomponent::ChartView* chartComponent() const { return m_chart; }
    RangeSelectorBar* rangeBar() const { return m_rangeBar; }
    QScrollArea* scrollArea() const { return m_scrollArea; }
    QSlider* zoomSlider() const { return m_zoomSlider; }
    QLineEdit* startEdit() const;
    QLineEdit* endEdit() const;
    SpanFields* spanFields() const { return m_spanFields; }
    QPushButton* button(int tag) const;  // 1 mean, 2 range, 3 difference, 4 close, 7 capability

    // Captions by language-table tag: 1..3 chart buttons, 4 close, 5 "Start", 6 "Ende".
    void setCaption(int tag, const QString& text);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void buildChartArea(QVBoxLayout* layout);
    void buildRangeBar(QVBoxLayout* layout);
    QFrame* buildButtonPanel(QWidget* parent);
    QFrame* buildSpanPanel(QWidget* parent);
    void drawKind(chart::ChartKind kind);
    void runGuarded(const std::function<void()>& handler);
    void redrawFromBar();
    void startNormalityTest();
    void normalityArrived(const capability::NormalityFigures& figures, const QString& error);

    chart::ProgramState& m_state;
    std::unique_ptr<sheet::Spreadsheet> m_computationGrid;  // the hidden computation grid
    chart::ChartRun m_run;  // fills m_computationGrid, draws into m_chart
    std::function<void(const QString&)> m_reportError;
    std::function<void(const QString&, const QString&)> m_notify;
    chart::BackgroundNormality m_normalityWorker;
    std::size_t m_backgroundNormalityValues = chart::kBackgroundNormalityValues;

    QScrollArea* m_scrollArea = nullptr;
    chartcomponent::ChartView* m_chart = nullptr;
    QSlider* m_zoomSlider = nullptr;
    RangeSelectorBar* m_rangeBar = nullptr;
    QFrame* m_bottomPanel = nullptr;
    SpanFields* m_spanFields = nullptr;
    QFrame* m_buttonPanel = nullptr;
    QPushButton* m_meanButton = nullptr;
    QPushButton* m_rangeButton = nullptr;
    QPushButton* m_differenceButton = nullptr;
    QPushButton* m_closeButton = nullptr;
    QPushButton* m_capabilityButton = nullptr;
};
