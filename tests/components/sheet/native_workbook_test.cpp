// Native workbook files: everything a workbook holds survives a write and a
// read, the text stays readable, and hand-written files in any order load.
#include "components/sheet/workbook_file.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

using namespace sheet;

namespace {

CellData cell(int row, int col, CellKind kind)
{
    CellData c;
    c.row = row;
    c.col = col;
    c.kind = kind;
    return c;
}

CellData number(int row, int col, double v, const QString& format = {})
{
    CellData c = cell(row, col, CellKind::Number);
    c.number = v;
    c.format = format;
    return c;
}

CellData text(int row, int col, const QString& t)
{
    CellData c = cell(row, col, CellKind::Text);
    c.text = t;
    return c;
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

WorkbookData everyKind()
{
    WorkbookData data;
    SheetData first{QStringLiteral("Daten äöü"), {}};
    first.cells.push_back(text(1, 1, QStringLiteral("Größe \"in\" mm\\cm\nzweite Zeile\ttab\x01")));
    first.cells.push_back(number(1, 2, 0.1));
    first.cells.push_back(number(1, 3, -1.7976931348623157e308, QStringLiteral("0.00")));
    CellData b = cell(2, 1, CellKind::Boolean);
    b.number = 1;
    first.cells.push_back(b);
    CellData e = cell(2, 2, CellKind::Error);
    e.error = ErrorCode::Div0;
    first.cells.push_back(e);
    CellData f = cell(2, 5, CellKind::Formula);
    f.text = QStringLiteral("=(B16+C16+D16)/COUNT(B16:D16)&\"x\"");
    f.format = QStringLiteral("dd.mm.yyyy \"Uhr\" hh:mm");
    first.cells.push_back(f);
    CellData formattedEmpty = cell(3, 1, CellKind::Empty);
    formattedEmpty.format = QStringLiteral("0%");
    first.cells.push_back(formattedEmpty);
    first.cells.push_back(number(1048576, 16384, 5e-324));
    data.sheets.push_back(first);
    SheetData second{QStringLiteral("Zweite"), {}};
    second.cells.push_back(text(1, 1, QStringLiteral("😀 emoji")));
    CellData nope = cell(4, 4, CellKind::Boolean);
    second.cells.push_back(nope);
    data.sheets.push_back(second);
    data.names.push_back({QStringLiteral("Mittel"), QStringLiteral("$E$4")});
    data.names.push_back({QStringLiteral("MIN"), QStringLiteral("$E$16:$E$17")});
    data.names.push_back({QStringLiteral("Other"), QStringLiteral("'Zweite'!$A$1")});
    return data;
}

void expectSameCell(const CellData& a, const CellData& b)
{
    EXPECT_EQ(a.row, b.row);
    EXPECT_EQ(a.col, b.col);
    EXPECT_EQ(a.kind, b.kind);
    EXPECT_EQ(a.number, b.number);
    EXPECT_EQ(a.text, b.text);
    EXPECT_EQ(a.error, b.error);
    EXPECT_EQ(a.format, b.format);
}

}  // namespace

TEST(NativeWorkbook, RoundTripKeepsEveryKindNameSheetAndFormat)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("book.vts"));
    const WorkbookData data = everyKind();
    writeNativeWorkbook(path, data);
    EXPECT_TRUE(isNativeWorkbookFile(path));

    const WorkbookData back = readNativeWorkbook(path);
    ASSERT_EQ(back.sheets.size(), data.sheets.size());
    for (size_t s = 0; s < data.sheets.size(); ++s) {
        EXPECT_EQ(back.sheets[s].name, data.sheets[s].name);
        ASSERT_EQ(back.sheets[s].cells.size(), data.sheets[s].cells.size());
        for (size_t i = 0; i < data.sheets[s].cells.size(); ++i)
            expectSameCell(back.sheets[s].cells[i], data.sheets[s].cells[i]);
    }
    ASSERT_EQ(back.names.size(), data.names.size());
    for (size_t i = 0; i < data.names.size(); ++i) {
        EXPECT_EQ(back.names[i].name, data.names[i].name);
        EXPECT_EQ(back.names[i].definition, data.names[i].definition);
    }
    // Writing what was read gives the same bytes: files stay stable in a diff.
    const QString again = dir.filePath(QStringLiteral("again.vts"));
    writeNativeWorkbook(again, back);
    EXPECT_EQ(fileBytes(again), fileBytes(path));
}

TEST(NativeWorkbook, FileIsReadableText)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("small.def"));
    WorkbookData data;
    SheetData s{QStringLiteral("Sheet1"), {}};
    s.cells.push_back(number(16, 2, 1.5, QStringLiteral("0.00")));
    s.cells.push_back(text(16, 3, QStringLiteral("a \"b\"")));
    data.sheets.push_back(s);
    data.names.push_back({QStringLiteral("Mittel"), QStringLiteral("$E$4")});
    writeNativeWorkbook(path, data);
    EXPECT_EQ(fileBytes(path),
              "PLOTWISE-WORKBOOK 1\n"
              "name Mittel $E$4\n"
              "sheet \"Sheet1\"\n"
              "cell B16 n 1.5 fmt \"0.00\"\n"
              "cell C16 t \"a \\\"b\\\"\"\n"
              "end\n");
}

