// The settings file: keys, defaults, the order of sections and keys a first
// write produces, and values typed by hand.
#include "components/platform/profile.h"
#include "app/settings.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

using app::Settings;

namespace {

QString readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

void writeFile(const QString& path, const QByteArray& text)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

// The key names of one section, in file order.
QStringList keysOf(const QString& path, const QString& section)
{
    return platform::Profile(path).keys(section);
}

class SettingsFile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path() const { return dir.filePath(QStringLiteral("Plotwise.INI")); }
};

TEST_F(SettingsFile, MissingFileGivesEveryDefault)
{
    Settings s;
    s.main.geometry = {10, 20, 700, 500};  // the window's current values
    s.main.importPanelHeight = 150;
    s.import.fields.startColumn = QStringLiteral("stale");
    s.read(platform::Profile(path()), QStringLiteral("/opt/plotwise/"));

    EXPECT_EQ(s.main.language, 0);
    EXPECT_TRUE(s.main.appHint);
    EXPECT_TRUE(s.main.toolbarFile && s.main.toolbarEdit && s.main.toolbarSettings && s.main.toolbarHelp);
    EXPECT_TRUE(s.main.coolBarShown);
    EXPECT_TRUE(s.main.coolBarOnTop);
    EXPECT_EQ(s.main.geometry, (app::WindowGeometry{10, 20, 700, 500}));
    EXPECT_EQ(s.main.importPanelHeight, 150);
    EXPECT_EQ(s.import.fields.separator, QString());
    EXPECT_EQ(s.import.fields.startColumn, QStringLiteral("1"));
    EXPECT_EQ(s.import.fields.firstRow, QStringLiteral("1"));
    EXPECT_EQ(s.import.fields.headerRow, 0);
    EXPECT_EQ(s.import.fields.graphTitle, QStringLiteral("Auswertung"));
    EXPECT_EQ(s.import.fields.xTitle, QStringLiteral("Zeitraum"));
    EXPECT_EQ(s.import.fields.yTitle, QStringLiteral("Werte"));
    EXPECT_EQ(s.import.templateDirectory, QStringLiteral("/opt/plotwise/ImportTemplates"));
    EXPECT_EQ(s.graph.xyDir, QString());
    EXPECT_FALSE(QFile::exists(path())) << "reading never creates the file";
}

TEST_F(SettingsFile, RoundTripKeepsEveryValue)
{
    Settings written;
    written.main = {2, false, false, true, false, true, false, false, {11, 22, 800, 600}, 99};
    written.import.fields.separator = QStringLiteral("|");
    written.import.fields.startColumn = QStringLiteral("$C");
    written.import.fields.endColumn = QStringLiteral("7");
    written.import.fields.firstRow = QStringLiteral("2");
    written.import.fields.lastRow = QStringLiteral("150");
    written.import.fields.xColumn = QStringLiteral("$A");
    written.import.fields.headerRow = 1;
    written.import.fields.fileName = QStringLiteral("/data/Messung Ü.csv");
    written.import.dataDirectory = QStringLiteral("/data");
    written.import.fields.graphTitle = QStringLiteral("$B1");
    written.import.fields.xTitle = QStringLiteral("Tag");
    written.import.fields.yTitle = QStringLiteral("mm");
    written.import.templateDirectory = QStringLiteral("/templates");
    written.graph = {QStringLiteral("/looks/xy"), QStringLiteral("/looks/vgl")};
    {
        platform::Profile profile(path());
        written.write(profile);
    }

    Settings read;
    read.read(platform::Profile(path()), QStringLiteral("/app/"));
    EXPECT_EQ(read.main.language, 2);
    EXPECT_FALSE(read.main.appHint);
    EXPECT_FALSE(read.main.toolbarFile);
    EXPECT_TRUE(read.main.toolbarEdit);
    EXPECT_FALSE(read.main.toolbarSettings);
    EXPECT_TRUE(read.main.toolbarHelp);
    EXPECT_FALSE(read.main.coolBarShown);
    EXPECT_FALSE(read.main.coolBarOnTop);
    EXPECT_EQ(read.main.geometry, (app::WindowGeometry{11, 22, 800, 600}));
    EXPECT_EQ(read.main.importPanelHeight, 99);
    EXPECT_EQ(read.import.fields.separator, QStringLiteral("|"));
    EXPECT_EQ(read.import.fields.startColumn, QStringLiteral("$C"));
    EXPECT_EQ(read.import.fields.endColumn, QStringLiteral("7"));
    EXPECT_EQ(read.import.fields.lastRow, QStringLiteral("150"));
    EXPECT_EQ(read.import.fields.xColumn, QStringLiteral("$A"));
    EXPECT_EQ(read.import.fields.headerRow, 1);
    EXPECT_EQ(read.import.fields.fileName, QStringLiteral("/data/Messung Ü.csv"));
    EXPECT_EQ(read.import.dataDirectory, QStringLiteral("/data"));
    EXPECT_EQ(read.import.fields.graphTitle, QStringLiteral("$B1"));
    EXPECT_EQ(read.import.templateDirectory, QStringLiteral("/templates"));
    EXPECT_EQ(read.graph.xyDir, QStringLiteral("/looks/xy"));
    EXPECT_EQ(read.graph.vglDir, QStringLiteral("/looks/vgl"));
}

