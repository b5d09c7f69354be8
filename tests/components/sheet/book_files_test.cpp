// Spreadsheet's files end to end: what a book writes it reads back with the same
// formulas, formats and names, and a bad file changes nothing in the book.
#include "components/sheet/spreadsheet.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

using namespace sheet;

namespace {

void fillExampleBook(Spreadsheet& book)
{
    book.setNumSheets(2);
    book.setSheetName(1, QStringLiteral("Daten"));
    book.setSheetName(2, QStringLiteral("Notizen"));
    book.setActiveSheet(1);
    book.setText(1, 1, QStringLiteral("Messung \"A\"; ü"));
    book.setNumber(2, 1, 2.675);
    book.setNumber(3, 1, 1.005);
    book.setNumberFormat(2, 1, 3, 1, QStringLiteral("0.00"));
    book.setNumber(4, 1, 45000.25);
    book.setNumberFormat(4, 1, 4, 1, QStringLiteral("dd.mm.yyyy hh:mm"));
    book.setFormula(5, 1, QStringLiteral("=SUM(A2:A3)"));
    book.setFormula(6, 1, QStringLiteral("=1/0"));
    book.setBoolean(7, 1, true);
    book.setDefinedName(QStringLiteral("Mittel"), QStringLiteral("$A$5"));
    book.setFormula(8, 1, QStringLiteral("=Mittel*2"));
    book.setActiveSheet(2);
    book.setText(1, 1, QStringLiteral("zweites Blatt"));
    book.setActiveSheet(1);
}

}  // namespace

TEST(BookFiles, NativeRoundTripKeepsWhatTheUserSees)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("book.vts"));
    Spreadsheet original;
    fillExampleBook(original);
    original.write(path, FileFormat::Native);

    Spreadsheet back;
    FileFormat format = FileFormat::Csv;
    back.read(path, &format);
    EXPECT_EQ(format, FileFormat::Native);
    ASSERT_EQ(back.numSheets(), 2);
    EXPECT_EQ(back.sheetName(1), QStringLiteral("Daten"));
    EXPECT_EQ(back.sheetName(2), QStringLiteral("Notizen"));
    back.setActiveSheet(1);
    for (int row = 1; row <= original.lastRow(); ++row) {
        EXPECT_EQ(back.formula(row, 1), original.formula(row, 1)) << row;
        EXPECT_EQ(back.formattedText(row, 1), original.formattedText(row, 1)) << row;
        EXPECT_EQ(back.cellType(row, 1), original.cellType(row, 1)) << row;
    }
    EXPECT_EQ(back.formattedText(2, 1), QStringLiteral("2.68"));
    EXPECT_EQ(back.formattedText(4, 1), QStringLiteral("15.03.2023 06:00"));
    EXPECT_EQ(back.number(8, 1), 2 * (2.675 + 1.005));
    EXPECT_EQ(back.definedName(QStringLiteral("Mittel")), QStringLiteral("$A$5"));
    back.setActiveSheet(2);
    EXPECT_EQ(back.text(1, 1), QStringLiteral("zweites Blatt"));
}

TEST(BookFiles, BadFileLeavesTheBookAsItWas)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bad.vts"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("PLOTWISE-WORKBOOK 1\nsheet \"S\"\ncell A1 n 99\ncell B0 n 1\nend\n");
    }
    Spreadsheet book;
    fillExampleBook(book);
    try {
        book.read(path);
        ADD_FAILURE() << "bad file accepted";
    } catch (const SheetError& e) {
        EXPECT_TRUE(e.message().startsWith(path + QStringLiteral(", line 4: "))) << e.what();
    }
    EXPECT_EQ(book.numSheets(), 2);
    EXPECT_EQ(book.sheetName(1), QStringLiteral("Daten"));
    EXPECT_EQ(book.number(2, 1), 2.675);
    EXPECT_EQ(book.formula(5, 1), QStringLiteral("=SUM(A2:A3)"));
}

TEST(BookFiles, CsvOfTheActiveSheetShowsTheDisplayedTexts)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.csv"));
    Spreadsheet book;
    fillExampleBook(book);
    book.write(path, FileFormat::Csv);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = f.readAll().split('\n');
    ASSERT_GE(lines.size(), 8);
    EXPECT_EQ(lines[0], QByteArray("\"Messung \"\"A\"\"; \xC3\xBC\"\r"));
    EXPECT_EQ(lines[1], QByteArray("2.68\r"));
    EXPECT_EQ(lines[5], QByteArray("#DIV/0!\r"));
}

TEST(BookFiles, SavingVisitsOnlyTheCellsThatExist)
{
    // The two far corners of the sheet: a walk over the rectangle between
    // them would visit seventeen billion cells.
    QTemporaryDir dir;
    Spreadsheet book;
    book.setNumber(1, 1, 1.5);
    book.setFormula(kMaxRows, kMaxCols, QStringLiteral("=A1*2"));
    const QString native = dir.filePath(QStringLiteral("corners.vts"));
    book.write(native, FileFormat::Native);
    Spreadsheet back;
    back.read(native);
    EXPECT_EQ(back.number(1, 1), 1.5);
    EXPECT_EQ(back.formula(kMaxRows, kMaxCols), QStringLiteral("=A1*2"));
    EXPECT_EQ(back.number(kMaxRows, kMaxCols), 3.0);
    book.write(dir.filePath(QStringLiteral("corners.xlsx")), FileFormat::Xlsx);

    // As text every cell of the rectangle costs a field: refused up front.
    const QString csv = dir.filePath(QStringLiteral("corners.csv"));
    try {
        book.write(csv, FileFormat::Csv);
        ADD_FAILURE() << "a text file of 17 billion fields was written";
    } catch (const SheetError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("A1:XFD1048576 spans 17179869184 cells"))) << e.what();
    }
    EXPECT_FALSE(QFile::exists(csv));
}
