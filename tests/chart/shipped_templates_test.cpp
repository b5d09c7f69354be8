// The shipped computation templates xycharte.def and xychartg.def hold exactly
// the built-in reference layout: same formulas, texts, formats and names, and
// they compute the same numbers.
#include "chart/computation_layout.h"
#include "components/sheet/spreadsheet.h"

#include <gtest/gtest.h>

#include <QDir>

using sheet::Spreadsheet;

namespace {

void expectSameBook(const Spreadsheet& shipped, const Spreadsheet& reference, const std::string& file)
{
    ASSERT_EQ(shipped.lastRow(), reference.lastRow()) << file;
    ASSERT_EQ(shipped.lastCol(), reference.lastCol()) << file;
    for (int row = 1; row <= reference.lastRow(); ++row) {
        for (int col = 1; col <= reference.lastCol(); ++col) {
            const std::string where = file + " row " + std::to_string(row) + " col " + std::to_string(col);
            ASSERT_EQ(shipped.kind(row, col), reference.kind(row, col)) << where;
            EXPECT_EQ(shipped.formula(row, col), reference.formula(row, col)) << where;
            EXPECT_EQ(shipped.numberFormat(row, col), reference.numberFormat(row, col)) << where;
            EXPECT_EQ(shipped.cellType(row, col), reference.cellType(row, col)) << where;
            EXPECT_EQ(shipped.text(row, col), reference.text(row, col)) << where;
        }
    }
    ASSERT_EQ(shipped.definedNames(), reference.definedNames()) << file;
    for (const QString& name : reference.definedNames())
        EXPECT_EQ(shipped.definedName(name), reference.definedName(name)) << file << " " << name.toStdString();
}

}  // namespace

TEST(ShippedTemplates, MatchTheBuiltInReferenceLayout)
{
    const QDir data(QStringLiteral(PLOTWISE_SOURCE_DATA_DIR));
    const struct {
        platform::Language language;
        const char* file;
    } templates[] = {{platform::Language::English, "xycharte.def"}, {platform::Language::German, "xychartg.def"}};
    for (const auto& t : templates) {
        Spreadsheet reference;
        chart::buildReferenceLayout(reference, t.language);
        Spreadsheet shipped;
        sheet::FileFormat format = sheet::FileFormat::Csv;
        ASSERT_NO_THROW(shipped.read(data.filePath(QString::fromLatin1(t.file)), &format)) << t.file;
        EXPECT_EQ(format, sheet::FileFormat::Native);
        expectSameBook(shipped, reference, t.file);
    }
}

TEST(ShippedWorkbooks, EveryShippedWorkbookReads)
{
    const QDir data(QStringLiteral(PLOTWISE_SOURCE_DATA_DIR));
    const QStringList files = data.entryList({QStringLiteral("*.def"), QStringLiteral("*.vts")}, QDir::Files);
    EXPECT_FALSE(files.isEmpty());
    for (const QString& file : files) {
        Spreadsheet book;
        EXPECT_NO_THROW(book.read(data.filePath(file))) << file.toStdString();
        EXPECT_GT(book.lastRow(), 0) << file.toStdString();
    }
}
