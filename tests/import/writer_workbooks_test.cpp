// Workbooks written by common spreadsheet writers (fixtures/writers/, made by
// fixtures/make_writer_workbooks.py) import with the same cells, through the
// reader program as the window imports them.
#include "import/import_file.h"
#include "tests/import/test_files.h"

#include "components/sheet/spreadsheet.h"
#include "components/platform/platform.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace dataimport;

namespace {

const QString kWriters = QStringLiteral(PLOTWISE_TEST_DIR "/fixtures/writers/");

class WriterWorkbooks : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override { platform::Platform::overrideLocale(QStringLiteral("de_DE")); }
    void TearDown() override { platform::Platform::overrideLocale(QString()); }
    sheet::Spreadsheet grid;
    importtest::ImportedRows job;
};

}  // namespace

TEST_P(WriterWorkbooks, ImportWithTheSameCells)
{
    const QString path = kWriters + QLatin1StringView(GetParam());
    if (!QFile::exists(path)) GTEST_SKIP() << "not generated: " << GetParam();
    const ImportResult r = importtest::importInto(path, ImportFields{}, grid, job);
    ASSERT_TRUE(r.ok()) << r.errorText.toStdString();
    EXPECT_EQ(job.lastDataRow, 4);
    ASSERT_EQ(grid.numSheets(), 2);
    EXPECT_EQ(grid.activeSheet(), 1);  // the first sheet is the one read
    EXPECT_EQ(grid.sheetName(1), "Messwerte");
    EXPECT_EQ(grid.text(1, 2), QString::fromUtf8("Größe"));
    const double dates[] = {45366, 45367, 45368};
    for (int row = 2; row <= 4; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(grid.cellType(row, 1), sheet::CellType::Number);
        EXPECT_DOUBLE_EQ(grid.number(row, 1), dates[row - 2]);
        // Shown as a date through the cell's number format, whatever its spelling.
        EXPECT_TRUE(grid.formattedText(row, 1).contains(QStringLiteral("2024"))) << grid.formattedText(row, 1).toStdString();
        // LibreOffice turns an .xlsx boolean into the formula TRUE() or FALSE()
        // and stores its result in .ods as a number.
        if (!path.endsWith(QStringLiteral(".ods"))) EXPECT_EQ(grid.cellType(row, 3), sheet::CellType::Boolean);
        EXPECT_EQ(grid.cellType(row, 4), sheet::CellType::Text);
    }
    EXPECT_DOUBLE_EQ(grid.number(2, 2), 12.5);
    EXPECT_DOUBLE_EQ(grid.number(3, 2), -1.25);
    EXPECT_DOUBLE_EQ(grid.number(4, 2), 1e-7);
    EXPECT_DOUBLE_EQ(grid.number(2, 3), 1);
    EXPECT_DOUBLE_EQ(grid.number(3, 3), 0);
    EXPECT_DOUBLE_EQ(grid.number(4, 3), 1);
    EXPECT_EQ(grid.text(2, 4), "007");
    EXPECT_EQ(grid.text(3, 4), "A&B <x>");
    EXPECT_EQ(grid.text(4, 4), "  zwei Leerzeichen");
    EXPECT_EQ(grid.sheetName(2), "Zweite");
}

INSTANTIATE_TEST_SUITE_P(Writers, WriterWorkbooks,
                         ::testing::Values("openpyxl.xlsx", "pandas.xlsx", "libxlsxwriter.xlsx", "libreoffice.xlsx",
                                           "libreoffice.ods"),
                         [](const auto& info) {
                             std::string name = info.param;
                             for (char& c : name) if (c == '.') c = '_';
                             return name;
                         });

TEST(WriterWorkbookExtras, FormulaResultsAndErrorsArrive)
{
    sheet::Spreadsheet grid;
    importtest::ImportedRows job;
    ImportResult r = importtest::importInto(kWriters + "libxlsxwriter.xlsx", ImportFields{}, grid, job);
    ASSERT_TRUE(r.ok()) << r.errorText.toStdString();
    EXPECT_DOUBLE_EQ(grid.number(2, 5), 25);  // =B2*2 by its stored result
    EXPECT_EQ(grid.text(3, 5), "xy");         // a text result (t="str")
    r = importtest::importInto(kWriters + "openpyxl.xlsx", ImportFields{}, grid, job);
    ASSERT_TRUE(r.ok()) << r.errorText.toStdString();
    EXPECT_EQ(grid.cellType(2, 5), sheet::CellType::Error);
}
