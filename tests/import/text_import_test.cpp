// Text files into the import grid: separators, quotes, column bounds, line
// ends, encodings, the decimal separator of the locale, and what a missing
// file, a cancel and hostile bytes leave behind.
#include "import/import_file.h"
#include "tests/import/test_files.h"

#include "components/sheet/spreadsheet.h"
#include "components/platform/platform.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace dataimport;
using importtest::ImportedRows;
using importtest::importInto;
using importtest::writeBytes;

namespace {

class TextImport : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        platform::Platform::overrideLocale(QStringLiteral("en_US"));
        fields.separator = QStringLiteral(";");
    }
    void TearDown() override { platform::Platform::overrideLocale(QString()); }

    ImportResult import(const QByteArray& bytes, const QString& name = QStringLiteral("data.csv"))
    {
        return importInto(writeBytes(dir, name, bytes), fields, grid, job, {}, env);
    }

    QTemporaryDir dir;
    ImportFields fields;
    sheet::Spreadsheet grid;
    sheet::Spreadsheet scratch;
    ImportedRows job;
    ImportEnvironment env;
};

}  // namespace

TEST_F(TextImport, EveryLineEndStyleGivesTheSameGrid)
{
    for (const char* end : {"\r\n", "\n", "\r"}) {
        const QByteArray eol(end);
        const ImportResult r = import("Datum;Wert" + eol + "1;2.5" + eol + eol + "3;4");  // last line without an end
        ASSERT_TRUE(r.ok()) << r.errorText.toStdString();
        EXPECT_EQ(job.lastDataRow, 4) << "line end " << QByteArray(end).toHex().constData();
        EXPECT_EQ(grid.text(1, 2), "Wert");
        EXPECT_DOUBLE_EQ(grid.number(2, 2), 2.5);
        EXPECT_EQ(grid.cellType(3, 1), sheet::CellType::Empty);  // the empty line is a row of its own
        EXPECT_DOUBLE_EQ(grid.number(4, 2), 4);
        EXPECT_EQ(grid.numSheets(), 1);
        EXPECT_EQ(grid.sheetName(1), "ASCII Import");
    }
}

TEST_F(TextImport, EmptyFieldsQuotesAndNumbers)
{
    ASSERT_TRUE(import("a;b;;d;\n\"a;b\";c\n\"12.5\";\"x\"\n").ok());
    // a;b;;d; : four cells, nothing for the empty field at the end
    EXPECT_EQ(grid.text(1, 1), "a");
    EXPECT_EQ(grid.text(1, 2), "b");
    EXPECT_EQ(grid.text(1, 3), "");
    EXPECT_EQ(grid.text(1, 4), "d");
    EXPECT_EQ(grid.cellType(1, 5), sheet::CellType::Empty);
    // quotes do not protect a separator
    EXPECT_EQ(grid.text(2, 1), "a");
    EXPECT_EQ(grid.text(2, 2), "b");
    EXPECT_EQ(grid.text(2, 3), "c");
    // a quoted number is a number
    EXPECT_EQ(grid.cellType(3, 1), sheet::CellType::Number);
    EXPECT_DOUBLE_EQ(grid.number(3, 1), 12.5);
    EXPECT_EQ(grid.cellType(3, 2), sheet::CellType::Text);
    EXPECT_EQ(grid.text(3, 2), "x");
}

TEST_F(TextImport, StartAndEndColumns)
{
    const QByteArray line = "1;2;3;4;5\n";
    for (sheet::Spreadsheet* scratchGrid : {&scratch, static_cast<sheet::Spreadsheet*>(nullptr)}) {
        env.scratchGrid = scratchGrid;
        for (const char* start : {"$C", "3", "$c"}) {
            fields.startColumn = QString::fromLatin1(start);
            fields.endColumn = QString();
            ASSERT_TRUE(import(line).ok());
            EXPECT_DOUBLE_EQ(grid.number(1, 1), 3) << start;
            EXPECT_DOUBLE_EQ(grid.number(1, 3), 5) << start;
            EXPECT_EQ(grid.lastCol(), 3) << start;
        }
        fields.startColumn = QStringLiteral("x");  // not a column: 1
        fields.endColumn = QStringLiteral("$D");
        ASSERT_TRUE(import(line).ok());
        EXPECT_DOUBLE_EQ(grid.number(1, 1), 1);
        EXPECT_EQ(grid.lastCol(), 4);
        fields.endColumn = QStringLiteral("zz9?");  // not a column: no limit
        ASSERT_TRUE(import(line).ok());
        EXPECT_EQ(grid.lastCol(), 5);
    }
}

TEST_F(TextImport, EndBeforeStartWritesNothingButCountsLines)
{
    fields.startColumn = QStringLiteral("3");
    fields.endColumn = QStringLiteral("2");
    ASSERT_TRUE(import("1;2;3\n4;5;6\n\n").ok());
    EXPECT_EQ(grid.lastRow(), 0);
    EXPECT_EQ(job.lastDataRow, 3);
}

