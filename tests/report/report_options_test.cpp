// plotwise-report's command line: column lists in selection order, the
// template/override order, and refusals of malformed values.
#include "report/report_options.h"

#include <gtest/gtest.h>

using namespace report;

TEST(ReportOptions, ColumnListsKeepTheOrderGiven)
{
    EXPECT_EQ(*parseColumnList("B:D"), (QVector<ColumnRange>{{2, 4}}));
    EXPECT_EQ(*parseColumnList("D,A:B"), (QVector<ColumnRange>{{4, 4}, {1, 2}}));
    EXPECT_EQ(*parseColumnList("2:4,aa"), (QVector<ColumnRange>{{2, 4}, {27, 27}}));
    EXPECT_EQ(*parseColumnList("D:B"), (QVector<ColumnRange>{{2, 4}}));
    EXPECT_EQ(*parseColumnList("XFD,16384"), (QVector<ColumnRange>{{16384, 16384}, {16384, 16384}}));
    // Beyond the last column XFD; the largest int once overflowed a column loop.
    for (const char* bad : {"", "B:", "1:2:3", "0", "B-D", "ABCD", "-1", "XFE", "A:ZZZ", "16385", "2147483647"})
        EXPECT_FALSE(parseColumnList(bad)) << bad;
}

TEST(ReportOptions, TemplateIsOverriddenOnlyByLaterOptions)
{
    QString error;
    auto o = parseReportOptions({"data.csv", "--title", "early", "--template", "t.ctpl", "--x-col", "$A",
                                 "--columns", "B:D"}, &error);
    ASSERT_TRUE(o) << error.toStdString();
    EXPECT_EQ(o->templateFile, "t.ctpl");
    EXPECT_FALSE(o->fields.title);
    EXPECT_EQ(*o->fields.xColumn, "$A");
}

TEST(ReportOptions, DefaultsAndEveryValueForm)
{
    QString error;
    auto o = parseReportOptions({"d.vts", "--compare", "B,C", "--span", "10,2.5", "--lang", "de",
                                 "--format", "svg", "--size", "800x400", "--header-row", "1", "--out", "o"}, &error);
    ASSERT_TRUE(o) << error.toStdString();
    EXPECT_EQ(o->leftPercent, 10);
    EXPECT_EQ(o->rightPercent, 2.5);
    EXPECT_EQ(o->language, platform::Language::German);
    EXPECT_EQ(o->format, "svg");
    EXPECT_EQ(o->size, QSize(800, 400));
    EXPECT_EQ(*o->fields.headerRow, 1);
    o = parseReportOptions({"d.csv", "--columns", "XFD", "--size", "20000x1", "--first-row", " 7 ", "--last-row", ""},
                           &error);
    ASSERT_TRUE(o) << error.toStdString();
    EXPECT_EQ(o->size, QSize(20000, 1));
    EXPECT_EQ(*o->fields.firstRow, " 7 ");
    auto d = parseReportOptions({"d.csv", "--columns", "B"}, &error);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->format, "png");
    EXPECT_EQ(d->size, QSize(1200, 600));
    EXPECT_FALSE(d->language.has_value());
}

TEST(ReportOptions, BadArgumentsAreRefusedWithAReason)
{
    const QList<QStringList> bad = {
        {},
        {"d.csv"},
        {"d.csv", "e.csv", "--columns", "B"},
        {"d.csv", "--columns"},
        {"d.csv", "--columns", "B", "--span", "60,50"},
        {"d.csv", "--columns", "B", "--span", "x,1"},
        {"d.csv", "--columns", "B", "--span", "nan,0"},
        {"d.csv", "--columns", "B", "--span", "0,inf"},
        {"d.csv", "--columns", "B", "--first-row", "abc"},
        {"d.csv", "--columns", "B", "--first-row", "0"},
        {"d.csv", "--columns", "B", "--last-row", "end"},
        {"d.csv", "--columns", "B", "--lang", "fr"},
        {"d.csv", "--columns", "B", "--format", "gif"},
        {"d.csv", "--columns", "B", "--size", "0x10"},
        {"d.csv", "--columns", "B", "--size", "20001x600"},
        {"d.csv", "--columns", "B", "--size", "600x99999"},
        {"d.csv", "--columns", "B", "--header-row", "-1"},
        {"d.csv", "--columns", "B", "--bogus", "1"},
    };
    for (const QStringList& args : bad) {
        QString error;
        EXPECT_FALSE(parseReportOptions(args, &error)) << args.join(' ').toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
}
