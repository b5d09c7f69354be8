// Workbooks into the import grid: xlsx (written here with libxlsxwriter), ods
// and xls (fixtures beside this file, with their generator scripts), and the
// native format; a workbook that cannot be read changes nothing and says why.
#include "import/import_file.h"
#include "tests/import/test_files.h"

#include "components/sheet/spreadsheet.h"
#include "components/platform/platform.h"

#include <QFile>
#include <gtest/gtest.h>
#include <xlsxwriter.h>

using namespace dataimport;
using importtest::ImportedRows;
using importtest::importInto;
using importtest::writeBytes;

namespace {

const QString kFixtures = QStringLiteral(PLOTWISE_TEST_DIR "/fixtures/");

class WorkbookImport : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        platform::Platform::overrideLocale(QStringLiteral("de_DE"));
        grid.setDecimalSeparator(u',');
    }
    void TearDown() override { platform::Platform::overrideLocale(QString()); }

    // A small measurement workbook: header with an umlaut, dates, numbers, a
    // formula with its result, a numeric-looking text, a second sheet.
    QString writeXlsx()
    {
        const QString path = dir.filePath(QStringLiteral("werte.xlsx"));
        lxw_workbook* book = workbook_new(QFile::encodeName(path).constData());
        lxw_worksheet* sheet = workbook_add_worksheet(book, "Messwerte");
        lxw_format* date = workbook_add_format(book);
        format_set_num_format(date, "dd.mm.yyyy");
        worksheet_write_string(sheet, 0, 0, "Datum", nullptr);
        worksheet_write_string(sheet, 0, 1, "Größe", nullptr);
        worksheet_write_string(sheet, 0, 2, "Summe", nullptr);
        lxw_datetime day = {2024, 3, 15, 0, 0, 0};
        worksheet_write_datetime(sheet, 1, 0, &day, date);
        worksheet_write_number(sheet, 1, 1, 12.5, nullptr);
        worksheet_write_formula_num(sheet, 1, 2, "=B2*2", nullptr, 25.0);
        worksheet_write_string(sheet, 2, 0, "007", nullptr);
        worksheet_write_number(sheet, 2, 2, -1.25, nullptr);
        workbook_add_worksheet(book, "Leer");
        EXPECT_EQ(workbook_close(book), LXW_NO_ERROR);
        return path;
    }

    void expectMeasurementSheet(const char* format, int lastRow)
    {
        SCOPED_TRACE(format);
        EXPECT_EQ(job.lastDataRow, lastRow);
        EXPECT_EQ(grid.activeSheet(), 1);
        EXPECT_EQ(grid.sheetName(1), "Messwerte");
        EXPECT_EQ(grid.numSheets(), 2);
        EXPECT_EQ(grid.text(1, 2), QString::fromUtf8("Größe"));
        EXPECT_EQ(grid.cellType(2, 1), sheet::CellType::Number);
        EXPECT_DOUBLE_EQ(grid.number(2, 1), 45366);  // 2024-03-15
        EXPECT_EQ(grid.formattedText(2, 1), "15.03.2024");
        EXPECT_DOUBLE_EQ(grid.number(2, 2), 12.5);
        EXPECT_EQ(grid.cellType(2, 3), sheet::CellType::Number);  // formula result, as a value
        EXPECT_DOUBLE_EQ(grid.number(2, 3), 25);
        EXPECT_EQ(grid.cellType(3, 1), sheet::CellType::Text);  // a text stays text
        EXPECT_EQ(grid.text(3, 1), "007");
        EXPECT_DOUBLE_EQ(grid.number(3, 3), -1.25);
        EXPECT_FALSE(grid.showFormulas);
        EXPECT_FALSE(grid.showEditBar);
        EXPECT_FALSE(grid.allowEditHeaders);
    }

    QTemporaryDir dir;
    ImportFields fields;
    sheet::Spreadsheet grid;
    ImportedRows job;
};

}  // namespace

TEST_F(WorkbookImport, Xlsx)
{
    const ImportResult r = importInto(writeXlsx(), fields, grid, job);
    ASSERT_TRUE(r.ok()) << r.errorText.toStdString();
    EXPECT_TRUE(r.workbook);
    expectMeasurementSheet("xlsx", 3);
}

