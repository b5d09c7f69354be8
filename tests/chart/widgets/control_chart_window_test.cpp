// The control chart window offscreen: activation fills, draws the mean chart
// and copies the statistics; the range selector bar driven by synthesized
// mouse events updates Start and Ende while moving and redraws on release;
// activation after the range chart shows the mean chart again; the no-data
// note; zoom; saving applied chart settings; the normality test of a long
// series on a worker (the latest fill's figures win, closing is safe).
#include "tests/chart/chart_test_support.h"
#include "chart/widgets/control_chart_window.h"
#include "chart/widgets/range_selector_bar.h"
#include "chart/widgets/span_fields.h"
#include "chart/show_span.h"
#include "chart/visible_span.h"
#include "chart/capability_block.h"
#include "components/chart/chart_view.h"
#include "components/platform/profile.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QTest>
#include <gtest/gtest.h>

using charttest::StateFixture;

namespace {

void sendMouse(QWidget* widget, QEvent::Type type, int x)
{
    const QPointF local(x, 5);
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, local, widget->mapToGlobal(local), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

class ControlChartWindowTest : public ::testing::Test {
protected:
    StateFixture f;
    QTemporaryDir dir;
    std::unique_ptr<ControlChartWindow> window;
    QStringList notes;
    QStringList errors;

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        f.state.applicationDirectory = dir.path() + '/';
        f.state.settingsPath = dir.filePath("Plotwise.INI");
        for (int r = 1; r <= 200; ++r) {
            f.importGrid.setText(r, 1, QStringLiteral("P%1").arg(r));
            f.importGrid.setNumber(r, 2, 10.0 + (r % 7) * 0.5);
        }
        f.state.job.valueColumns = {2, 0, 0};
        f.state.job.firstDataRow = 1;
        f.state.job.lastDataRow = 200;
        f.state.job.chartTitle = "Window test";
        window = std::make_unique<ControlChartWindow>(f.state);
        window->setInformationNotifier([this](const QString& caption, const QString& text) {
            notes << caption + ": " + text;
        });
        window->setErrorReporter([this](const QString& message) { errors << message; });
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    void TearDown() override { EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString(); }

    ChartView& chart() { return *window->chartComponent(); }
    chart::VisibleSpan expectedSpan() const
    {
        const RangeSelectorBar* bar = window->rangeBar();
        return chart::computeVisibleSpan(f.state.job, bar->leftPercent(), bar->rightPercent());
    }
};

}  // namespace

TEST_F(ControlChartWindowTest, ActivationFillsDrawsTheMeanChartAndCopiesStatistics)
{
    window->activate();
    EXPECT_EQ(window->lastComputationRow(), 215);
    EXPECT_EQ(chart().rowCount(), 200);
    EXPECT_EQ(chart().columnCount(), 7);
    EXPECT_EQ(chart().titleText(), "Window test");
    EXPECT_EQ(window->shownKind(), chart::ChartKind::Mean);
    EXPECT_EQ(window->startEdit()->text(), "1");
    EXPECT_EQ(window->endEdit()->text(), "200");
    EXPECT_EQ(f.statisticsGrid.number(3, 4), 200);
    EXPECT_EQ(f.statisticsGrid.text(1, 2), "Window test");
    EXPECT_TRUE(notes.isEmpty());
}

TEST_F(ControlChartWindowTest, SpanFieldsShowXColumnTexts)
{
    f.state.job.xColumn = 1;
    f.importGrid.setText(1, 2, "skip me");  // the first row is skipped but still shown
    window->activate();
    EXPECT_EQ(window->startEdit()->text(), "P1");
    EXPECT_EQ(window->endEdit()->text(), "P200");
    EXPECT_EQ(chart().chartData().rowLabel(1), "P2");
}

TEST_F(ControlChartWindowTest, DraggingTheBarShowsTheSpanAndRedrawsOnRelease)
{
    window->activate();
    RangeSelectorBar* bar = window->rangeBar();
    // The first placement: the whole track, so the whole row range.
    EXPECT_EQ(bar->geometryModel().innerLeft(), 0);
    EXPECT_EQ(bar->geometryModel().innerRight(), bar->width());
    EXPECT_EQ(bar->innerWindow()->geometry().right() + 1, bar->width());
    EXPECT_EQ(bar->rightHandle()->geometry().right() + 1, bar->innerWindow()->width());

    // A press and release without a move changes nothing: no row is lost.
    sendMouse(bar->innerWindow(), QEvent::MouseButtonPress, 300);
    sendMouse(bar->innerWindow(), QEvent::MouseButtonRelease, 300);
    EXPECT_EQ(window->startEdit()->text(), "1");
    EXPECT_EQ(window->endEdit()->text(), "200");
    EXPECT_EQ(chart().rowCount(), 200);

    // Pull the left handle 100 pixels to the right (the handle moves under the pointer).
    sendMouse(bar->leftHandle(), QEvent::MouseButtonPress, 3);
    sendMouse(bar->leftHandle(), QEvent::MouseMove, 103);
    EXPECT_EQ(bar->geometryModel().innerLeft(), 100);
    const chart::VisibleSpan moved = expectedSpan();
    EXPECT_GT(moved.startRow, 1);
    EXPECT_EQ(window->startEdit()->text(), QString::number(moved.startRow));
    EXPECT_EQ(chart().rowCount(), 200);  // a move does not redraw
    sendMouse(bar->leftHandle(), QEvent::MouseButtonRelease, 3);
    EXPECT_EQ(expectedSpan().startRow, moved.startRow);
    EXPECT_EQ(chart().rowCount(), moved.rowCount());
    EXPECT_EQ(chart().chartData().rowLabel(1), QString::number(moved.startRow));

    // Narrow it from the right by 200 pixels.
    sendMouse(bar->rightHandle(), QEvent::MouseButtonPress, 3);
    sendMouse(bar->rightHandle(), QEvent::MouseMove, -197);
    sendMouse(bar->rightHandle(), QEvent::MouseButtonRelease, 3);
    const chart::VisibleSpan narrowed = expectedSpan();
    EXPECT_LT(narrowed.endRow, 200);
    EXPECT_EQ(window->endEdit()->text(), QString::number(narrowed.endRow));
    EXPECT_EQ(chart().rowCount(), narrowed.rowCount());

    // Grab the inner window 40 pixels in, drag it 40 pixels right, let go there.
    window->endEdit()->setText("stale");
    sendMouse(bar->innerWindow(), QEvent::MouseButtonPress, 40);
    sendMouse(bar->innerWindow(), QEvent::MouseMove, 80);
    EXPECT_EQ(bar->geometryModel().innerLeft(), 140);
    const chart::VisibleSpan dragged = expectedSpan();
    sendMouse(bar->innerWindow(), QEvent::MouseButtonRelease, 40);
    EXPECT_EQ(expectedSpan().startRow, dragged.startRow) << "the release adds no offset";
    EXPECT_GT(dragged.startRow, moved.startRow);
    EXPECT_GT(dragged.endRow, narrowed.endRow);
    EXPECT_EQ(window->startEdit()->text(), QString::number(dragged.startRow));
    EXPECT_EQ(window->endEdit()->text(), QString::number(dragged.endRow)) << "refreshed on release";
    EXPECT_EQ(chart().rowCount(), dragged.rowCount());
    EXPECT_EQ(window->lastComputationRow() - 15, dragged.rowCount());
}

TEST_F(ControlChartWindowTest, TypedSpanEndsApplyOnEnterAndUnknownOnesTurnRed)
{
    window->activate();
    auto type = [](QLineEdit* edit, const QString& text) {
        edit->setText(text);
        QTest::keyClick(edit, Qt::Key_Return);
    };
    type(window->startEdit(), "150");
    EXPECT_EQ(chart().rowCount(), 51);
    EXPECT_EQ(chart().chartData().rowLabel(1), "150");
    EXPECT_EQ(expectedSpan().startRow, 150) << "the bar holds the typed start";
    EXPECT_GT(window->rangeBar()->geometryModel().innerLeft(), window->rangeBar()->width() / 2);
    type(window->endEdit(), "160");
    EXPECT_EQ(chart().rowCount(), 11) << "a span narrower than the bar's minimum width";
    window->activate();
    EXPECT_EQ(chart().rowCount(), 11) << "kept across an activation";

    for (const QString bad : {"abc", "0", "201", "149"}) {
        type(window->endEdit(), bad);
        EXPECT_TRUE(window->spanFields()->isMarkedInvalid(chart::SpanEnd::End)) << bad.toStdString();
        EXPECT_EQ(chart().rowCount(), 11) << bad.toStdString() << ": nothing changes";
    }
    f.state.job.xColumn = 1;  // labels as the fields show them
    type(window->startEdit(), "P155");
    EXPECT_FALSE(window->spanFields()->isMarkedInvalid(chart::SpanEnd::End)) << "a new span clears the mark";
    EXPECT_EQ(chart().rowCount(), 6);
    EXPECT_EQ(window->startEdit()->text(), "P155");
    EXPECT_EQ(window->endEdit()->text(), "P160");
}

TEST_F(ControlChartWindowTest, ActivationAfterTheRangeChartShowsTheMeanChartAgain)
{
    window->activate();
    window->button(2)->click();
    EXPECT_EQ(window->shownKind(), chart::ChartKind::Range);
    EXPECT_TRUE(chart().seriesExcluded(3));
    EXPECT_TRUE(chart().seriesHidden(4));

    QWidget mainWindow;
    mainWindow.resize(200, 100);
    mainWindow.show();
    mainWindow.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&mainWindow));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTRY_COMPARE(window->shownKind(), chart::ChartKind::Mean);
    EXPECT_FALSE(chart().seriesExcluded(3));
    EXPECT_FALSE(chart().seriesHidden(3));
    EXPECT_FALSE(chart().seriesHidden(4));
}