TEST_F(TextImport, EmptyFileClearsTheGrid)
{
    grid.setNumber(7, 7, 1);
    job.lastDataRow = 99;
    ASSERT_TRUE(import("").ok());
    EXPECT_EQ(grid.lastRow(), 0);
    EXPECT_EQ(job.lastDataRow, 0);
}

TEST_F(TextImport, GermanDecimalComma)
{
    platform::Platform::overrideLocale(QStringLiteral("de_DE"));
    ASSERT_TRUE(import("1,5;1.5;1.234,5;-2,5e1\n").ok());
    EXPECT_DOUBLE_EQ(grid.number(1, 1), 1.5);
    EXPECT_DOUBLE_EQ(grid.number(1, 2), 1.5);
    EXPECT_EQ(grid.cellType(1, 3), sheet::CellType::Text);  // two marks: text
    EXPECT_DOUBLE_EQ(grid.number(1, 4), -25);

    platform::Platform::overrideLocale(QStringLiteral("en_US"));
    ASSERT_TRUE(import("1,5;1.5\n").ok());
    EXPECT_EQ(grid.cellType(1, 1), sheet::CellType::Text);
    EXPECT_EQ(grid.text(1, 1), "1,5");
    EXPECT_DOUBLE_EQ(grid.number(1, 2), 1.5);
}

TEST_F(TextImport, Utf8AndWindows1252Umlauts)
{
    ASSERT_TRUE(import("\xEF\xBB\xBF" "Gr\xC3\xB6\xC3\x9F" "e;Ma\xC3\x9F\n1;2\n").ok());  // UTF-8 with BOM
    EXPECT_EQ(grid.text(1, 1), QString::fromUtf8("Größe"));
    EXPECT_EQ(grid.text(1, 2), QString::fromUtf8("Maß"));

    ASSERT_TRUE(import("Gr\xF6\xDF" "e;\x80;\x84x\x93\n").ok());  // Windows-1252
    EXPECT_EQ(grid.text(1, 1), QString::fromUtf8("Größe"));
    EXPECT_EQ(grid.text(1, 2), QString::fromUtf8("€"));
    EXPECT_EQ(grid.text(1, 3), QString::fromUtf8("„x“"));

    // Bytes behind a Ctrl+Z are not text: they do not decide the encoding.
    ASSERT_TRUE(import("Gr\xC3\xB6\xC3\x9F" "e\n\x1A\xFF\xFE").ok());
    EXPECT_EQ(grid.text(1, 1), QString::fromUtf8("Größe"));
    EXPECT_EQ(job.lastDataRow, 1);

    // One invalid byte anywhere makes the whole file Windows-1252.
    ASSERT_TRUE(import("\xC3\xA4;1\n2;\xE4\n").ok());
    EXPECT_EQ(grid.text(1, 1), QString::fromUtf8("Ã¤"));
    EXPECT_EQ(grid.text(2, 2), QString::fromUtf8("ä"));
}

TEST_F(TextImport, SeparatorOutsideAsciiAndLongSeparators)
{
    fields.separator = QString::fromUtf8("§");
    ASSERT_TRUE(import("a\xC2\xA7" "b\n").ok());  // UTF-8 file
    EXPECT_EQ(grid.text(1, 2), "b");
    ASSERT_TRUE(import("a\xA7" "b\xFF\n").ok());   // Windows-1252 file
    EXPECT_EQ(grid.text(1, 2), QString::fromUtf8("bÿ"));

    fields.separator = QStringLiteral("::");
    ASSERT_TRUE(import("1::2\n").ok());
    EXPECT_DOUBLE_EQ(grid.number(1, 1), 1);
    EXPECT_EQ(grid.text(1, 2), ":2");  // the rest starts behind the first ":"
}

TEST_F(TextImport, MissingFileIsReportedAndKeepsCells)
{
    grid.setNumSheets(2);
    grid.setNumber(3, 3, 42);
    job.lastDataRow = 17;
    const QString path = dir.filePath(QStringLiteral("gone.csv"));
    const ImportResult r = importInto(path, fields, grid, job, {}, env);
    EXPECT_EQ(r.status, ImportResult::Status::Failed);
    EXPECT_TRUE(r.errorText.contains(QStringLiteral("gone.csv"))) << r.errorText.toStdString();
    EXPECT_EQ(job.lastDataRow, 17);
    EXPECT_DOUBLE_EQ(grid.number(3, 3), 42);
    EXPECT_EQ(grid.numSheets(), 1);
    EXPECT_EQ(grid.sheetName(1), "ASCII Import");

    EXPECT_EQ(importInto(dir.path(), fields, grid, job, {}, env).status, ImportResult::Status::Failed);
    EXPECT_EQ(importInto(QString(), fields, grid, job, {}, env).status, ImportResult::Status::Failed);
}

