// ComparisonWindow: the comparison window. It draws the chart job's compared
// columns (up to five) as the series of one chart over the visible span,
// straight from the import grid, with no statistics. The same range selector
// bar, span fields and zoom as the control chart window; every handler calls
// the widget-free drawing (compare::drawComparison), which plotwise-report
// runs as well. The window reads the program state live and keeps no copy
// of the chart job.
#pragma once

#include "chart/typed_span.h"
#include "compare/comparison_draw.h"

#include <QWidget>
#include <cstdint>
#include <functional>

class QLineEdit;
class QPushButton;
class QScrollArea;
class QSlider;
class RangeSelectorBar;
class SpanFields;

namespace chartcomponent { class ChartView; }
namespace chart { struct ProgramState; }

class ComparisonWindow : public QWidget {
    Q_OBJECT
public:
    explicit ComparisonWindow(chart::ProgramState& state, QWidget* parent = nullptr);

    // Handlers, one per user action.
    void activate();
    void showSpan();
    void drawComparison(std::int32_t startRow, std::int32_t endRow);
    void redrawWholeRange();  // "&Neu Zeichnen"
    void closeWindow();       // "&Schließen": hide
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

    // Errors no handler catches go to the error reporter; the "no data" note
    // to the information notifier. Both default to message boxes.
    void setErrorReporter(std::function<void(const QString&)> reporter);
    void setInformationNotifier(std::function<void(const QString& caption, const QString& text)> notifier);

    // Captions by language-table tag: 1 "&Neu Zeichnen", 2 "&Schließen", 5 "Start", 6 "Ende".
    void setCaption(int tag, const QString& text);

    // Parts, for the main window, the benchmark and tests.
    QString chartLookPath() const { return m_lookPath; }
    chartcomponent::ChartView* chartComponent() const { return m_chart; }
    RangeSelectorBar* rangeBar() const { return m_rangeBar; }
    QScrollArea* scrollArea() const { return m_scrollArea; }
    QSlider* zoomSlider() const { return m_zoomSlider; }
    SpanFields* spanFields() const { return m_spanFields; }
    QLineEdit* startEdit() const;
    QLineEdit* endEdit() const;
    QPushButton* redrawButton() const { return m_redrawButton; }
    QPushButton* closeButton() const { return m_closeButton; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildChartPanel();
    void buildRangeBar(QWidget* parent);
    QWidget* buildBottomPanel();
    void runGuarded(const std::function<void()>& handler);
    void redrawFromBar();

    chart::ProgramState& m_state;
    QString m_lookPath;  // the look file of the last drawing: applied changes go there
    compare::ComparisonData m_wholeRange;  // the job's whole row range, read on activation
    bool m_wholeRangeValid = false;
    QVector<QVector<double>> m_sliceBuffers;  // the values of the last slice, reused by the next
    std::function<void(const QString&)> m_reportError;
    std::function<void(const QString&, const QString&)> m_notify;

    QScrollArea* m_scrollArea = nullptr;
    chartcomponent::ChartView* m_chart = nullptr;
    QSlider* m_zoomSlider = nullptr;
    RangeSelectorBar* m_rangeBar = nullptr;
    SpanFields* m_spanFields = nullptr;
    QPushButton* m_redrawButton = nullptr;
    QPushButton* m_closeButton = nullptr;
};