TEST_F(SettingsFile, FirstWriteHasTheDocumentedSectionsAndKeyOrder)
{
    {
        platform::Profile profile(path());
        app::writeWindowGeometry(profile, QLatin1String(app::kControlChartSection), app::kControlChartDefault);
        app::writeWindowGeometry(profile, QLatin1String(app::kComparisonSection), app::kComparisonDefault);
        Settings().write(profile);
    }
    EXPECT_EQ(platform::Profile(path()).sections(),
              (QStringList{"frmtxtChart", "frmxyCompare", "frmovtChart", "ImportDef", "GraphDef"}));
    EXPECT_EQ(keysOf(path(), "frmtxtChart"), (QStringList{"Height", "width", "top", "left"}));
    EXPECT_EQ(keysOf(path(), "frmovtChart"),
              (QStringList{"Language", "AppHint", "top", "left", "width", "height", "panel1height", "mnuTDatei",
                           "mnuTBearbeiten", "mnuTEinstellungen", "mnuTHilfe", "mnuToben", "mnuTAus"}));
    EXPECT_EQ(keysOf(path(), "ImportDef"),
              (QStringList{"ImportSep", "Respos1", "Respos2", "FirstLine", "LastLine", "Xcol", "HeaderLine",
                           "ImpFile", "ImpDir", "GraphTitle", "Xtitle", "Ytitle", "LSL", "USL", "Target",
                           "TemplateDir"}));
    EXPECT_EQ(keysOf(path(), "GraphDef"), (QStringList{"XYDir", "VglDir"}));
    const QString text = readFile(path());
    EXPECT_TRUE(text.contains(QLatin1String("\nHeight=627\n")));
    EXPECT_TRUE(text.contains(QLatin1String("mnuToben=1\n")));
    EXPECT_TRUE(text.contains(QLatin1String("GraphTitle=Auswertung\n")));
}

TEST_F(SettingsFile, ValuesTypedByHand)
{
    writeFile(path(),
              "[FRMOVTCHART]\n"
              "Language=0\n"
              "mnuToben=0\n"
              "mnuTHilfe=7\n"
              "width=wide\n"
              "[importdef]\n"
              "HeaderLine=abc\n"
              "Respos1=x\n"
              "[GRAPHDEF]\n"
              "XYDIR=/looks\n");
    Settings s;
    s.main.geometry.width = 640;
    s.read(platform::Profile(path()), QStringLiteral("/app/"));
    EXPECT_EQ(s.main.language, 0) << "a hand-written 0 is a first start again";
    EXPECT_FALSE(s.main.coolBarOnTop);
    EXPECT_TRUE(s.main.toolbarHelp) << "any non-zero integer is true";
    EXPECT_EQ(s.main.geometry.width, 640) << "a non-number gives the current value";
    EXPECT_EQ(s.import.fields.headerRow, 0);
    EXPECT_EQ(s.import.fields.startColumn, QStringLiteral("x")) << "its meaning is settled at import time";
    EXPECT_EQ(s.graph.xyDir, QStringLiteral("/looks")) << "section and key names ignore case";
}

TEST_F(SettingsFile, WritingKeepsForeignSectionsAndKeys)
{
    writeFile(path(),
              "[Mine]\nkeep=1\n"
              "[frmovtChart]\nLanguage=1\nExtra=yes\n"
              "[Graphdef]\nXYFile=/looks/own.vtc\n");
    {
        platform::Profile profile(path());
        Settings s;
        s.main.language = 2;
        s.write(profile);
    }
    platform::Profile profile(path());
    EXPECT_EQ(profile.readString("Mine", "keep", {}), QStringLiteral("1"));
    EXPECT_EQ(profile.readString("frmovtChart", "Extra", {}), QStringLiteral("yes"));
    EXPECT_EQ(profile.readInteger("frmovtChart", "Language", 0), 2);
    EXPECT_EQ(profile.readString("GraphDef", "XYFile", {}), QStringLiteral("/looks/own.vtc"))
        << "the chosen graph template survives the close";
    EXPECT_EQ(profile.sections().filter(QStringLiteral("Graphdef"), Qt::CaseInsensitive).size(), 1)
        << "\"Graphdef\" and \"GraphDef\" are one section";
}

TEST_F(SettingsFile, ChartWindowGeometryAndGraphTemplates)
{
    {
        platform::Profile profile(path());
        app::writeWindowGeometry(profile, QStringLiteral("frmxyCompare"), {5, 6, 300, 200});
        app::writeGraphTemplate(profile, app::GraphTemplateKind::ControlChart, QStringLiteral("/a/x.vtc"));
        app::writeGraphTemplate(profile, app::GraphTemplateKind::Comparison, QStringLiteral("/a/v.vtc"));
    }
    platform::Profile profile(path());
    EXPECT_EQ(app::readWindowGeometry(profile, QStringLiteral("FRMXYCOMPARE"), {}),
              (app::WindowGeometry{5, 6, 300, 200}));
    EXPECT_EQ(app::readWindowGeometry(profile, QStringLiteral("frmtxtChart"), app::kControlChartDefault),
              app::kControlChartDefault) << "a missing section keeps the window's current geometry";
    EXPECT_EQ(profile.readString("Graphdef", "XYFile", {}), QStringLiteral("/a/x.vtc"));
    EXPECT_EQ(profile.readString("Graphdef", "VglFile", {}), QStringLiteral("/a/v.vtc"));
}

TEST_F(SettingsFile, RefusedWriteNamesTheFile)
{
    const QString blocked = dir.filePath(QStringLiteral("no-such-folder/Plotwise.INI"));
    platform::Profile profile(blocked);
    try {
        Settings().write(profile);
        FAIL() << "the write should be refused";
    } catch (const platform::ProfileWriteError& error) {
        EXPECT_TRUE(error.message().startsWith(QStringLiteral("nach ")));
        EXPECT_TRUE(error.message().contains(QStringLiteral("no-such-folder")));
        EXPECT_TRUE(error.message().endsWith(QStringLiteral(" kann nicht geschrieben werden")));
    }
}

}  // namespace
