// TfrmtxtChart: the control chart window. A thin window over the widget-free
// chart code: on activation and on every release of the range selector bar
// it fills its hidden computation grid for the visible span
// (chart::ComputationFill), draws the mean chart (chart::drawChartKind) and
// copies the statistics into the main window's statistics grid
// (chart::copyStatistics). Three buttons redraw the mean, range and
// difference charts from the grid without refilling it; a track bar zooms
// the chart horizontally inside a scroll box. The window reads the program
// state live and keeps no copy of the chart job.
#pragma once

#include "chart_kinds.h"

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
class QWindow;
class Tfrmsizepanel;

namespace sheet { class F1Book; }
namespace chartcomponent { class VtChart; }
namespace chart { struct ProgramState; }

class TfrmtxtChart : public QWidget {
    Q_OBJECT
public:
    explicit TfrmtxtChart(chart::ProgramState& state, QWidget* parent = nullptr);
    ~TfrmtxtChart() override;

    // Handlers, named as in the window's design.
    void FormActivate();
    void ShowSpan();
    void FillComputationGrid(std::int32_t startRow, std::int32_t endRow);
    void CopyStatistics();
    void Button4Click();  // mean chart
    void Button2Click();  // range chart
    void Button3Click();  // difference chart
    void Button1Click();  // close: hide
    void TrackBar1Change();
    void FormResize();
    void Vtchart1ApplyChanges();
    void Tfrmsizepanel1pinnenMouseMove(int x);
    void Tfrmsizepanel1pinnenMouseUp(int x);
    void Tfrmsizepanel1plinksMouseMove(int x);
    void Tfrmsizepanel1plinksMouseUp(int x);
    void Tfrmsizepanel1prechtsMouseMove(int x);
    void Tfrmsizepanel1prechtsMouseUp(int x);

    // Errors no handler catches go here (the application's standard error
    // report); the "no data" note goes to the information notifier. Both
    // default to message boxes; tests and the main window replace them.
    void setErrorReporter(std::function<void(const QString&)> reporter);
    void setInformationNotifier(std::function<void(const QString& caption, const QString& text)> notifier);

    // State and parts, for the main window, the report tool and tests.
    std::int32_t LastComputationRow = 15;
    QString ChartTemplatePath;
    chart::ChartKind shownKind() const { return m_shownKind; }
    sheet::F1Book& computationGrid() { return *sheet1; }
    chartcomponent::VtChart* chartComponent() const { return Vtchart1; }
    Tfrmsizepanel* rangeBar() const { return Tfrmsizepanel1; }
    QScrollArea* scrollBox() const { return ScrollBox1; }
    QSlider* trackBar() const { return TrackBar1; }
    QLineEdit* startEdit() const { return Edit1; }
    QLineEdit* endEdit() const { return Edit2; }
    QPushButton* button(int tag) const;  // 1 mean, 2 range, 3 difference, 4 close

    // Captions by language-table tag: 1..3 chart buttons, 4 close, 5 "Start", 6 "Ende".
    void setCaption(int tag, const QString& text);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void drawKind(chart::ChartKind kind);
    void runGuarded(const std::function<void()>& handler);
    void redrawFromBar();
    void focusWindowChanged(QWindow* now);

    chart::ProgramState& m_state;
    std::unique_ptr<sheet::F1Book> sheet1;  // the hidden computation grid
    chart::ChartKind m_shownKind = chart::ChartKind::Mean;
    std::function<void(const QString&)> m_reportError;
    std::function<void(const QString&, const QString&)> m_notify;
    QWindow* m_previousFocusWindow = nullptr;
    // x labels of the current fill, read once and shared by the three chart
    // kinds; valid while the fill and the x column stay the same.
    QStringList m_rowLabels;
    int m_rowLabelsXColumn = 0;
    bool m_rowLabelsValid = false;

    QScrollArea* ScrollBox1 = nullptr;
    chartcomponent::VtChart* Vtchart1 = nullptr;
    QSlider* TrackBar1 = nullptr;
    Tfrmsizepanel* Tfrmsizepanel1 = nullptr;
    QFrame* Panel2 = nullptr;
    QFrame* Panel1 = nullptr;
    QFrame* Panel3 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button1 = nullptr;
};