TEST_F(TextImport, CancelKeepsRowsReadAndLastDataRow)
{
    QByteArray bytes;
    for (int i = 1; i <= 200000; ++i) bytes += QByteArray::number(i) + ";1.5;2.5;3.5\n";
    const QString path = writeBytes(dir, QStringLiteral("big.csv"), bytes);
    job.lastDataRow = 5;
    int calls = 0;
    const ImportResult r = importInto(path, fields, grid, job, [&](qint64 done, qint64 total) {
        EXPECT_LE(done, total);
        return ++calls < 3;
    }, env);
    EXPECT_EQ(r.status, ImportResult::Status::Cancelled);
    EXPECT_EQ(job.lastDataRow, 5);
    EXPECT_GT(grid.lastRow(), 0);
    EXPECT_LT(grid.lastRow(), 200000);
    EXPECT_DOUBLE_EQ(grid.number(grid.lastRow(), 1), grid.lastRow());

    calls = 0;
    ASSERT_TRUE(importInto(path, fields, grid, job, [&](qint64, qint64) { ++calls; return true; }, env).ok());
    EXPECT_EQ(job.lastDataRow, 200000);
    EXPECT_GT(calls, 3);
}

TEST_F(TextImport, HostileBytesNeitherCrashNorHang)
{
    // Binary noise with NUL bytes and every byte value.
    QByteArray noise(2 * 1024 * 1024, '\0');
    QRandomGenerator random(42);
    for (char& c : noise) c = static_cast<char>(random.bounded(256));
    const ImportResult noisy = import(noise, QStringLiteral("noise.bin"));
    EXPECT_TRUE(noisy.ok());
    EXPECT_GE(job.lastDataRow, grid.lastRow());

    // NUL inside a field is kept as a character.
    ASSERT_TRUE(import(QByteArray("a\0b;7\n", 6)).ok());
    EXPECT_EQ(grid.text(1, 1), QString::fromUtf8("a\0b", 3));
    EXPECT_DOUBLE_EQ(grid.number(1, 2), 7);

    // One long line without an end.
    ASSERT_TRUE(import(QByteArray(8 * 1024 * 1024, 'x')).ok());
    EXPECT_EQ(job.lastDataRow, 1);
    EXPECT_EQ(grid.text(1, 1).size(), 8 * 1024 * 1024);

    // More fields than the grid has columns: the grid's limit holds, nothing breaks.
    QByteArray wide;
    for (int i = 0; i < 20000; ++i) wide += "1;";
    ASSERT_TRUE(import(wide + "\n" + wide + "\n").ok());
    EXPECT_EQ(job.lastDataRow, 2);
    EXPECT_GE(grid.lastCol(), 256);
    EXPECT_LE(grid.lastCol(), 20000);
}

TEST_F(TextImport, ShippedSampleCsvWithTheDefaultTemplateFields)
{
    // LF line ends, a header row, dates as text, three gauge columns with a gap
    // and a "not measured" text among the numbers.
    for (const char* locale : {"de_DE", "en_US"}) {
        platform::Platform::overrideLocale(QString::fromLatin1(locale));
        const ImportResult r = importInto(QStringLiteral(PLOTWISE_SOURCE_DATA_DIR "/Sampledata_multi.csv"), fields,
                                          grid, job, {}, env);
        ASSERT_TRUE(r.ok()) << r.errorText.toStdString();
        EXPECT_EQ(job.lastDataRow, grid.lastRow()) << locale;
        EXPECT_GE(job.lastDataRow, 151) << locale;
        EXPECT_EQ(grid.lastCol(), 4) << locale;
        EXPECT_EQ(grid.text(1, 2), "Messung 1") << locale;
        EXPECT_EQ(grid.text(2, 1), "05.01.2026") << locale;
        EXPECT_DOUBLE_EQ(grid.number(2, 2), 25.015) << locale;
        int numbers = 0;
        for (int row = 2; row <= job.lastDataRow; ++row) {
            for (int col = 2; col <= 4; ++col) {
                numbers += grid.cellType(row, col) == sheet::CellType::Number;
            }
        }
        EXPECT_GE(numbers, 3 * (job.lastDataRow - 1) - 3) << locale;
        EXPECT_DOUBLE_EQ(grid.number(job.lastDataRow, 4), 25.009) << locale;
    }
}

TEST(DataFileKind, ExtensionsChooseThePath)
{
    EXPECT_EQ(dataFileKind("C:\\Messung\\DATA.XLS"), DataFileKind::Xls);
    EXPECT_EQ(dataFileKind("/home/u/book.Vts"), DataFileKind::NativeWorkbook);
    EXPECT_EQ(dataFileKind("a.xlsx"), DataFileKind::Xlsx);
    EXPECT_EQ(dataFileKind("a.ODS"), DataFileKind::Ods);
    EXPECT_EQ(dataFileKind("a.csv"), DataFileKind::Text);
    EXPECT_EQ(dataFileKind("a.txt"), DataFileKind::Text);
    EXPECT_EQ(dataFileKind("noextension"), DataFileKind::Text);
    EXPECT_EQ(dataFileKind("/dir.xls/data"), DataFileKind::Text);
    EXPECT_EQ(dataFileKind("C:data.xls"), DataFileKind::Xls);
    EXPECT_EQ(dataFileExtension("D:.xls\\x"), QString());
}
