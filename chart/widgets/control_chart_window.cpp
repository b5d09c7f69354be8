// The control chart window; see control_chart_window.h. Every handler only
// calls the shared chart code; errors that escape a handler go to the
// error reporter, as the application's standard error report would show them.
#include "control_chart_window.h"

#include "chart_kind_draw.h"
#include "computation_fill.h"
#include "copy_statistics.h"
#include "f1book.h"
#include "program_state.h"
#include "range_selector_bar.h"
#include "show_span.h"
#include "visible_span.h"
#include "vtchart.h"

#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QVBoxLayout>
#include <QWindow>

namespace {

constexpr int kTrackBarMax = 4450;

// The window whose focus we take over: a dialog (a message box, the chart
// component's settings dialog) is part of this window's own work, and
// returning from it is no activation that refills the chart.
bool isDialogWindow(QWindow* window)
{
    if (window == nullptr)
        return false;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->windowHandle() == window)
            return qobject_cast<QDialog*>(w) != nullptr;
    return false;
}

QPushButton* makeChartButton(QWidget* parent, const QString& name, const QString& caption, int tag)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setProperty("tag", tag);
    button->setFixedWidth(89);
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    font.setBold(true);
    button->setFont(font);
    return button;
}

}  // namespace

TfrmtxtChart::TfrmtxtChart(chart::ProgramState& state, QWidget* parent)
    : QWidget(parent, Qt::Window), m_state(state), sheet1(std::make_unique<sheet::F1Book>())
{
    setObjectName(QStringLiteral("frmtxtChart"));
    setWindowTitle(QStringLiteral("Zentrix"));
    setProperty("helpContext", 50);
    // The grid starts with the reference layout, so a missing template still computes.
    chart::ComputationFill::resetToReferenceLayout(*sheet1, state.languageCode);
    m_reportError = [this](const QString& message) {
        QMessageBox::critical(this, QStringLiteral("Plotwise"), message);
    };
    m_notify = [this](const QString& caption, const QString& text) {
        QMessageBox::information(this, caption, text);
    };
    buildControls();
    resize(736, 627);

    connect(qApp, &QGuiApplication::focusWindowChanged, this, &TfrmtxtChart::focusWindowChanged);
}

TfrmtxtChart::~TfrmtxtChart() = default;

