// The control chart window; see control_chart_window.h. Every handler only
// calls the shared chart code (chart::ChartRun); errors that escape a handler go to the
// error reporter, as the application's standard error report would show them.
#include "chart/widgets/control_chart_window.h"

#include "components/sheet/spreadsheet.h"
#include "chart/program_state.h"
#include "chart/shared_texts.h"
#include "chart/widgets/range_selector_bar.h"
#include "chart/widgets/span_fields.h"
#include "chart/widgets/chart_zoom.h"
#include "chart/widgets/activation_watch.h"
#include "chart/show_span.h"
#include "chart/chart_look_settings.h"
#include "chart/user_look.h"
#include "chart/visible_span.h"
#include "components/chart/chart_view.h"

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

ControlChartWindow::ControlChartWindow(chart::ProgramState& state, QWidget* parent)
    : QWidget(parent, Qt::Window), m_state(state), m_computationGrid(std::make_unique<sheet::Spreadsheet>()),
      m_run(*m_computationGrid, state),
      m_normalityWorker([this](const capability::NormalityFigures& figures, const QString& error) {
          runGuarded([&] { normalityArrived(figures, error); });
      })
{
    setObjectName(QStringLiteral("frmtxtChart"));
    setWindowTitle(QStringLiteral("Zentrix"));
    setProperty("helpContext", 50);
    // The grid starts with the reference layout, so a missing template still computes.
    chart::ComputationFill::resetToReferenceLayout(*m_computationGrid, state.language);
    m_reportError = [this](const QString& message) {
        QMessageBox::critical(this, QStringLiteral("Plotwise"), message);
    };
    m_notify = [this](const QString& caption, const QString& text) {
        QMessageBox::information(this, caption, text);
    };
    buildControls();
    resize(736, 627);

    new ActivationWatch(*this, [this] { runGuarded([this] { activate(); }); });
}

ControlChartWindow::~ControlChartWindow() = default;

void ControlChartWindow::buildControls()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildChartArea(layout);
    buildRangeBar(layout);

    m_bottomPanel = new QFrame(this);
    m_bottomPanel->setObjectName(QStringLiteral("bottomPanel"));
    m_bottomPanel->setFixedHeight(32);
    auto* bottom = new QHBoxLayout(m_bottomPanel);
    bottom->setContentsMargins(2, 2, 2, 2);
    bottom->addStretch(1);
    bottom->addWidget(buildButtonPanel(m_bottomPanel));
    bottom->addWidget(buildSpanPanel(m_bottomPanel));
    layout->addWidget(m_bottomPanel);
}

// The chart inside its scroll box, and the track bar that zooms it.
void ControlChartWindow::buildChartArea(QVBoxLayout* layout)
{
    m_scrollArea = new QScrollArea(this);
    m_scrollArea->setObjectName(QStringLiteral("scrollArea"));
    m_scrollArea->setWidgetResizable(false);
    m_scrollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_scrollArea->setFrameShape(QFrame::NoFrame);
    m_chart = new chartcomponent::ChartView();
    m_chart->setObjectName(QStringLiteral("chart"));
    m_chart->resize(716, 508);
    m_scrollArea->setWidget(m_chart);
    connect(m_chart, &chartcomponent::ChartView::changesApplied, this,
            [this] { runGuarded([this] { chartLookApplied(); }); });
    layout->addWidget(m_scrollArea, 1);

    m_zoomSlider = new QSlider(Qt::Horizontal, this);
    m_zoomSlider->setObjectName(QStringLiteral("zoomSlider"));
    m_zoomSlider->setProperty("helpContext", 201);
    m_zoomSlider->setFixedHeight(28);
    m_zoomSlider->setRange(0, kTrackBarMax);
    m_zoomSlider->setValue(0);
    m_zoomSlider->setTickPosition(QSlider::TicksBelow);
    m_zoomSlider->setTickInterval(1);
    connect(m_zoomSlider, &QSlider::valueChanged, this, [this] { zoomChanged(); });
    layout->addWidget(m_zoomSlider);
}

void ControlChartWindow::buildRangeBar(QVBoxLayout* layout)
{
    m_rangeBar = new RangeSelectorBar(this);
    m_rangeBar->setProperty("helpContext", 202);
    m_rangeBar->setFixedHeight(20);
    m_rangeBar->setMinimumWidth(chart::RangeBarGeometry::kMinTrackWidth);
    // At first the inner window spans the whole track: the whole row range.
    m_rangeBar->placeInnerOnFirstLayout(0, 0);
    m_rangeBar->onInnerWindowDragged = [this](int x) { runGuarded([=, this] { innerWindowDragged(x); }); };
    m_rangeBar->onInnerWindowReleased = [this](int x) { runGuarded([=, this] { innerWindowReleased(x); }); };
    m_rangeBar->onLeftHandleDragged = [this](int x) { runGuarded([=, this] { leftHandleDragged(x); }); };
    m_rangeBar->onLeftHandleReleased = [this](int x) { runGuarded([=, this] { leftHandleReleased(x); }); };
    m_rangeBar->onRightHandleDragged = [this](int x) { runGuarded([=, this] { rightHandleDragged(x); }); };
    m_rangeBar->onRightHandleReleased = [this](int x) { runGuarded([=, this] { rightHandleReleased(x); }); };
    layout->addWidget(m_rangeBar);
}