TEST_F(ControlChartWindowTest, SpanBeyondSixteenBitCountsDrawsWhole)
{
    for (int r = 201; r <= 40000; ++r)
        f.importGrid.setNumber(r, 2, 10.0 + (r % 11) * 0.25);
    f.state.job.lastDataRow = 40000;
    window->activate();
    EXPECT_EQ(chart().rowCount(), 40000);
    EXPECT_EQ(chart().chartData().columnValues(1).size(), 40000);
    EXPECT_EQ(chart().chartData().rowLabel(40000), "40000");
    EXPECT_EQ(f.statisticsGrid.number(3, 4), 40000);
}

TEST_F(ControlChartWindowTest, SpanEndingBeforeItStartsDrawsAnEmptyChartQuietly)
{
    window->activate();
    f.statisticsGrid.setNumber(3, 4, -1);
    window->fillComputationGrid(120, 119);
    EXPECT_EQ(chart().rowCount(), 0);
    EXPECT_EQ(window->lastComputationRow(), 15);
    EXPECT_TRUE(notes.isEmpty());
    EXPECT_EQ(f.statisticsGrid.number(3, 4), -1);  // nothing to copy
}

TEST_F(ControlChartWindowTest, NoDataNoteInTheWindowsLanguage)
{
    window->activate();
    for (int r = 1; r <= 200; ++r)
        f.importGrid.setText(r, 2, "text");
    window->activate();
    f.state.language = platform::Language::German;
    window->activate();
    EXPECT_EQ(notes, (QStringList{"Information: No Data available", "Information: Keine Daten gefunden"}));
    EXPECT_EQ(chart().rowCount(), 200);  // the chart keeps what it showed
}

