// Malformed native workbooks are refused whole, with the file, the line and
// the reason in the message.
#include "components/sheet/cell_address.h"
#include "components/sheet/spreadsheet.h"
#include "components/sheet/workbook_file.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

using namespace sheet;

namespace {

struct BadFile {
    const char* what;
    QByteArray bytes;
    int line;             // expected line in the message
    const char* reason;   // expected part of the reason
};

const QByteArray kHead = "PLOTWISE-WORKBOOK 1\nsheet \"S\"\n";

QByteArray withHead(const char* body)
{
    return kHead + QByteArray(body);
}

}  // namespace

TEST(NativeWorkbookRefusal, EveryMalformedFileNamesFileLineAndReason)
{
    const std::vector<BadFile> cases = {
        {"empty file", "", 1, "empty file"},
        {"missing magic", "sheet \"S\"\ncell A1 n 1\nend\n", 1, "not a Plotwise workbook"},
        {"other version", "PLOTWISE-WORKBOOK 2\nend\n", 1, "unsupported workbook version"},
        {"truncated", withHead("cell A1 n 1\ncell A2 n 2\n"), 4, "truncated"},
        {"cut inside a string", withHead("cell A1 t \"abc"), 3, "unterminated text"},
        {"row 0", withHead("cell A0 n 1\nend\n"), 3, "row must be 1 to 1048576"},
        {"row too large", withHead("cell A1048577 n 1\nend\n"), 3, "row must be 1 to 1048576"},
        {"column beyond XFD", withHead("cell XFE1 n 1\nend\n"), 3, "column beyond XFD"},
        {"garbage address", withHead("cell 1A n 1\nend\n"), 3, "bad cell address \"1A\""},
        {"leading zero row", withHead("cell A01 n 1\nend\n"), 3, "bad cell address"},
        {"unknown kind", withHead("cell A1 q 1\nend\n"), 3, "unknown cell kind \"q\""},
        {"unknown line", withHead("cel A1 n 1\nend\n"), 3, "unknown line kind \"cel\""},
        {"bad number", withHead("cell A1 n 1,5\nend\n"), 3, "bad number \"1,5\""},
        {"nan", withHead("cell A1 n nan\nend\n"), 3, "bad number"},
        {"huge number", withHead("cell A1 n 1e999\nend\n"), 3, "out of range"},
        {"bad escape", withHead("cell A1 t \"a\\qb\"\nend\n"), 3, "bad escape \\q"},
        {"short unicode escape", withHead("cell A1 t \"\\u00\"\nend\n"), 3, "bad escape \\u"},
        {"formula without =", withHead("cell A1 f \"SUM(A2:A3)\"\nend\n"), 3, "must start with \"=\""},
        {"bad boolean", withHead("cell A1 b yes\nend\n"), 3, "boolean must be 0 or 1"},
        {"unknown error", withHead("cell A1 e #OOPS!\nend\n"), 3, "unknown error value"},
        {"text after value", withHead("cell A1 n 1 2\nend\n"), 3, "unexpected text \"2\""},
        {"unquoted format", withHead("cell A1 n 1 fmt 0.00\nend\n"), 3, "must be a quoted string"},
        {"duplicate cell in order", withHead("cell A1 n 1\ncell A1 n 2\nend\n"), 4, "duplicate cell A1"},
        {"duplicate cell out of order",
         withHead("cell B2 n 1\ncell A1 n 1\ncell B2 t \"x\"\nend\n"), 5, "duplicate cell B2"},
        {"cell before sheet", "PLOTWISE-WORKBOOK 1\ncell A1 n 1\nend\n", 2, "before the first sheet"},
        {"duplicate sheet", withHead("sheet \"s\"\nend\n"), 3, "duplicate sheet name"},
        {"duplicate name", withHead("name Mittel $E$4\nname MITTEL $E$5\nend\n"), 4, "duplicate defined name"},
        {"name like a cell", withHead("name AB12 $E$4\nend\n"), 3, "bad defined name"},
        {"name without definition", withHead("name Mittel\nend\n"), 3, "has no definition"},
        {"no sheet", "PLOTWISE-WORKBOOK 1\nend\n", 2, "no sheet"},
        {"content after end", withHead("end\ncell A1 n 1\n"), 4, "after the closing \"end\""},
        {"invalid UTF-8", withHead("cell A1 t \"\xC3\x28\"\nend\n"), 3, "invalid UTF-8"},
        {"overlong UTF-8", withHead("cell A1 t \"\xC0\xAF\"\nend\n"), 3, "invalid UTF-8"},
        {"binary garbage", QByteArray("PLOTWISE-WORKBOOK 1\n\x00\x01\x02\xFF", 24), 2, "control character"},
        {"binary from the start", QByteArray("\x89PNG\r\n\x1A\n\x00\x00", 10), 1, "invalid UTF-8"},
    };

    QTemporaryDir dir;
    for (const BadFile& c : cases) {
        const QString path = dir.filePath(QStringLiteral("bad.vts"));
        {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(c.bytes);
        }
        try {
            readNativeWorkbook(path);
            ADD_FAILURE() << c.what << ": accepted";
        } catch (const SheetError& e) {
            const QString expectedStart = QStringLiteral("%1, line %2: ").arg(path).arg(c.line);
            EXPECT_TRUE(e.message().startsWith(expectedStart)) << c.what << ": " << e.what();
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.reason))) << c.what << ": " << e.what();
        }
    }
}

TEST(NativeWorkbookRefusal, MissingFileIsReportedWithItsName)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("nowhere.vts"));
    try {
        readNativeWorkbook(path);
        ADD_FAILURE() << "read a missing file";
    } catch (const SheetError& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("cannot read ") + path)) << e.what();
    }
    EXPECT_FALSE(isNativeWorkbookFile(path));
}

TEST(NativeWorkbookRefusal, OverlongLineIsRefusedWithoutReadingItWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("long.vts"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(kHead);
        f.write("cell A1 t \"");
        f.write(QByteArray(6 * 1024 * 1024, 'x'));
        f.write("\"\nend\n");
    }
    try {
        readNativeWorkbook(path);
        ADD_FAILURE() << "accepted a 6 MB line";
    } catch (const SheetError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("line 3: line longer than"))) << e.what();
    }
}

// A few hundred bytes with one cell at the foot of each of many columns would
// take a million rows of storage per column (gigabytes in all): the load is
// refused before anything is built, counting every sheet, and the book keeps
// what it had.
TEST(NativeWorkbookRefusal, CellsAtTheFootOfManyColumnsAreRefusedBeforeLoading)
{
    QByteArray bytes = "PLOTWISE-WORKBOOK 1\n";
    for (const char* sheetName : {"One", "Two"}) {
        bytes += "sheet \"" + QByteArray(sheetName) + "\"\n";
        for (int col = 1; col <= 24; ++col)
            bytes += "cell " + columnLetters(col).toLatin1() + "1048576 n 1\n";
    }
    bytes += "end\n";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tall.vts"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    Spreadsheet book;
    book.setNumber(1, 1, 42);
    try {
        book.read(path);
        ADD_FAILURE() << "loaded 48 columns of a million rows";
    } catch (const SheetError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("room for 50331696 cells"))) << e.what();
        EXPECT_TRUE(e.message().contains(QStringLiteral("at most 50000000"))) << e.what();
    }
    EXPECT_EQ(book.number(1, 1), 42);
}
