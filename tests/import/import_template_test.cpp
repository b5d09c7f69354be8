// Import templates, the default templates shipped in data/, and the rule
// between the first-data-row and header-row fields.
#include "import/header_row.h"
#include "import/import_template.h"
#include "tests/import/test_files.h"

#include "components/platform/profile.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace dataimport;

TEST(ImportTemplate, WriteThenReadGivesTheSameFields)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.ctpl"));
    ImportFields fields;
    fields.separator = QStringLiteral("|");
    fields.startColumn = QStringLiteral("$B");
    fields.endColumn = QStringLiteral("7");
    fields.firstRow = QStringLiteral("5");
    fields.lastRow = QStringLiteral("300");
    fields.xColumn = QStringLiteral("$A");
    fields.headerRow = 4;
    fields.fileName = QString::fromUtf8("/data/März.csv");
    fields.graphTitle = QStringLiteral("Titel");
    fields.xTitle = QStringLiteral("Tag");
    fields.yTitle = QStringLiteral("mm");
    {
        platform::Profile profile(path);
        writeImportTemplate(profile, fields, QStringLiteral("/data"), dir.path());
    }
    const platform::Profile profile(path);
    QString importDir;
    QString templateDir;
    EXPECT_EQ(readImportTemplate(profile, &importDir, &templateDir), fields);
    EXPECT_EQ(importDir, "/data");
    EXPECT_EQ(templateDir, dir.path());
    // Keys in their order, TemplateDir last.
    const QStringList keys = profile.keys(QStringLiteral("importdef"));
    EXPECT_EQ(keys, (QStringList{"ImportSep", "Respos1", "Respos2", "FirstLine", "LastLine", "Xcol", "HeaderLine",
                                 "ImpFile", "ImpDir", "GraphTitle", "Xtitle", "Ytitle", "TemplateDir"}));
}

TEST(ImportTemplate, BlankTabAndSemicolonSeparatorsSurviveASave)
{
    // Read back trimmed, a blank or tab separator would put each line in one column.
    QTemporaryDir dir;
    for (const QString separator : {QStringLiteral(" "), QStringLiteral("\t"), QStringLiteral(";"), QStringLiteral(" ; ")}) {
        const QString path = dir.filePath(QStringLiteral("sep.ctpl"));
        ImportFields fields;
        fields.separator = separator;
        fields.graphTitle = QStringLiteral(" indented title");
        {
            platform::Profile profile(path);
            writeImportTemplate(profile, fields, QString(), QString());
        }
        EXPECT_EQ(readImportTemplate(platform::Profile(path)), fields) << separator.toStdString();
    }
}

TEST(ImportTemplate, MissingFileOrKeysGiveTheDefaults)
{
    QTemporaryDir dir;
    const ImportFields missing = readImportTemplate(platform::Profile(dir.filePath(QStringLiteral("none.ctpl"))));
    EXPECT_EQ(missing, ImportFields{});
    EXPECT_EQ(missing.startColumn, "1");
    EXPECT_EQ(missing.firstRow, "1");
    EXPECT_EQ(missing.graphTitle, "Auswertung");
    EXPECT_EQ(missing.xTitle, "Zeitraum");
    EXPECT_EQ(missing.yTitle, "Werte");

    const QString partial = importtest::writeBytes(dir, QStringLiteral("p.ctpl"),
                                                   "[importdef]\r\nfirstline=9\r\nHeaderLine=abc\r\n");
    const ImportFields read = readImportTemplate(platform::Profile(partial));
    EXPECT_EQ(read.firstRow, "9");
    EXPECT_EQ(read.headerRow, 0);
    EXPECT_EQ(read.graphTitle, "Auswertung");
}

