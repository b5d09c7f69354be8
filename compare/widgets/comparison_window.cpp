// The comparison window; see comparison_window.h.
#include "compare/widgets/comparison_window.h"

#include "chart/program_state.h"
#include "chart/shared_texts.h"
#include "chart/chart_look_settings.h"
#include "chart/show_span.h"
#include "chart/user_look.h"
#include "chart/visible_span.h"
#include "chart/widgets/activation_watch.h"
#include "chart/widgets/chart_zoom.h"
#include "chart/widgets/range_selector_bar.h"
#include "chart/widgets/span_fields.h"
#include "compare/comparison_draw.h"
#include "components/chart/chart_view.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kTrackBarMax = 4300;

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, int tag, int helpContext)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setProperty("tag", tag);
    button->setProperty("helpContext", helpContext);
    QFont font = button->font();
    font.setBold(true);
    button->setFont(font);
    return button;
}

}  // namespace

ComparisonWindow::ComparisonWindow(chart::ProgramState& state, QWidget* parent)
    : QWidget(parent, Qt::Window), m_state(state)
{
    setObjectName(QStringLiteral("frmxyCompare"));
    setWindowTitle(tr("Vergleich"));
    setProperty("helpContext", 60);
    m_reportError = [this](const QString& message) { QMessageBox::critical(this, QStringLiteral("Plotwise"), message); };
    m_notify = [this](const QString& caption, const QString& text) { QMessageBox::information(this, caption, text); };

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildChartPanel(), 1);
    layout->addWidget(buildBottomPanel());
    resize(769, 480);

    new ActivationWatch(*this, [this] { runGuarded([this] { activate(); }); });
}

// The chart in its scroll box, the zoom track bar and the range selector bar, in a lowered panel.
QWidget* ComparisonWindow::buildChartPanel()
{
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("chartPanel"));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);

    m_scrollArea = new QScrollArea(panel);
    m_scrollArea->setObjectName(QStringLiteral("scrollArea"));
    m_scrollArea->setWidgetResizable(false);
    m_scrollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_scrollArea->setFrameShape(QFrame::NoFrame);
    m_chart = new chartcomponent::ChartView();
    m_chart->setObjectName(QStringLiteral("chart"));
    m_chart->resize(753, 362);
    m_scrollArea->setWidget(m_chart);
    connect(m_chart, &chartcomponent::ChartView::changesApplied, this,
            [this] { runGuarded([this] { chartLookApplied(); }); });
    layout->addWidget(m_scrollArea, 1);

    m_zoomSlider = new QSlider(Qt::Horizontal, panel);
    m_zoomSlider->setObjectName(QStringLiteral("zoomSlider"));
    m_zoomSlider->setProperty("helpContext", 201);
    m_zoomSlider->setFixedHeight(28);
    m_zoomSlider->setRange(0, kTrackBarMax);
    m_zoomSlider->setTickPosition(QSlider::TicksBelow);
    connect(m_zoomSlider, &QSlider::valueChanged, this, [this] { zoomChanged(); });
    layout->addWidget(m_zoomSlider);

    buildRangeBar(panel);
    layout->addWidget(m_rangeBar);
    return panel;
}

void ComparisonWindow::buildRangeBar(QWidget* parent)
{
    m_rangeBar = new RangeSelectorBar(parent);
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
}

// "&Neu Zeichnen", "&Schließen" and the span fields, 35 pixels high.
QWidget* ComparisonWindow::buildBottomPanel()
{
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("bottomPanel"));
    panel->setFixedHeight(35);
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(4, 2, 4, 2);
    m_redrawButton = makeButton(panel, QStringLiteral("redrawButton"), tr("&Neu Zeichnen"), 1, 209);
    m_closeButton = makeButton(panel, QStringLiteral("closeButton"), tr("&Schließen"), 2, 208);
    connect(m_redrawButton, &QPushButton::clicked, this, [this] { runGuarded([this] { redrawWholeRange(); }); });
    connect(m_closeButton, &QPushButton::clicked, this, [this] { closeWindow(); });
    m_spanFields = new SpanFields(panel);
    m_spanFields->setFixedWidth(349);
    connect(m_spanFields, &SpanFields::endTyped, this,
            [this](chart::SpanEnd which, const QString& text) { runGuarded([=, this] { spanEndTyped(which, text); }); });
    layout->addWidget(m_redrawButton);
    layout->addWidget(m_closeButton);
    layout->addStretch(1);
    layout->addWidget(m_spanFields);
    return panel;
}

QLineEdit* ComparisonWindow::startEdit() const { return m_spanFields->startEdit(); }
QLineEdit* ComparisonWindow::endEdit() const { return m_spanFields->endEdit(); }

void ComparisonWindow::setCaption(int tag, const QString& text)
{
    switch (tag) {
    case 1: m_redrawButton->setText(text); break;
    case 2: m_closeButton->setText(text); break;
    case 5: m_spanFields->startLabel()->setText(text); break;
    case 6: m_spanFields->endLabel()->setText(text); break;
    default: break;
    }
}

void ComparisonWindow::setErrorReporter(std::function<void(const QString&)> reporter)
{
    if (reporter) m_reportError = std::move(reporter);
}

void ComparisonWindow::setInformationNotifier(std::function<void(const QString&, const QString&)> notifier)
{
    if (notifier) m_notify = std::move(notifier);
}