// The three chart buttons, the capability chart and the close button.
QFrame* ControlChartWindow::buildButtonPanel(QWidget* parent)
{
    m_buttonPanel = new QFrame(parent);
    m_buttonPanel->setObjectName(QStringLiteral("buttonPanel"));
    auto* buttons = new QHBoxLayout(m_buttonPanel);
    buttons->setContentsMargins(0, 0, 0, 0);
    m_meanButton = makeChartButton(m_buttonPanel, QStringLiteral("meanButton"), tr("&Mittelwert"), 1);
    m_rangeButton = makeChartButton(m_buttonPanel, QStringLiteral("rangeButton"), tr("S&pannweite"), 2);
    m_differenceButton = makeChartButton(m_buttonPanel, QStringLiteral("differenceButton"), tr("&Differenz"), 3);
    m_capabilityButton = makeChartButton(m_buttonPanel, QStringLiteral("capabilityButton"), tr("&Fähigkeit"), 7);
    m_closeButton = makeChartButton(m_buttonPanel, QStringLiteral("closeButton"), tr("&Schließen"), 4);
    m_meanButton->setProperty("helpContext", 205);
    m_capabilityButton->setProperty("helpContext", 209);
    m_rangeButton->setProperty("helpContext", 206);
    m_differenceButton->setProperty("helpContext", 207);
    m_closeButton->setProperty("helpContext", 208);
    for (QPushButton* b : {m_meanButton, m_rangeButton, m_differenceButton, m_capabilityButton, m_closeButton})
        buttons->addWidget(b);
    connect(m_meanButton, &QPushButton::clicked, this, [this] { runGuarded([this] { showMeanChart(); }); });
    connect(m_rangeButton, &QPushButton::clicked, this, [this] { runGuarded([this] { showRangeChart(); }); });
    connect(m_differenceButton, &QPushButton::clicked, this, [this] { runGuarded([this] { showDifferenceChart(); }); });
    connect(m_capabilityButton, &QPushButton::clicked, this, [this] { runGuarded([this] { showCapabilityChart(); }); });
    connect(m_closeButton, &QPushButton::clicked, this, [this] { closeWindow(); });
    return m_buttonPanel;
}

// "Start" and "Ende" with the texts of the visible span's two ends.
QFrame* ControlChartWindow::buildSpanPanel(QWidget* parent)
{
    m_spanFields = new SpanFields(parent);
    m_spanFields->setFixedWidth(349);
    connect(m_spanFields, &SpanFields::endTyped, this,
            [this](chart::SpanEnd which, const QString& text) { runGuarded([=, this] { spanEndTyped(which, text); }); });
    return m_spanFields;
}

QLineEdit* ControlChartWindow::startEdit() const { return m_spanFields->startEdit(); }
QLineEdit* ControlChartWindow::endEdit() const { return m_spanFields->endEdit(); }

QPushButton* ControlChartWindow::button(int tag) const
{
    switch (tag) {
    case 1: return m_meanButton;
    case 2: return m_rangeButton;
    case 3: return m_differenceButton;
    case 4: return m_closeButton;
    case 7: return m_capabilityButton;
    default: return nullptr;
    }
}

void ControlChartWindow::setCaption(int tag, const QString& text)
{
    if (QPushButton* b = button(tag))
        b->setText(text);
    else if (tag == 5)
        m_spanFields->startLabel()->setText(text);
    else if (tag == 6)
        m_spanFields->endLabel()->setText(text);
}

void ControlChartWindow::setErrorReporter(std::function<void(const QString&)> reporter)
{
    if (reporter)
        m_reportError = std::move(reporter);
}

void ControlChartWindow::setInformationNotifier(std::function<void(const QString&, const QString&)> notifier)
{
    if (notifier)
        m_notify = std::move(notifier);
}

void ControlChartWindow::runGuarded(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& error) {
        m_reportError(QString::fromUtf8(error.what()));
    }
}

// --- activation and span ------------------------------------------------------

void ControlChartWindow::activate()
{
    showSpan();
    const chart::VisibleSpan span = chart::computeVisibleSpan(
        m_state.job, m_rangeBar->leftPercent(), m_rangeBar->rightPercent());
    fillComputationGrid(span.startRow, span.endRow);
}