TEST(ImportTemplate, SavingOverAnExistingFileKeepsItsOtherKeys)
{
    QTemporaryDir dir;
    const QString path = importtest::writeBytes(dir, QStringLiteral("x.ctpl"),
                                                "[Other]\r\nkeep=1\r\n[ImportDef]\r\nMine=2\r\nImportSep=,\r\n");
    {
        platform::Profile profile(path);
        ImportFields fields;
        fields.separator = QStringLiteral(";");
        writeImportTemplate(profile, fields, QString(), QString());
    }
    const platform::Profile profile(path);
    EXPECT_EQ(profile.readString(QStringLiteral("Other"), QStringLiteral("keep"), QString()), "1");
    EXPECT_EQ(profile.readString(QStringLiteral("ImportDef"), QStringLiteral("Mine"), QString()), "2");
    EXPECT_EQ(profile.readString(QStringLiteral("ImportDef"), QStringLiteral("ImportSep"), QString()), ";");
}

TEST(ImportTemplate, SaveNameGetsCtplOnlyWithoutExtension)
{
    EXPECT_EQ(templateSavePath(QStringLiteral("/t/layout")), "/t/layout.ctpl");
    EXPECT_EQ(templateSavePath(QStringLiteral("/t/layout.txt")), "/t/layout.txt");
    EXPECT_EQ(templateSavePath(QStringLiteral("/t.d/layout")), "/t.d/layout.ctpl");
    EXPECT_EQ(templateSavePath(QStringLiteral("C:\\t.d\\layout")), "C:\\t.d\\layout.ctpl");
    EXPECT_EQ(templateDirectoryOf(QStringLiteral("/t/sub/a.ctpl")), "/t/sub");
}

TEST(ImportTemplate, ShippedDefaultTemplatesDescribeTheSampleData)
{
    const QString appDir = QStringLiteral(PLOTWISE_SOURCE_DATA_DIR "/");
    using platform::Language;
    EXPECT_EQ(defaultTemplatePath(appDir, Language::English), appDir + "sampledata_multi_e.ctpl");
    EXPECT_EQ(defaultTemplatePath(appDir, Language::German), appDir + "sampledata_multi_g.ctpl");
    for (Language language : {Language::English, Language::German}) {
        ASSERT_TRUE(QFile::exists(defaultTemplatePath(appDir, language)));
        const ImportFields f = readDefaultTemplate(appDir, language);
        EXPECT_EQ(f.firstRow, "2");
        EXPECT_EQ(f.headerRow, 1);
        EXPECT_EQ(f.xColumn, "$A");
        EXPECT_EQ(f.startColumn, "1");
        EXPECT_EQ(f.fileName, "Sampledata_multi.vts");
        EXPECT_TRUE(QFile::exists(appDir + f.fileName));
        const HeaderRowLimits limits = headerRowLimits(f.firstRow);
        EXPECT_TRUE(limits.enabled);
        EXPECT_LE(f.headerRow, limits.maximum);
    }
    EXPECT_EQ(readDefaultTemplate(appDir, Language::English).xTitle, "Date");
    EXPECT_EQ(readDefaultTemplate(appDir, Language::German).xTitle, "Datum");
}

TEST(HeaderRowLimits, FirstRowDecidesTheHeaderField)
{
    for (const char* low : {"1", "0", "-4"}) {
        const HeaderRowLimits l = headerRowLimits(QString::fromLatin1(low));
        EXPECT_TRUE(l.applies);
        EXPECT_FALSE(l.enabled);
        EXPECT_TRUE(l.resetToZero);
    }
    const HeaderRowLimits five = headerRowLimits(QStringLiteral("5"));
    EXPECT_TRUE(five.applies);
    EXPECT_TRUE(five.enabled);
    EXPECT_FALSE(five.resetToZero);
    EXPECT_EQ(five.maximum, 4);
    EXPECT_FALSE(headerRowLimits(QStringLiteral("x")).applies);
    EXPECT_FALSE(headerRowLimits(QString()).applies);
    EXPECT_FALSE(headerRowLimits(QStringLiteral("2.5")).applies);
}