void ComparisonWindow::runGuarded(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& error) {
        m_reportError(QString::fromUtf8(error.what()));
    }
}

// --- activation, span and drawing ----------------------------------------------

void ComparisonWindow::activate()
{
    if (m_state.job.lastDataRow < 1) {
        // The chart keeps what it showed.
        m_notify(QStringLiteral("Information"), chart::noDataText(m_state.language));
        return;
    }
    m_rangeBar->updatePercents();
    m_wholeRangeValid = false;  // coming back, the job or the grid may have changed
    showSpan();
    const chart::VisibleSpan span =
        chart::computeVisibleSpan(m_state.job, m_rangeBar->leftPercent(), m_rangeBar->rightPercent());
    drawComparison(span.startRow, span.endRow);
}

void ComparisonWindow::showSpan()
{
    const chart::VisibleSpan span =
        chart::computeVisibleSpan(m_state.job, m_rangeBar->leftPercent(), m_rangeBar->rightPercent());
    m_spanFields->showTexts(chart::spanEndText(m_state.job, m_state.importGrid, span.startRow),
                            chart::spanEndText(m_state.job, m_state.importGrid, span.endRow));
}

// The whole range is read once per activation; the bar's releases and typed
// ends only take their rows out of it, so a release over a million rows
// costs what handing them to the chart costs. The look file is read anew
// for every drawing, as plotwise-report's drawing does.
void ComparisonWindow::drawComparison(std::int32_t startRow, std::int32_t endRow)
{
    if (m_state.importGrid == nullptr) return;
    const chart::ChartJob& job = m_state.job;
    if (!m_wholeRangeValid) {
        m_wholeRange = compare::buildComparisonData(m_state, job.firstDataRow, job.lastDataRow);
        m_wholeRangeValid = true;
    }
    m_lookPath = compare::comparisonTemplatePath(m_state);
    compare::loadComparisonLook(*m_chart, m_state, m_lookPath);
    const bool inside = startRow >= job.firstDataRow && endRow <= job.lastDataRow;
    if (startRow == job.firstDataRow && endRow == job.lastDataRow)
        compare::applyComparisonData(*m_chart, m_wholeRange);
    else if (inside || endRow < startRow) {
        // The chart lets go of the last slice first, so its buffers are reused, not copied.
        m_chart->setColumnCount(0);
        const int count = int(std::max<std::int64_t>(0, std::int64_t(endRow) - startRow + 1));
        compare::applyComparisonData(*m_chart, compare::sliceComparisonData(m_wholeRange, startRow - job.firstDataRow,
                                                                           count, &m_sliceBuffers));
    }
    else
        compare::applyComparisonData(*m_chart, compare::buildComparisonData(m_state, startRow, endRow));
    fitChartToWindow();
}

void ComparisonWindow::redrawWholeRange()
{
    m_wholeRangeValid = false;
    m_rangeBar->selectWholeTrack();
    showSpan();
    drawComparison(m_state.job.firstDataRow, m_state.job.lastDataRow);
}

void ComparisonWindow::closeWindow() { hide(); }

void ComparisonWindow::redrawFromBar()
{
    showSpan();
    const chart::VisibleSpan span =
        chart::computeVisibleSpan(m_state.job, m_rangeBar->leftPercent(), m_rangeBar->rightPercent());
    drawComparison(span.startRow, span.endRow);
}

void ComparisonWindow::innerWindowDragged(int x)
{
    m_rangeBar->innerWindowDragged(x);
    showSpan();
}

void ComparisonWindow::leftHandleDragged(int x)
{
    m_rangeBar->leftHandleDragged(x);
    showSpan();
}

void ComparisonWindow::rightHandleDragged(int x)
{
    m_rangeBar->rightHandleDragged(x);
    showSpan();
}

void ComparisonWindow::innerWindowReleased(int x)
{
    m_rangeBar->innerWindowReleased(x);
    redrawFromBar();
}

void ComparisonWindow::leftHandleReleased(int x)
{
    m_rangeBar->handleReleased(x);
    redrawFromBar();
}

void ComparisonWindow::rightHandleReleased(int x)
{
    m_rangeBar->handleReleased(x);
    redrawFromBar();
}

void ComparisonWindow::spanEndTyped(chart::SpanEnd which, const QString& text)
{
    const auto span = applyTypedSpanEnd(*m_rangeBar, m_state.job, m_state.importGrid, text, which);
    if (!span) {
        m_spanFields->markInvalid(which);
        return;
    }
    showSpan();
    drawComparison(span->startRow, span->endRow);
}

// --- zoom, size, apply ------------------------------------------------------------

void ComparisonWindow::zoomChanged() { applyZoom(*m_scrollArea, *m_chart, *m_zoomSlider); }

void ComparisonWindow::fitChartToWindow() { fitZoomedChart(*m_scrollArea, *m_chart, *m_zoomSlider); }

// The look goes where the control chart window's goes: the user's own copy
// when the one drawn with is a shipped file; "VglFile" then names the copy.
void ComparisonWindow::chartLookApplied()
{
    const QString path = m_lookPath.isEmpty() ? compare::comparisonTemplatePath(m_state) : m_lookPath;
    m_lookPath = chart::saveUserLook(m_state, chart::kComparisonLookKey, path,
                                     [this](const QString& target) { m_chart->saveSettings(target); });
}

void ComparisonWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    fitChartToWindow();
}

void ComparisonWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    fitChartToWindow();
}
