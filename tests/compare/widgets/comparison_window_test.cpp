// The comparison window offscreen: activation draws every row of the span
// as points of the compared series, the bar narrows and "&Neu Zeichnen"
// restores the whole range, the no-data note, a blank chart without compared
// columns, zoom, and the look file: applied changes saved, an unreadable one
// noted.
#include "compare/widgets/comparison_window.h"

#include "chart/program_state.h"
#include "chart/visible_span.h"
#include "chart/widgets/range_selector_bar.h"
#include "chart/widgets/span_fields.h"
#include "components/chart/chart_view.h"
#include "components/platform/profile.h"
#include "components/sheet/spreadsheet.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

namespace {

void sendMouse(QWidget* widget, QEvent::Type type, int x)
{
    const QPointF local(x, 5);
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, local, widget->mapToGlobal(local), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

class ComparisonWindowTest : public ::testing::Test {
protected:
    sheet::Spreadsheet grid;
    chart::ProgramState state;
    QTemporaryDir dir;
    std::unique_ptr<ComparisonWindow> window;
    QStringList notes;
    QStringList statusNotes;
    QStringList errors;

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        grid.setDecimalSeparator(QLatin1Char('.'));
        state.importGrid = &grid;
        state.language = platform::Language::English;
        state.applicationDirectory = dir.path() + '/';
        state.settingsPath = dir.filePath("Plotwise.INI");
        state.showNote = [this](const QString& note) { statusNotes << note; };
        for (int r = 1; r <= 200; ++r) {
            grid.setText(r, 1, QStringLiteral("P%1").arg(r));
            grid.setNumber(r, 2, r * 0.5);
            grid.setNumber(r, 3, 100 - r);
            grid.setNumber(r, 5, r * 2.0);
        }
        state.job.compareColumns = {2, 5, 0, 0, 0};
        state.job.firstDataRow = 1;
        state.job.lastDataRow = 200;
        state.job.chartTitle = "Compare";
        window = std::make_unique<ComparisonWindow>(state);
        window->setInformationNotifier([this](const QString& caption, const QString& text) {
            notes << caption + ": " + text;
        });
        window->setErrorReporter([this](const QString& message) { errors << message; });
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    void TearDown() override { EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString(); }

    ChartView& chart() { return *window->chartComponent(); }
    chart::VisibleSpan span() const
    {
        return chart::computeVisibleSpan(state.job, window->rangeBar()->leftPercent(), window->rangeBar()->rightPercent());
    }
};

}  // namespace

TEST_F(ComparisonWindowTest, ActivationDrawsEveryRowOfTheSpanAsPoints)
{
    grid.setText(10, 5, "n/a");
    window->activate();
    EXPECT_EQ(chart().columnCount(), 2);
    EXPECT_EQ(chart().rowCount(), 200) << "the full bar is the full range";
    EXPECT_EQ(window->startEdit()->text(), "1");
    EXPECT_EQ(window->endEdit()->text(), "200");
    chart().setColumn(1);
    EXPECT_EQ(chart().columnLabel(), "Serie B");
    chart().setColumn(2);
    EXPECT_EQ(chart().columnLabel(), "Serie E");
    EXPECT_TRUE(std::isnan(chart().chartData().columnValues(2)[9])) << "a text cell is a gap in its series";
    EXPECT_DOUBLE_EQ(chart().chartData().columnValues(1)[9], 5.0) << "only in its series";
    EXPECT_EQ(chart().chartData().rowLabel(10), "10");
    EXPECT_EQ(chart().titleText(), "Compare");
    EXPECT_FALSE(chart().seriesHidden(1));
    EXPECT_TRUE(notes.isEmpty());
}

TEST_F(ComparisonWindowTest, NarrowedBarRedrawsOnReleaseAndRedrawRestoresTheWholeRange)
{
    window->activate();
    RangeSelectorBar* bar = window->rangeBar();
    sendMouse(bar->leftHandle(), QEvent::MouseButtonPress, 3);
    sendMouse(bar->leftHandle(), QEvent::MouseMove, 203);
    const chart::VisibleSpan moved = span();
    EXPECT_GT(moved.startRow, 1);
    EXPECT_EQ(window->startEdit()->text(), QString::number(moved.startRow)) << "shown while moving";
    EXPECT_EQ(chart().rowCount(), 200) << "a move does not redraw";
    sendMouse(bar->leftHandle(), QEvent::MouseButtonRelease, 3);
    EXPECT_EQ(chart().rowCount(), moved.rowCount());
    EXPECT_EQ(chart().chartData().rowLabel(1), QString::number(moved.startRow)) << "labels are import rows";

    window->activate();  // coming back keeps the narrowed span
    EXPECT_EQ(chart().rowCount(), moved.rowCount());

    window->redrawButton()->click();
    EXPECT_EQ(chart().rowCount(), 200);
    EXPECT_EQ(bar->geometryModel().innerLeft(), 0);
    EXPECT_EQ(bar->geometryModel().innerRight(), bar->width());
    EXPECT_EQ(window->startEdit()->text(), "1");
    EXPECT_EQ(window->endEdit()->text(), "200");
    window->activate();
    EXPECT_EQ(chart().rowCount(), 200) << "the next activation keeps the whole range";
}

TEST_F(ComparisonWindowTest, XColumnTextsInTheFieldsAndLabelsAndTypedLabelsApply)
{
    state.job.xColumn = 1;
    window->activate();
    EXPECT_EQ(window->startEdit()->text(), "P1");
    EXPECT_EQ(window->endEdit()->text(), "P200");
    EXPECT_EQ(chart().chartData().rowLabel(5), "P5");
    window->endEdit()->setText("P30");
    QTest::keyClick(window->endEdit(), Qt::Key_Return);
    EXPECT_EQ(chart().rowCount(), 30);
    window->startEdit()->setText("Q1");
    QTest::keyClick(window->startEdit(), Qt::Key_Return);
    EXPECT_TRUE(window->spanFields()->isMarkedInvalid(chart::SpanEnd::Start));
    EXPECT_EQ(chart().rowCount(), 30);
}

TEST_F(ComparisonWindowTest, NoDataNoteInTheLanguageAndTheChartKeepsItsDrawing)
{
    window->activate();
    state.job.lastDataRow = 0;
    window->activate();
    state.language = platform::Language::German;
    window->activate();
    EXPECT_EQ(notes, (QStringList{"Information: No Data available", "Information: Keine Daten gefunden"}));
    EXPECT_EQ(chart().rowCount(), 200);
}

TEST_F(ComparisonWindowTest, NoComparedColumnLeavesABlankChart)
{
    window->activate();
    state.job.compareColumns = {0, 0, 0, 0, 0};
    window->activate();
    EXPECT_EQ(chart().columnCount(), 5);
    EXPECT_EQ(chart().rowCount(), 1);
    for (int s = 1; s <= 5; ++s)
        EXPECT_TRUE(std::isnan(chart().chartData().columnValues(s)[0])) << "series " << s << ": no first row left behind";
    EXPECT_EQ(chart().chartData().rowLabel(1), QString());
}

TEST_F(ComparisonWindowTest, ColumnsOfTextOnlyGiveGapsAndNoError)
{
    state.job.compareColumns = {1, 0, 0, 0, 0};
    window->activate();
    EXPECT_EQ(chart().rowCount(), 200);
    EXPECT_TRUE(std::isnan(chart().chartData().columnValues(1)[0]));
    chart().replot();
}

TEST_F(ComparisonWindowTest, TrackBarZoomsToItsMaximumAndResizeRaisesItsMinimum)
{
    window->activate();
    QSlider* track = window->zoomSlider();
    EXPECT_EQ(track->maximum(), 4300);
    EXPECT_EQ(track->singleStep(), 43);
    EXPECT_EQ(track->pageStep(), 430);
    EXPECT_EQ(track->tickInterval(), 430);
    track->setValue(4300);
    EXPECT_EQ(chart().width(), 4300);
    QTRY_VERIFY(window->scrollArea()->horizontalScrollBar()->isVisible());
    track->setValue(track->minimum());
    window->resize(1100, 600);
    QTRY_COMPARE(track->minimum(), window->scrollArea()->viewport()->width());
    EXPECT_EQ(track->value(), track->minimum()) << "a smaller position is pulled up with it";
    EXPECT_EQ(chart().width(), window->scrollArea()->viewport()->width());
}

TEST_F(ComparisonWindowTest, AppliedChangesGoToTheLookFileAndAnUnreadableOneIsNoted)
{
    const QString look = dir.filePath("mine.vtc");
    platform::Profile(state.settingsPath).writeString("GraphDef", "VglFile", look);
    window->activate();
    EXPECT_EQ(window->chartLookPath(), look);
    ASSERT_FALSE(statusNotes.isEmpty()) << "the file does not exist yet";
    EXPECT_TRUE(statusNotes.back().contains(look)) << statusNotes.back().toStdString();
    window->chartLookApplied();
    EXPECT_TRUE(QFile::exists(look));
    const qsizetype before = statusNotes.size();
    window->activate();
    EXPECT_EQ(statusNotes.size(), before) << "read now: nothing to note";
}

TEST_F(ComparisonWindowTest, EveryControlCarriesItsTagOrHelpContext)
{
    EXPECT_EQ(window->objectName(), "frmxyCompare");
    EXPECT_EQ(window->property("helpContext").toInt(), 60);
    EXPECT_EQ(window->redrawButton()->property("tag").toInt(), 1);
    EXPECT_EQ(window->redrawButton()->property("helpContext").toInt(), 209);
    EXPECT_EQ(window->closeButton()->property("tag").toInt(), 2);
    EXPECT_EQ(window->closeButton()->property("helpContext").toInt(), 208);
    EXPECT_EQ(window->spanFields()->startLabel()->property("tag").toInt(), 5);
    EXPECT_EQ(window->spanFields()->endLabel()->property("tag").toInt(), 6);
    EXPECT_EQ(window->startEdit()->property("helpContext").toInt(), 203);
    EXPECT_EQ(window->endEdit()->property("helpContext").toInt(), 204);
    EXPECT_EQ(window->zoomSlider()->property("helpContext").toInt(), 201);
    EXPECT_EQ(window->rangeBar()->property("helpContext").toInt(), 202);
    window->setCaption(1, "&Redraw");
    window->setCaption(6, "End");
    EXPECT_EQ(window->redrawButton()->text(), "&Redraw");
    EXPECT_EQ(window->spanFields()->endLabel()->text(), "End");
    window->closeButton()->click();
    EXPECT_FALSE(window->isVisible());
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