void TfrmtxtChart::buildControls()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setWidgetResizable(false);
    ScrollBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    Vtchart1 = new chartcomponent::VtChart();
    Vtchart1->setObjectName(QStringLiteral("Vtchart1"));
    Vtchart1->resize(716, 508);
    ScrollBox1->setWidget(Vtchart1);
    connect(Vtchart1, &chartcomponent::VtChart::OnApplyChanges, this,
            [this] { runGuarded([this] { Vtchart1ApplyChanges(); }); });
    layout->addWidget(ScrollBox1, 1);

    TrackBar1 = new QSlider(Qt::Horizontal, this);
    TrackBar1->setObjectName(QStringLiteral("TrackBar1"));
    TrackBar1->setProperty("helpContext", 201);
    TrackBar1->setFixedHeight(28);
    TrackBar1->setRange(0, kTrackBarMax);
    TrackBar1->setValue(0);
    TrackBar1->setTickPosition(QSlider::TicksBelow);
    TrackBar1->setTickInterval(1);
    connect(TrackBar1, &QSlider::valueChanged, this, [this] { TrackBar1Change(); });
    layout->addWidget(TrackBar1);

    Tfrmsizepanel1 = new Tfrmsizepanel(this);
    Tfrmsizepanel1->setProperty("helpContext", 202);
    Tfrmsizepanel1->setFixedHeight(20);
    Tfrmsizepanel1->setMinimumWidth(chart::RangeBarGeometry::kMinTrackWidth);
    // The window's design: the inner window starts at 1 and spans the track but 4 pixels (724 of 728).
    Tfrmsizepanel1->placeInnerOnFirstLayout(1, 3);
    Tfrmsizepanel1->onPinnenMouseMove = [this](int x) { runGuarded([=, this] { Tfrmsizepanel1pinnenMouseMove(x); }); };
    Tfrmsizepanel1->onPinnenMouseUp = [this](int x) { runGuarded([=, this] { Tfrmsizepanel1pinnenMouseUp(x); }); };
    Tfrmsizepanel1->onPlinksMouseMove = [this](int x) { runGuarded([=, this] { Tfrmsizepanel1plinksMouseMove(x); }); };
    Tfrmsizepanel1->onPlinksMouseUp = [this](int x) { runGuarded([=, this] { Tfrmsizepanel1plinksMouseUp(x); }); };
    Tfrmsizepanel1->onPrechtsMouseMove = [this](int x) { runGuarded([=, this] { Tfrmsizepanel1prechtsMouseMove(x); }); };
    Tfrmsizepanel1->onPrechtsMouseUp = [this](int x) { runGuarded([=, this] { Tfrmsizepanel1prechtsMouseUp(x); }); };
    layout->addWidget(Tfrmsizepanel1);

    Panel2 = new QFrame(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFixedHeight(32);
    auto* bottom = new QHBoxLayout(Panel2);
    bottom->setContentsMargins(2, 2, 2, 2);
    bottom->addStretch(1);

    Panel3 = new QFrame(Panel2);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    auto* buttons = new QHBoxLayout(Panel3);
    buttons->setContentsMargins(0, 0, 0, 0);
    Button4 = makeChartButton(Panel3, QStringLiteral("Button4"), tr("&Mittelwert"), 1);
    Button2 = makeChartButton(Panel3, QStringLiteral("Button2"), tr("S&pannweite"), 2);
    Button3 = makeChartButton(Panel3, QStringLiteral("Button3"), tr("&Differenz"), 3);
    Button1 = makeChartButton(Panel3, QStringLiteral("Button1"), tr("&Schließen"), 4);
    Button4->setProperty("helpContext", 205);
    Button2->setProperty("helpContext", 206);
    Button3->setProperty("helpContext", 207);
    Button1->setProperty("helpContext", 208);
    for (QPushButton* b : {Button4, Button2, Button3, Button1})
        buttons->addWidget(b);
    connect(Button4, &QPushButton::clicked, this, [this] { runGuarded([this] { Button4Click(); }); });
    connect(Button2, &QPushButton::clicked, this, [this] { runGuarded([this] { Button2Click(); }); });
    connect(Button3, &QPushButton::clicked, this, [this] { runGuarded([this] { Button3Click(); }); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    bottom->addWidget(Panel3);

    Panel1 = new QFrame(Panel2);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedWidth(349);
    auto* span = new QHBoxLayout(Panel1);
    span->setContentsMargins(4, 0, 0, 0);
    Label1 = new QLabel(tr("Start"), Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setProperty("tag", 5);
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Edit1 = new QLineEdit(Panel1);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setProperty("helpContext", 203);
    Label2 = new QLabel(tr("Ende"), Panel1);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setProperty("tag", 6);
    Label2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Edit2 = new QLineEdit(Panel1);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setProperty("helpContext", 204);
    for (QLineEdit* edit : {Edit1, Edit2}) {
        edit->setFrame(false);
        edit->setEnabled(false);
    }
    span->addWidget(Label1);
    span->addWidget(Edit1, 1);
    span->addWidget(Label2);
    span->addWidget(Edit2, 1);
    bottom->addWidget(Panel1);
    layout->addWidget(Panel2);
}

QPushButton* TfrmtxtChart::button(int tag) const
{
    switch (tag) {
    case 1: return Button4;
    case 2: return Button2;
    case 3: return Button3;
    case 4: return Button1;
    default: return nullptr;
    }
}

void TfrmtxtChart::setCaption(int tag, const QString& text)
{
    if (QPushButton* b = button(tag))
        b->setText(text);
    else if (tag == 5)
        Label1->setText(text);
    else if (tag == 6)
        Label2->setText(text);
}

void TfrmtxtChart::setErrorReporter(std::function<void(const QString&)> reporter)
{
    if (reporter)
        m_reportError = std::move(reporter);
}

void TfrmtxtChart::setInformationNotifier(std::function<void(const QString&, const QString&)> notifier)
{
    if (notifier)
        m_notify = std::move(notifier);
}

void TfrmtxtChart::runGuarded(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& error) {
        m_reportError(QString::fromUtf8(error.what()));
    }
}

// --- activation and span ------------------------------------------------------

void TfrmtxtChart::focusWindowChanged(QWindow* now)
{
    const QWindow* own = windowHandle();
    if (now != nullptr && now == own && !isDialogWindow(m_previousFocusWindow) && isVisible())
        runGuarded([this] { FormActivate(); });
    // Remember what took the focus; a dialog closed since then is judged by what it was.
    if (now != own)
        m_previousFocusWindow = isDialogWindow(now) ? now : nullptr;
    else
        m_previousFocusWindow = nullptr;
}

void TfrmtxtChart::FormActivate()
{
    ShowSpan();
    const chart::VisibleSpan span = chart::computeVisibleSpan(
        m_state.job, Tfrmsizepanel1->LeftPercent(), Tfrmsizepanel1->RightPercent());
    FillComputationGrid(span.startRow, span.endRow);
}

void TfrmtxtChart::ShowSpan()
{
    const chart::VisibleSpan span = chart::computeVisibleSpan(
        m_state.job, Tfrmsizepanel1->LeftPercent(), Tfrmsizepanel1->RightPercent());
    Edit1->setText(chart::spanEndText(m_state.job, m_state.importGrid, span.startRow));
    Edit2->setText(chart::spanEndText(m_state.job, m_state.importGrid, span.endRow));
}

void TfrmtxtChart::redrawFromBar()
{
    const chart::VisibleSpan span = chart::computeVisibleSpan(
        m_state.job, Tfrmsizepanel1->LeftPercent(), Tfrmsizepanel1->RightPercent());
    FillComputationGrid(span.startRow, span.endRow);
}

void TfrmtxtChart::Tfrmsizepanel1pinnenMouseMove(int x)
{
    Tfrmsizepanel1->pinnenMouseMove(x);
    ShowSpan();
}

void TfrmtxtChart::Tfrmsizepanel1plinksMouseMove(int x)
{
    Tfrmsizepanel1->plinksMouseMove(x);
    ShowSpan();
}

void TfrmtxtChart::Tfrmsizepanel1prechtsMouseMove(int x)
{
    Tfrmsizepanel1->prechtsMouseMove(x);
    ShowSpan();
}

void TfrmtxtChart::Tfrmsizepanel1pinnenMouseUp(int x)
{
    Tfrmsizepanel1->pinnenMouseUp(x);
    redrawFromBar();
}

void TfrmtxtChart::Tfrmsizepanel1plinksMouseUp(int x)
{
    Tfrmsizepanel1->plinksMouseUp(x);
    redrawFromBar();
}

void TfrmtxtChart::Tfrmsizepanel1prechtsMouseUp(int x)
{
    Tfrmsizepanel1->plinksMouseUp(x);
    redrawFromBar();
}

// --- fill, statistics and the three chart kinds --------------------------------

void TfrmtxtChart::FillComputationGrid(std::int32_t startRow, std::int32_t endRow)
{
    if (m_state.importGrid == nullptr)
        return;
    m_rowLabelsValid = false;
    const chart::FillResult result = chart::ComputationFill::run(*sheet1, m_state, startRow, endRow);
    LastComputationRow = result.lastComputationRow;

    // Size the chart to the scroll box; the track bar's minimum follows once.
    QWidget* viewport = ScrollBox1->viewport();
    if (viewport->width() > Vtchart1->width())
        Vtchart1->resize(viewport->width(), Vtchart1->height());
    Vtchart1->resize(Vtchart1->width(), viewport->height());
    if (TrackBar1->minimum() == 0)
        TrackBar1->setMinimum(viewport->width());

    if (result.hasData()) {
        Button4Click();
        CopyStatistics();
    } else if (endRow < startRow) {
        // No rows at all in the span: an empty chart, no message.
        Button4Click();
    } else {
        m_notify(QStringLiteral("Information"), m_state.languageCode == 2
                                                    ? QStringLiteral("Keine Daten gefunden")
                                                    : QStringLiteral("No Data available"));
    }
}

void TfrmtxtChart::CopyStatistics()
{
    if (m_state.statisticsGrid != nullptr)
        chart::copyStatistics(*sheet1, *m_state.statisticsGrid, m_state);
}

void TfrmtxtChart::drawKind(chart::ChartKind kind)
{
    if (!m_rowLabelsValid || m_rowLabelsXColumn != m_state.job.XColumn) {
        m_rowLabels = chart::buildRowLabels(*sheet1, LastComputationRow, m_state);
        m_rowLabelsXColumn = m_state.job.XColumn;
        m_rowLabelsValid = true;
    }
    ChartTemplatePath = chart::drawChartKind(kind, *Vtchart1, *sheet1, LastComputationRow, m_state, &m_rowLabels);
    m_shownKind = kind;
}

void TfrmtxtChart::Button4Click() { drawKind(chart::ChartKind::Mean); }
void TfrmtxtChart::Button2Click() { drawKind(chart::ChartKind::Range); }
void TfrmtxtChart::Button3Click() { drawKind(chart::ChartKind::Difference); }
void TfrmtxtChart::Button1Click() { hide(); }

// --- zoom, size, apply ----------------------------------------------------------

void TfrmtxtChart::TrackBar1Change()
{
    Vtchart1->resize(TrackBar1->value(), Vtchart1->height());
}

void TfrmtxtChart::FormResize()
{
    QWidget* viewport = ScrollBox1->viewport();
    Vtchart1->resize(Vtchart1->width(), viewport->height());
    TrackBar1->setMinimum(viewport->width());  // raises the position to at least the minimum
    Vtchart1->resize(TrackBar1->value(), Vtchart1->height());
    TrackBar1->setSingleStep(TrackBar1->maximum() / 100);
    TrackBar1->setPageStep(TrackBar1->maximum() / 10);
    TrackBar1->setTickInterval(TrackBar1->pageStep());
}

void TfrmtxtChart::Vtchart1ApplyChanges()
{
    const QString path = ChartTemplatePath.isEmpty() ? chart::chartTemplatePath(m_state) : ChartTemplatePath;
    Vtchart1->saveSettings(path);
}

void TfrmtxtChart::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

void TfrmtxtChart::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    FormResize();
}