TEST_F(ControlChartWindowTest, SpanLongerThanTheComputationGridIsRefusedAndTheChartKept)
{
    // Every handler runs guarded: what the fill throws reaches the error reporter.
    window->activate();
    try {
        window->fillComputationGrid(1, 1048561);
        ADD_FAILURE() << "a span of 1,048,561 rows was filled";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "at most 1,048,560 data rows fit the computation grid; the chosen rows are 1,048,561");
    }
    EXPECT_EQ(chart().rowCount(), 200);
    EXPECT_EQ(window->lastComputationRow(), 215);
}

TEST_F(ControlChartWindowTest, TrackBarZoomsAndResizeRaisesItsMinimum)
{
    window->activate();
    QSlider* track = window->zoomSlider();
    EXPECT_EQ(track->maximum(), 4450);
    EXPECT_EQ(track->pageStep(), 445);
    track->setValue(3000);
    EXPECT_EQ(chart().width(), 3000);
    window->resize(1200, 700);
    QTRY_COMPARE(track->minimum(), window->scrollArea()->viewport()->width());
    EXPECT_GE(chart().width(), track->minimum());
    EXPECT_EQ(chart().height(), window->scrollArea()->viewport()->height());
}

TEST_F(ControlChartWindowTest, ChartFillsTheWindowWhenItShrinksUnlessZoomed)
{
    window->resize(1200, 700);
    window->activate();
    QScrollArea* box = window->scrollArea();
    QTRY_COMPARE(chart().width(), box->viewport()->width());
    window->resize(600, 500);
    QTRY_COMPARE(chart().width(), box->viewport()->width());
    EXPECT_FALSE(box->horizontalScrollBar()->isVisible()) << "no scroll bar for a chart that fits";
    EXPECT_EQ(chart().height(), box->viewport()->height());

    window->zoomSlider()->setValue(2000);  // zoomed: the width stays when the window changes
    window->resize(700, 500);
    QTest::qWait(20);
    EXPECT_EQ(chart().width(), 2000);
}

