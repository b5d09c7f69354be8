// Specification limits on plotwise-report's command line: the options, and
// the capability block in the statistics files they produce.
#include "report/report_options.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace report;

TEST(ReportCapability, LimitOptionsTakeNumbersOnly)
{
    QString error;
    auto o = parseReportOptions({"d.csv", "--columns", "B", "--lsl", "9.5", "--usl", "", "--target", "-1e2"}, &error);
    ASSERT_TRUE(o) << error.toStdString();
    EXPECT_EQ(*o->fields.lowerLimit, "9.5");
    EXPECT_EQ(*o->fields.upperLimit, "");   // clears a template's limit
    EXPECT_EQ(*o->fields.target, "-1e2");
    for (const char* bad : {"abc", "9,5", "inf"}) {
        EXPECT_FALSE(parseReportOptions({"d.csv", "--columns", "B", "--usl", bad}, &error)) << bad;
        EXPECT_TRUE(error.contains("--usl")) << error.toStdString();
    }
}

TEST(ReportCapability, StatisticsCarryTheCapabilityBlock)
{
    QTemporaryDir out;
    QFile data(out.filePath("gauge.csv"));
    ASSERT_TRUE(data.open(QIODevice::WriteOnly));
    for (int i = 0; i < 30; ++i)
        data.write(QByteArray::number(10.0 + (i % 5) * 0.1 - (i % 3) * 0.05) + ";"
                   + QByteArray::number(10.05 + (i % 4) * 0.05) + "\n");
    data.close();

    QProcess p;
    p.start(QStringLiteral(PLOTWISE_REPORT_EXE), {out.filePath("gauge.csv"), "--sep", ";", "--columns", "A:B", "--lang", "en",
                                                  "--lsl", "9.5", "--usl", "10.7", "--out", out.path()});
    ASSERT_TRUE(p.waitForFinished(120000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();

    QFile csv(out.filePath("statistics.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(csv.readAll()).split(QStringLiteral("\r\n"));
    ASSERT_GE(lines.size(), 51);
    EXPECT_TRUE(lines[29].startsWith("Process capability")) << lines[29].toStdString();
    EXPECT_TRUE(lines[31].startsWith("Cp,")) << lines[31].toStdString();
    EXPECT_TRUE(lines[32].startsWith("Cpk,")) << lines[32].toStdString();
    // The value and both bounds are numbers, the lower below the upper.
    const QStringList cpk = lines[32].split(u',');
    ASSERT_GE(cpk.size(), 5);
    bool ok[3] = {};
    const double value = cpk[2].toDouble(&ok[0]), lower = cpk[3].toDouble(&ok[1]), upper = cpk[4].toDouble(&ok[2]);
    EXPECT_TRUE(ok[0] && ok[1] && ok[2]) << lines[32].toStdString();
    EXPECT_LT(lower, value);
    EXPECT_LT(value, upper);
    EXPECT_TRUE(lines[39].startsWith("Number of values,,60")) << lines[39].toStdString();
}