TEST_F(WorkbookImport, Ods)
{
    const ImportResult r = importInto(kFixtures + "sample.ods", fields, grid, job);
    ASSERT_TRUE(r.ok()) << r.errorText.toStdString();
    expectMeasurementSheet("ods", 6);
    // A row stored once with a repeat count stands for that many rows.
    for (int row = 4; row <= 6; ++row) {
        EXPECT_DOUBLE_EQ(grid.number(row, 1), 5) << row;
        EXPECT_EQ(grid.cellType(row, 2), sheet::CellType::Boolean) << row;  // boolean
        EXPECT_DOUBLE_EQ(grid.number(row, 2), 1) << row;
        EXPECT_DOUBLE_EQ(grid.number(row, 4), 7) << row;
    }
}

TEST_F(WorkbookImport, XlsxInThe1904DateSystemKeepsItsDates)
{
    const ImportResult r = importInto(kFixtures + "dates1904.xlsx", fields, grid, job);
    ASSERT_TRUE(r.ok()) << r.errorText.toStdString();
    EXPECT_DOUBLE_EQ(grid.number(1, 1), 45366);  // 2024-03-15 in the grid's 1900 system
    EXPECT_EQ(grid.formattedText(1, 1), "2024-03-15");
    EXPECT_DOUBLE_EQ(grid.number(1, 2), 43904);  // a plain number is no date
    EXPECT_DOUBLE_EQ(grid.number(1, 3), 0.5);    // a time of day is no day count
}

TEST_F(WorkbookImport, Xls)
{
    const QString path = kFixtures + "sample.xls";
    if (!QFile::exists(path)) GTEST_SKIP() << "no .xls fixture";
    const ImportResult r = importInto(path, fields, grid, job);
    ASSERT_TRUE(r.ok()) << r.errorText.toStdString();
    EXPECT_EQ(job.lastDataRow, 3);
    EXPECT_EQ(grid.sheetName(1), "Messwerte");
    EXPECT_EQ(grid.text(1, 2), QString::fromUtf8("Größe"));
    EXPECT_DOUBLE_EQ(grid.number(2, 1), 45366);
    EXPECT_EQ(grid.formattedText(2, 1), "2024-03-15");
    EXPECT_DOUBLE_EQ(grid.number(2, 2), 12.5);
    // FreeXL does not hand over the stored results of formula cells.
    EXPECT_EQ(grid.text(3, 1), "007");
    EXPECT_DOUBLE_EQ(grid.number(3, 3), -1.25);
}

TEST_F(WorkbookImport, NativeWorkbook)
{
    sheet::Spreadsheet source;
    source.setSheetName(1, QStringLiteral("Daten"));
    source.setText(1, 1, QStringLiteral("Kopf"));
    source.setNumber(40, 2, 3.5);
    const QString path = dir.filePath(QStringLiteral("book.vts"));
    source.write(path, sheet::FileFormat::Native);

    const ImportResult r = importInto(path, fields, grid, job);
    ASSERT_TRUE(r.ok()) << r.errorText.toStdString();
    EXPECT_EQ(job.lastDataRow, 40);
    EXPECT_EQ(grid.text(1, 1), "Kopf");
    EXPECT_DOUBLE_EQ(grid.number(40, 2), 3.5);
}

TEST_F(WorkbookImport, UnreadableWorkbookChangesNothingAndSaysWhy)
{
    const QByteArray zipLike = QByteArrayLiteral("PK\x03\x04 broken");
    for (const char* name : {"broken.xlsx", "broken.ods", "broken.xls", "broken.vts", "missing.xlsx"}) {
        grid.setNumber(2, 2, 7);
        grid.showEditBar = true;
        job.lastDataRow = 11;
        const QString path = QByteArray(name).startsWith("missing") ? dir.filePath(QString::fromLatin1(name))
                                                                     : writeBytes(dir, QString::fromLatin1(name), zipLike);
        const ImportResult r = importInto(path, fields, grid, job);
        EXPECT_EQ(r.status, ImportResult::Status::Failed) << name;
        EXPECT_TRUE(r.errorText.contains(QString::fromLatin1(name))) << r.errorText.toStdString();
        EXPECT_EQ(job.lastDataRow, 11) << name;
        EXPECT_DOUBLE_EQ(grid.number(2, 2), 7) << name;
        EXPECT_TRUE(grid.showEditBar) << name;
    }
}