TEST_F(ControlChartWindowTest, WideningStretchesTheBarAndKeepsItsPercentages)
{
    RangeSelectorBar* bar = window->rangeBar();
    sendMouse(bar->rightHandle(), QEvent::MouseButtonPress, 3);
    sendMouse(bar->rightHandle(), QEvent::MouseMove, -100);
    sendMouse(bar->rightHandle(), QEvent::MouseButtonRelease, -100);
    const double right = bar->rightPercent();
    const int margin = bar->width() - bar->geometryModel().innerRight();
    window->resize(window->width() + 300, window->height());
    QTRY_COMPARE(bar->width() - bar->geometryModel().innerRight(), margin);
    EXPECT_EQ(bar->rightPercent(), right);
    EXPECT_EQ(bar->innerWindow()->geometry().right() + 1, bar->geometryModel().innerRight());
}

TEST_F(ControlChartWindowTest, AppliedChartSettingsAreSavedToTheTemplate)
{
    const QString templatePath = dir.filePath("mine.vtc");
    platform::Profile(f.state.settingsPath).writeString("GraphDef", "XYFile", templatePath);
    window->activate();
    EXPECT_EQ(window->chartLookPath(), templatePath);
    window->chartLookApplied();
    EXPECT_TRUE(QFile::exists(templatePath));
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

TEST_F(ControlChartWindowTest, CapabilityButtonShowsTheHistogramAndTheMeanChartReturns)
{
    f.state.job.specificationLimits = {9.0, 14.0, std::nullopt};
    window->activate();
    QPushButton* capability = window->button(7);
    ASSERT_NE(capability, nullptr);
    EXPECT_EQ(capability->text(), "&Fähigkeit");
    EXPECT_EQ(capability->property("helpContext").toInt(), 209);
    capability->click();
    chart().replot();
    EXPECT_TRUE(chart().hasRowPositions());
    EXPECT_EQ(chart().columnCount(), 6);
    EXPECT_TRUE(chart().noteText().startsWith("Cp = ")) << chart().noteText().toStdString();
    EXPECT_EQ(f.statisticsGrid.text(32, 1), "Cp");   // the block came with the activation

    window->button(1)->click();
    chart().replot();
    EXPECT_FALSE(chart().hasRowPositions());
    EXPECT_TRUE(chart().noteText().isEmpty());
    EXPECT_EQ(chart().columnCount(), 7);
}

namespace {

using namespace chart::capabilityrows;

// Waits for the window's worker test to deliver (or give up after 10 s).
bool waitForNormality(const ControlChartWindow& window)
{
    return QTest::qWaitFor([&] { return !window.normalityPending(); }, 10000);
}

// The normality figures of rows first..last of the window test's data.
capability::NormalityFigures expectedNormality(int first, int last)
{
    std::vector<double> values;
    for (int r = first; r <= last; ++r)
        values.push_back(10.0 + (r % 7) * 0.5);
    return capability::testNormality(values);
}

}  // namespace

TEST_F(ControlChartWindowTest, ShortSeriesAreTestedAtOnce)
{
    window->activate();
    EXPECT_FALSE(window->normalityPending());
    EXPECT_DOUBLE_EQ(f.statisticsGrid.number(kStatistic, kValueColumn), expectedNormality(1, 200).statistic.value);
}

TEST_F(ControlChartWindowTest, LongSeriesShowTheTestPendingAndOnlyTheLatestFillsResult)
{
    f.state.job.specificationLimits = {9.0, 14.0, std::nullopt};
    window->setBackgroundNormalityThreshold(1);
    window->activate();
    ASSERT_TRUE(window->normalityPending());
    EXPECT_EQ(f.statisticsGrid.text(kPValue, kValueColumn), "computing …");
    EXPECT_EQ(f.statisticsGrid.text(kIndexFirst, kLabelColumn), "Cp");   // the rest is there already
    window->button(7)->click();
    EXPECT_TRUE(chart().noteText().endsWith("Normality p = computing …")) << chart().noteText().toStdString();

    // A new fill before the first test is back: its own result is the one shown.
    window->fillComputationGrid(1, 60);
    f.state.language = platform::Language::German;   // a language switch copies the block again
    window->copyStatistics();
    EXPECT_EQ(f.statisticsGrid.text(kPValue, kValueColumn), "wird berechnet …");
    window->button(7)->click();
    EXPECT_TRUE(chart().noteText().endsWith("Normalverteilung p = wird berechnet …"));
    ASSERT_TRUE(waitForNormality(*window));
    QApplication::processEvents();   // a stale delivery would come now
    const capability::NormalityFigures expected = expectedNormality(1, 60);
    ASSERT_NE(expected.statistic.value, expectedNormality(1, 200).statistic.value);
    EXPECT_DOUBLE_EQ(f.statisticsGrid.number(kStatistic, kValueColumn), expected.statistic.value);
    EXPECT_DOUBLE_EQ(f.statisticsGrid.number(kPValue, kValueColumn), expected.pValue.value);
    // The capability chart shown got it too.
    EXPECT_TRUE(chart().noteText().contains(QStringLiteral("Normalverteilung p = %1")
                                                .arg(expected.pValue.value, 0, 'f', 4)))
        << chart().noteText().toStdString();
}

TEST_F(ControlChartWindowTest, ResultGoesOnlyWhereTheBlockStillWaitsForIt)
{
    window->setBackgroundNormalityThreshold(1);
    window->activate();
    f.statisticsGrid.setText(kPValue, kValueColumn, "typed by the user");
    ASSERT_TRUE(waitForNormality(*window));
    EXPECT_EQ(f.statisticsGrid.text(kPValue, kValueColumn), "typed by the user");
}

TEST_F(ControlChartWindowTest, DestroyingTheWindowWithATestInFlightIsSafe)
{
    window->setBackgroundNormalityThreshold(1);
    window->activate();
    window->fillComputationGrid(1, 120);
    ASSERT_TRUE(window->normalityPending());
    window.reset();
    QThreadPool::globalInstance()->waitForDone();
    QApplication::processEvents();
    EXPECT_EQ(f.statisticsGrid.text(kPValue, kValueColumn), "computing …");   // nobody wrote after the window
}