void ControlChartWindow::showSpan()
{
    const chart::VisibleSpan span = chart::computeVisibleSpan(
        m_state.job, m_rangeBar->leftPercent(), m_rangeBar->rightPercent());
    m_spanFields->showTexts(chart::spanEndText(m_state.job, m_state.importGrid, span.startRow),
                            chart::spanEndText(m_state.job, m_state.importGrid, span.endRow));
}

void ControlChartWindow::spanEndTyped(chart::SpanEnd which, const QString& text)
{
    const auto span = applyTypedSpanEnd(*m_rangeBar, m_state.job, m_state.importGrid, text, which);
    if (!span) {
        m_spanFields->markInvalid(which);
        return;
    }
    showSpan();
    fillComputationGrid(span->startRow, span->endRow);
}

void ControlChartWindow::redrawFromBar()
{
    showSpan();
    const chart::VisibleSpan span = chart::computeVisibleSpan(
        m_state.job, m_rangeBar->leftPercent(), m_rangeBar->rightPercent());
    fillComputationGrid(span.startRow, span.endRow);
}

void ControlChartWindow::innerWindowDragged(int x)
{
    m_rangeBar->innerWindowDragged(x);
    showSpan();
}

void ControlChartWindow::leftHandleDragged(int x)
{
    m_rangeBar->leftHandleDragged(x);
    showSpan();
}

void ControlChartWindow::rightHandleDragged(int x)
{
    m_rangeBar->rightHandleDragged(x);
    showSpan();
}

void ControlChartWindow::innerWindowReleased(int x)
{
    m_rangeBar->innerWindowReleased(x);
    redrawFromBar();
}

void ControlChartWindow::leftHandleReleased(int x)
{
    m_rangeBar->handleReleased(x);
    redrawFromBar();
}

void ControlChartWindow::rightHandleReleased(int x)
{
    m_rangeBar->handleReleased(x);
    redrawFromBar();
}

// --- fill, statistics and the three chart kinds --------------------------------

void ControlChartWindow::fillComputationGrid(std::int32_t startRow, std::int32_t endRow)
{
    if (m_state.importGrid == nullptr)
        return;
    const chart::FillResult result = m_run.fill(startRow, endRow);
    startNormalityTest();

    fitChartToWindow();

    if (result.hasData()) {
        showMeanChart();
        copyStatistics();
    } else if (endRow < startRow) {
        // No rows at all in the span: an empty chart, no message.
        showMeanChart();
    } else {
        m_notify(QStringLiteral("Information"), chart::noDataText(m_state.language));
    }
}

void ControlChartWindow::copyStatistics()
{
    m_run.copyStatistics();
}

// Once per fill. A short series is tested where the figures are first
// needed, on this thread (no flicker); a long one on a worker. Either way a
// test still running for an earlier fill is dropped.
void ControlChartWindow::startNormalityTest()
{
    m_normalityWorker.discard();
    if (m_run.capabilityValues().size() < m_backgroundNormalityValues)
        return;
    m_run.deferNormality();
    m_normalityWorker.start(m_run.sharedCapabilityValues());
}

void ControlChartWindow::normalityArrived(const capability::NormalityFigures& figures, const QString& error)
{
    m_run.completeNormality(figures);
    if (m_run.capabilityShown())
        m_run.drawCapability(*m_chart);
    if (!error.isEmpty())
        m_reportError(error);
}

void ControlChartWindow::drawKind(chart::ChartKind kind)
{
    m_run.draw(kind, *m_chart);
}

void ControlChartWindow::showMeanChart() { drawKind(chart::ChartKind::Mean); }
void ControlChartWindow::showRangeChart() { drawKind(chart::ChartKind::Range); }
void ControlChartWindow::showDifferenceChart() { drawKind(chart::ChartKind::Difference); }
void ControlChartWindow::showCapabilityChart() { m_run.drawCapability(*m_chart); }
void ControlChartWindow::closeWindow() { hide(); }

// --- zoom, size, apply ----------------------------------------------------------

void ControlChartWindow::zoomChanged()
{
    applyZoom(*m_scrollArea, *m_chart, *m_zoomSlider);
}

void ControlChartWindow::fitChartToWindow()
{
    fitZoomedChart(*m_scrollArea, *m_chart, *m_zoomSlider);
}

void ControlChartWindow::chartLookApplied()
{
    const QString path = m_run.chartTemplatePath().isEmpty() ? chart::chartTemplatePath(m_state)
                                                             : m_run.chartTemplatePath();
    const char* key = m_run.capabilityShown() ? chart::kCapabilityLookKey : chart::kControlChartLookKey;
    chart::saveUserLook(m_state, key, path,
                        [this](const QString& target) { m_chart->saveSettings(target); });
}

void ControlChartWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    fitChartToWindow();
}

void ControlChartWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    fitChartToWindow();
}
