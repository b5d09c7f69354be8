// Chart look files: round trip, refusal of malformed files with the line
// named and the look left as it was, and the shipped templates.
#include "components/chart/look_file.h"
#include "components/chart/chart_view.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace chartcomponent;

namespace {

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}

ChartLook unusualLook() {
    ChartLook look = ChartLook::defaults();
    look.background = QColor(250, 240, 230);
    look.plotBackground = QColor(10, 20, 30, 128);
    look.titleFont = lookFont(QStringLiteral("DejaVu Serif"), 15.5, true, true);
    look.legendVisible = false;
    look.legendPosition = LegendPosition::BottomLeft;
    look.valueScale = {false, -4.5, 4.5, 8, 2};
    look.xGridLines = true;
    look.yMinorGridLines = true;
    SeriesLook& third = look.editSeries(3);
    third.kind = SeriesKind::Bars;
    third.penStyle = Qt::DashDotLine;
    third.marker = MarkerShape::TriangleDown;
    third.markerSize = 9.25;
    third.hidden = true;
    third.excluded = true;
    third.order = 7;
    third.stackOrder = -2;
    return look;
}

}  // namespace

TEST(LookFile, RoundTripKeepsEveryProperty) {
    const ChartLook look = unusualLook();
    const ChartLook read = parseChartLook(formatChartLook(look, 3), QStringLiteral("x.vtc"));
    EXPECT_EQ(read, look);
    // Series the grid has beyond the look's list are written with their defaults.
    const ChartLook wider = parseChartLook(formatChartLook(look, 5), QStringLiteral("x.vtc"));
    ASSERT_EQ(wider.series.size(), 5);
    EXPECT_EQ(wider.seriesLook(5), defaultSeriesLook(5));
}

TEST(LookFile, ToleratesCommentsUnknownKeysCaseBomAndLineEnds) {
    const QByteArray text =
        "\xEF\xBB\xBF# comment\r\n; another\r[chart]\nformat = 1\r\nFutureKey=whatever\n"
        "[SomeFutureSection]\nx=y\n[valuescale]\nAUTOMATIC=no\nminimum=1.5\nMaximum=2.5\n[series 2]\nkind=bars\n";
    QTemporaryDir dir;
    const ChartLook look = readChartLookFile(writeFile(dir, QStringLiteral("ok.vtc"), text));
    EXPECT_FALSE(look.valueScale.automatic);
    EXPECT_DOUBLE_EQ(look.valueScale.minimum, 1.5);
    EXPECT_EQ(look.seriesLook(2).kind, SeriesKind::Bars);
    EXPECT_EQ(look.seriesLook(1), defaultSeriesLook(1));
}

TEST(LookFile, MalformedFilesAreRefusedNamingFileAndLine) {
    struct Case { const char* text; const char* expected; };
    const Case cases[] = {
        {"[Chart]\nFormat=1\n[ValueScale]\nMaximum=1O\n", "line 4"},        // letter O in a number
        {"[Chart]\nFormat=1\n[Series 1]\nKind=Pie\n", "line 4"},
        {"[Chart]\nFormat=1\njust words\n", "line 3"},
        {"[Chart]\nFormat=1\n[Legend\n", "line 3"},
        {"[Chart]\nFormat=1\n[Series 1]\nLineWidth=nan\n", "line 4"},
        {"[Chart]\nFormat=1\n[ValueScale]\nMajorDivisions=0\n", "line 4"},
        {"[Chart]\nFormat=1\n[Grid]\nColor=#12\n", "line 4"},
        {"[Chart]\nFormat=99\n", "newer"},
        {"[Legend]\nVisible=true\n", "not a chart look"},
        {"", "not a chart look"},
        {"[Chart]\nFormat=1\n[ValueScale]\nMinimum=5\nMaximum=3\n", "not below"},
    };
    QTemporaryDir dir;
    for (const Case& c : cases) {
        const QString path = writeFile(dir, QStringLiteral("bad.vtc"), c.text);
        try {
            readChartLookFile(path);
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const ChartError& error) {
            EXPECT_TRUE(error.message().contains(path)) << error.what();
            EXPECT_TRUE(error.message().contains(QLatin1String(c.expected))) << error.what();
        }
    }
    // Bytes that are not UTF-8 and a missing file.
    EXPECT_THROW(readChartLookFile(writeFile(dir, QStringLiteral("bin.vtc"), "\x89PNG\xff\xfe\x00\x01")), ChartError);
    EXPECT_THROW(readChartLookFile(dir.filePath(QStringLiteral("missing.vtc"))), ChartError);
    EXPECT_THROW(readChartLookFile(dir.path()), ChartError);  // a folder
}

