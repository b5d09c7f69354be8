// plotwise-report run as a user's script runs it: files in, exit status and
// files out, on the shipped sample data and on small files written here.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/resource.h>

#if !defined(__SANITIZE_ADDRESS__) && defined(__has_feature)
#if __has_feature(address_sanitizer)
#define UNDER_ADDRESS_SANITIZER
#endif
#endif

namespace {

struct ReportRun {
    int exitCode = -1;
    QString err;
};

ReportRun runReport(const QStringList& args, rlim_t addressSpace = RLIM_INFINITY)
{
    QProcess p;
    if (addressSpace != RLIM_INFINITY)
        p.setChildProcessModifier([addressSpace] {
            const rlimit limit{addressSpace, addressSpace};
            setrlimit(RLIMIT_AS, &limit);
        });
    // As cron or a CI job runs it: no runtime folder, which Qt would warn about.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(PLOTWISE_REPORT_EXE), args);
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardError())};
}

void writeFile(const QString& path, const QByteArray& content)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
}

QStringList readLines(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll()).split(QStringLiteral("\r\n"));
}

// Cell (row, col) of grid.csv, one-based; the fields here hold no quotes.
QString gridCell(const QStringList& lines, int row, int col)
{
    return lines.value(row - 1).split(u',').value(col - 1);
}

}  // namespace