TEST(NativeWorkbook, HandWrittenFileWithCommentsCrLfAndAnyCellOrderLoads)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("hand.vts"));
    writeBytes(path,
               "\xEF\xBB\xBFPLOTWISE-WORKBOOK 1\r\n"
               "# a comment\r\n"
               "\r\n"
               "sheet \"S\"\r\n"
               "  cell c3 n 3\r\n"
               "cell A1 t \"caf\\u00E9\"\r\n"
               "cell B1 n -2.5e-3   fmt \"0.0\"\r\n"
               "name Spanne \"$A$1:$C$3\"\r\n"
               "end\r\n"
               "# trailing comment\r\n");
    const WorkbookData data = readNativeWorkbook(path);
    ASSERT_EQ(data.sheets.size(), 1u);
    const auto& cells = data.sheets[0].cells;
    ASSERT_EQ(cells.size(), 3u);
    // Sorted into row-major order.
    EXPECT_EQ(cells[0].text, QStringLiteral("café"));
    EXPECT_EQ(cells[1].number, -0.0025);
    EXPECT_EQ(cells[1].format, QStringLiteral("0.0"));
    EXPECT_EQ(cells[2].row, 3);
    EXPECT_EQ(cells[2].col, 3);
    ASSERT_EQ(data.names.size(), 1u);
    EXPECT_EQ(data.names[0].definition, QStringLiteral("$A$1:$C$3"));
}

TEST(NativeWorkbook, WriterRefusesWhatTheReaderWouldRefuseAndKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("keep.vts"));
    writeBytes(path, "old content");
    auto expectRefused = [&](const WorkbookData& data, const char* reason) {
        try {
            writeNativeWorkbook(path, data);
            ADD_FAILURE() << "written although " << reason;
        } catch (const SheetError& e) {
            EXPECT_TRUE(e.message().startsWith(QStringLiteral("cannot write ") + path)) << e.what();
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(reason))) << e.what();
        }
        EXPECT_EQ(fileBytes(path), "old content");
    };
    WorkbookData dup;
    dup.sheets.push_back({QStringLiteral("S"), {number(2, 2, 1), number(1, 1, 1), number(2, 2, 3)}});
    expectRefused(dup, "duplicate cell B2");
    WorkbookData outside;
    outside.sheets.push_back({QStringLiteral("S"), {number(0, 1, 1)}});
    expectRefused(outside, "outside the sheet");
    WorkbookData sameSheet;
    sameSheet.sheets.push_back({QStringLiteral("S"), {}});
    sameSheet.sheets.push_back({QStringLiteral("s"), {}});
    expectRefused(sameSheet, "duplicate sheet name");
    WorkbookData badName;
    badName.sheets.push_back({QStringLiteral("S"), {}});
    badName.names.push_back({QStringLiteral("A1"), QStringLiteral("$A$1")});
    expectRefused(badName, "bad defined name");

    // An unwritable place is reported, not ignored.
    try {
        writeNativeWorkbook(dir.filePath(QStringLiteral("missing/dir/x.vts")), everyKind());
        ADD_FAILURE() << "wrote into a missing directory";
    } catch (const SheetError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("cannot write"))) << e.what();
    }
}

TEST(NativeWorkbook, NonFiniteNumberIsStoredAsTheErrorItShows)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("inf.vts"));
    WorkbookData data;
    data.sheets.push_back({QStringLiteral("S"), {number(1, 1, INFINITY)}});
    writeNativeWorkbook(path, data);
    const WorkbookData back = readNativeWorkbook(path);
    ASSERT_EQ(back.sheets[0].cells.size(), 1u);
    EXPECT_EQ(back.sheets[0].cells[0].kind, CellKind::Error);
    EXPECT_EQ(back.sheets[0].cells[0].error, ErrorCode::Num);
}

TEST(NativeWorkbook, LinesLongerThanOneReadBlockAndManyRowsLoad)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.vts"));
    WorkbookData data;
    SheetData s{QStringLiteral("S"), {}};
    s.cells.push_back(text(1, 1, QString(3 * 1024 * 1024 / 2, QChar(0x00E4))));  // 3 MB of UTF-8
    for (int r = 2; r <= 200000; ++r)
        s.cells.push_back(number(r, 1 + r % 3, r * 0.1));
    data.sheets.push_back(std::move(s));
    writeNativeWorkbook(path, data);
    const WorkbookData back = readNativeWorkbook(path);
    ASSERT_EQ(back.sheets[0].cells.size(), data.sheets[0].cells.size());
    EXPECT_EQ(back.sheets[0].cells[0].text, data.sheets[0].cells[0].text);
    EXPECT_EQ(back.sheets[0].cells.back().number, 200000 * 0.1);
}