TEST(LookFile, ChartKeepsItsLookWhenLoadFailsAndRestoresItFromSave) {
    QTemporaryDir dir;
    ChartView chart;
    chart.setLook(unusualLook());
    chart.setColumnCount(4);
    const QString good = dir.filePath(QStringLiteral("good.vtc"));
    chart.saveSettings(good);

    const QString bad = writeFile(dir, QStringLiteral("bad.vtc"), "[Chart]\nFormat=1\n[Series 1]\nColor=red\nKind=Donut\n");
    EXPECT_THROW(chart.loadSettings(bad), ChartError);
    EXPECT_EQ(chart.look(), unusualLook());

    chart.loadSettings(QStringLiteral(PLOTWISE_SOURCE_DATA_DIR "/vgldefault.vtc"));
    EXPECT_NE(chart.look(), unusualLook());
    chart.loadSettings(good);
    EXPECT_EQ(chart.look().series.size(), 4);
    EXPECT_EQ(chart.look().seriesLook(3), unusualLook().seriesLook(3));
    EXPECT_EQ(chart.look().valueScale, unusualLook().valueScale);
    EXPECT_EQ(chart.look().titleFont, unusualLook().titleFont);
}

TEST(LookFile, SaveIntoMissingFolderFailsAndKeepsOldFile) {
    QTemporaryDir dir;
    ChartView chart;
    EXPECT_THROW(chart.saveSettings(dir.filePath(QStringLiteral("no/such/folder/x.vtc"))), ChartError);
    const QString path = writeFile(dir, QStringLiteral("keep.vtc"), "[Chart]\nFormat=1\n");
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    const bool folderLocked = !QFile(dir.filePath(QStringLiteral("probe"))).open(QIODevice::WriteOnly);
    if (folderLocked) {  // not when the tests run as root
        EXPECT_THROW(chart.saveSettings(path), ChartError);
        QFile kept(path);
        kept.open(QIODevice::ReadOnly);
        EXPECT_EQ(kept.readAll(), QByteArray("[Chart]\nFormat=1\n"));
    }
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(LookFile, ShippedTemplatesLoadWithTheirPromisedLook) {
    const ChartLook control = readChartLookFile(QStringLiteral(PLOTWISE_SOURCE_DATA_DIR "/ctadefault.vtc"));
    EXPECT_FALSE(control.valueScale.automatic);
    EXPECT_EQ(control.series.size(), 7);
    EXPECT_EQ(control.seriesLook(1).kind, SeriesKind::Line);
    EXPECT_NE(control.seriesLook(1).marker, MarkerShape::None);
    EXPECT_EQ(control.seriesLook(2).kind, SeriesKind::Points);
    // Control limits red, warning limits amber, centre line green.
    EXPECT_EQ(control.seriesLook(3).color, control.seriesLook(7).color);
    EXPECT_EQ(control.seriesLook(4).color, control.seriesLook(6).color);
    EXPECT_GT(control.seriesLook(3).color.red(), 200);
    EXPECT_LT(control.seriesLook(3).color.green(), 80);
    EXPECT_GT(control.seriesLook(5).color.green(), control.seriesLook(5).color.red());
    EXPECT_NE(control.seriesLook(4).color, control.seriesLook(3).color);

    const ChartLook compare = readChartLookFile(QStringLiteral(PLOTWISE_SOURCE_DATA_DIR "/vgldefault.vtc"));
    EXPECT_TRUE(compare.valueScale.automatic);
    QSet<QRgb> colours;
    for (int s = 1; s <= 5; ++s) colours.insert(compare.seriesLook(s).color.rgb());
    EXPECT_EQ(colours.size(), 5);
}