TEST(Report, SampleDataGivesEveryFileAtTheAskedSize)
{
    QTemporaryDir out;
    const QString data = QStringLiteral(PLOTWISE_SOURCE_DATA_DIR);
    const ReportRun r = runReport({data + "/Sampledata_multi.vts", "--template", data + "/sampledata_multi_e.ctpl",
                             "--columns", "B:D", "--compare", "B:D", "--size", "640x320", "--out", out.path() + "/new"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QDir dir(out.path() + "/new");
    for (const char* name : {"mean.png", "range.png", "difference.png", "compare.png"}) {
        const QImage image(dir.filePath(name));
        EXPECT_EQ(image.size(), QSize(640, 320)) << name;
    }
    QFile xlsx(dir.filePath("statistics.xlsx"));
    ASSERT_TRUE(xlsx.open(QIODevice::ReadOnly));
    EXPECT_EQ(xlsx.read(2), "PK");
    const QStringList stats = readLines(dir.filePath("statistics.csv"));
    ASSERT_GE(stats.size(), 3);
    EXPECT_TRUE(stats[1].contains("Sampledata_multi.vts"));
    const QStringList grid = readLines(dir.filePath("grid.csv"));
    const int rows = gridCell(grid, 1, 1).toInt();
    EXPECT_GT(rows, 150);
    EXPECT_EQ(grid.size() - 1, rows + 16);  // rows 1..lastComputationRow + 1, and the final line end
}

TEST(Report, TwoRowsGiveTheHandCheckedStatistics)
{
    QTemporaryDir out;
    writeFile(out.filePath("two.csv"), "1\n2\n");
    const ReportRun r = runReport({out.filePath("two.csv"), "--columns", "A", "--format", "svg", "--out", out.path()});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.err, QString());  // nothing but the program's own messages, and it has none
    const QStringList grid = readLines(out.filePath("grid.csv"));
    EXPECT_EQ(gridCell(grid, 1, 1), "2");          // number of data rows
    EXPECT_EQ(gridCell(grid, 4, 5), "1.5");        // centre line
    EXPECT_EQ(gridCell(grid, 3, 5), "0.5");        // population deviation of the means
    EXPECT_EQ(gridCell(grid, 8, 5), "3");          // upper control limit
    EXPECT_EQ(gridCell(grid, 16, 1), "1");         // import row of the first data row
    EXPECT_EQ(gridCell(grid, 17, 2), "2");
    EXPECT_EQ(gridCell(grid, 17, 11), "-1");       // difference: previous minus current
    EXPECT_EQ(grid.value(17), QString(59, u','));  // the row after the data is empty
    EXPECT_TRUE(QFile::exists(out.filePath("mean.svg")));
}

TEST(Report, TitlesAndLabelsFollowTheLanguage)
{
    QTemporaryDir out;
    writeFile(out.filePath("two.csv"), "1\n2\n");
    for (const char* language : {"en", "de"}) {
        const QString folder = out.filePath(QLatin1String(language));
        const ReportRun r = runReport({out.filePath("two.csv"), "--columns", "A", "--lang", language, "--out", folder});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        const QString first = readLines(folder + "/statistics.csv").value(0);
        EXPECT_EQ(first, QLatin1String(language) == QLatin1String("en") ? QStringLiteral("Chart title:,Evaluation,,,")
                                                                          : QStringLiteral("Graphiktitel:,Auswertung,,,"));
    }
}

TEST(Report, OneRowCarriesTheDeviationErrorByName)
{
    QTemporaryDir out;
    writeFile(out.filePath("one.csv"), "4,7,5\n");
    const ReportRun r = runReport({out.filePath("one.csv"), "--sep", ",", "--columns", "A:C", "--out", out.path()});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList grid = readLines(out.filePath("grid.csv"));
    EXPECT_EQ(gridCell(grid, 3, 2), "#DIV/0!");  // sample deviation of one value
    EXPECT_EQ(gridCell(grid, 16, 9), "3");       // range 7 - 4
    EXPECT_EQ(gridCell(grid, 16, 11), "3");      // difference 7 - 4
}

TEST(Report, SpanNarrowsTheRows)
{
    QTemporaryDir out;
    QByteArray data;
    for (int i = 1; i <= 100; ++i) data += QByteArray::number(10 + i % 7) + "\n";
    writeFile(out.filePath("hundred.csv"), data);
    const ReportRun r = runReport({out.filePath("hundred.csv"), "--columns", "A", "--span", "10,10", "--out", out.path()});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList grid = readLines(out.filePath("grid.csv"));
    // Start 1 + round(99 * 10%) = 11, end 100 - round(100 * 10%) = 90.
    EXPECT_EQ(gridCell(grid, 1, 1), "80");
    EXPECT_EQ(gridCell(grid, 16, 1), "11");
    EXPECT_EQ(gridCell(grid, 95, 1), "90");
}

TEST(Report, ExitStatusesSayWhatWentWrong)
{
    QTemporaryDir out;
    writeFile(out.filePath("text.csv"), "a\nb\n");
    ReportRun r = runReport({out.filePath("text.csv"), "--columns", "A", "--lang", "de", "--out", out.path()});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_TRUE(r.err.contains("Keine Daten gefunden"));
    r = runReport({out.filePath("text.csv"), "--columns", "A", "--lang", "en", "--out", out.path()});
    EXPECT_TRUE(r.err.contains("No Data available"));

    r = runReport({out.filePath("text.csv"), "--columns", "A", "--size", "big"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("Usage:"));

    r = runReport({out.filePath("missing.csv"), "--columns", "A", "--out", out.path()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("missing.csv")) << r.err.toStdString();

    writeFile(out.filePath("two.csv"), "1\n2\n");
    r = runReport({out.filePath("two.csv"), "--columns", "A", "--out", out.filePath("two.csv") + "/sub"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("two.csv/sub")) << r.err.toStdString();
}

TEST(Report, RefusalsComeAtOnceWithTheirOwnStatus)
{
    QTemporaryDir out;
    writeFile(out.filePath("two.csv"), "1\n2\n");
    const QString data = out.filePath("two.csv");
    // Sizes, spans and columns the run could never use are usage errors.
    for (const QStringList& extra : {QStringList{"--size", "20001x600"}, QStringList{"--span", "nan,0"},
                                     QStringList{"--first-row", "abc"}, QStringList{"--columns", "XFE"},
                                     QStringList{"--columns", "2147483647"}}) {
        const ReportRun r = runReport(QStringList{data, "--columns", "A", "--out", out.path()} + extra);
        EXPECT_EQ(r.exitCode, 2) << extra.join(' ').toStdString();
        EXPECT_TRUE(r.err.startsWith("plotwise-report: ")) << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(out.filePath("mean.png")));

    const ReportRun folder = runReport({data, "--columns", "A", "--template", out.path(), "--out", out.path()});
    EXPECT_EQ(folder.exitCode, 1);
    EXPECT_TRUE(folder.err.contains("a folder, not an import template")) << folder.err.toStdString();
}

TEST(Report, MoreRowsThanTheComputationGridHoldsIsADataLimit)
{
    QTemporaryDir out;
    QByteArray rows;
    rows.reserve(2 * 1048561);
    for (int i = 0; i < 1048561; ++i) rows += "1\n";
    writeFile(out.filePath("many.csv"), rows);
    const ReportRun r = runReport({out.filePath("many.csv"), "--columns", "A", "--lang", "en", "--out", out.path()});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(r.err.trimmed(),
              "at most 1,048,560 data rows fit the computation grid; the chosen rows are 1,048,561");
    EXPECT_FALSE(QFile::exists(out.filePath("grid.csv")));
}

TEST(Report, RunningOutOfMemoryIsSaidInWords)
{
#if defined(__SANITIZE_ADDRESS__) || defined(UNDER_ADDRESS_SANITIZER)
    GTEST_SKIP() << "the address sanitizer reserves more address space than the limit allows";
#endif
    // A million rows need about a gigabyte for the computation; allow half.
    QTemporaryDir out;
    QByteArray rows;
    rows.reserve(20 * 1000000);
    for (int i = 0; i < 1000000; ++i) rows += QByteArray::number(i % 97) + ";1.5;2.25\n";
    writeFile(out.filePath("big.csv"), rows);
    const ReportRun r = runReport({out.filePath("big.csv"), "--sep", ";", "--columns", "A:C", "--out", out.path()},
                                  rlim_t(512) << 20);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.trimmed(), "plotwise-report: not enough memory for this data");
}
