// The export formats: ".xlsx" through libxlsxwriter and delimited text.
#include "components/sheet/csv_writer.h"
#include "components/sheet/xlsx_writer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace sheet;

namespace {

CellData make(int row, int col, CellKind kind, double number = 0, const QString& text = {},
              const QString& format = {})
{
    CellData c;
    c.row = row;
    c.col = col;
    c.kind = kind;
    c.number = number;
    c.text = text;
    c.format = format;
    return c;
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

WorkbookData statisticsLikeBook()
{
    WorkbookData data;
    SheetData s{QStringLiteral("Statistik"), {}};
    s.cells.push_back(make(1, 1, CellKind::Text, 0, QStringLiteral("Mittel äöü")));
    s.cells.push_back(make(1, 2, CellKind::Number, 1.5, {}, QStringLiteral("0.00")));
    s.cells.push_back(make(2, 1, CellKind::Boolean, 1));
    CellData err = make(2, 2, CellKind::Error);
    err.error = ErrorCode::Div0;
    s.cells.push_back(err);
    s.cells.push_back(make(3, 2, CellKind::Formula, 3.0, QStringLiteral("=B1*2")));
    s.cells.push_back(make(4, 2, CellKind::Number, 45000, {}, QStringLiteral("dd.mm.yyyy")));
    data.sheets.push_back(s);
    data.sheets.push_back(SheetData{QStringLiteral("Second sheet"), {make(1, 1, CellKind::Number, 2)}});
    data.names.push_back({QStringLiteral("Mittel"), QStringLiteral("$B$1")});
    return data;
}

}  // namespace

TEST(XlsxWriter, WritesAZipWithOneWorksheetPartPerSheet)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("stats.xlsx"));
    writeXlsx(path, statisticsLikeBook());
    const QByteArray bytes = fileBytes(path);
    ASSERT_GT(bytes.size(), 100);
    EXPECT_TRUE(bytes.startsWith("PK\x03\x04"));

    const QString unzip = QStandardPaths::findExecutable(QStringLiteral("unzip"));
    if (unzip.isEmpty())
        GTEST_SKIP() << "unzip not installed: zip content not checked";
    QProcess list;
    list.start(unzip, {QStringLiteral("-l"), path});
    ASSERT_TRUE(list.waitForFinished());
    const QByteArray listing = list.readAllStandardOutput();
    EXPECT_TRUE(listing.contains("xl/worksheets/sheet1.xml")) << listing.constData();
    EXPECT_TRUE(listing.contains("xl/worksheets/sheet2.xml")) << listing.constData();

    QProcess show;
    show.start(unzip, {QStringLiteral("-p"), path, QStringLiteral("xl/workbook.xml"),
                       QStringLiteral("xl/worksheets/sheet1.xml"), QStringLiteral("xl/sharedStrings.xml"),
                       QStringLiteral("xl/styles.xml")});
    ASSERT_TRUE(show.waitForFinished());
    const QString xml = QString::fromUtf8(show.readAllStandardOutput());
    EXPECT_TRUE(xml.contains(QStringLiteral("name=\"Statistik\""))) << "sheet name";
    EXPECT_TRUE(xml.contains(QStringLiteral("Statistik!$B$1"))) << "defined name on the first sheet";
    EXPECT_TRUE(xml.contains(QStringLiteral("<f>B1*2</f><v>3</v>"))) << "formula with cached result";
    EXPECT_TRUE(xml.contains(QStringLiteral("Mittel äöü"))) << "UTF-8 text";
    EXPECT_TRUE(xml.contains(QStringLiteral("#DIV/0!"))) << "error as its name";
    EXPECT_TRUE(xml.contains(QStringLiteral("formatCode=\"dd.mm.yyyy\""))) << "number format";
}

TEST(XlsxWriter, DefinedNamesOnASheetNamedLikeACellAreQuoted)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a1.xlsx"));
    WorkbookData data;
    data.sheets.push_back(SheetData{QStringLiteral("AB12"), {make(1, 1, CellKind::Number, 1)}});
    data.names.push_back({QStringLiteral("First"), QStringLiteral("$A$1")});
    writeXlsx(path, data);
    const QString unzip = QStandardPaths::findExecutable(QStringLiteral("unzip"));
    if (unzip.isEmpty())
        GTEST_SKIP() << "unzip not installed";
    QProcess show;
    show.start(unzip, {QStringLiteral("-p"), path, QStringLiteral("xl/workbook.xml")});
    ASSERT_TRUE(show.waitForFinished());
    const QString xml = QString::fromUtf8(show.readAllStandardOutput());
    EXPECT_TRUE(xml.contains(QStringLiteral("'AB12'!$A$1"))) << xml.toStdString();
}

TEST(XlsxWriter, RefusesABadSheetNameAndKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("keep.xlsx"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old");
    }
    WorkbookData data;
    data.sheets.push_back(SheetData{QStringLiteral("bad/name"), {}});
    try {
        writeXlsx(path, data);
        ADD_FAILURE() << "bad sheet name accepted";
    } catch (const SheetError& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("cannot write ") + path)) << e.what();
        EXPECT_TRUE(e.message().contains(QStringLiteral("bad/name"))) << e.what();
    }
    EXPECT_EQ(fileBytes(path), "old");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1) << "temporary file left behind";
}

TEST(CsvWriter, QuotesFieldsAsRfc4180AndKeepsTheGridRectangular)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.csv"));
    SheetData s{QStringLiteral("S"), {}};
    s.cells.push_back(make(1, 1, CellKind::Text, 0, QStringLiteral("plain")));
    s.cells.push_back(make(1, 3, CellKind::Text, 0, QStringLiteral("has;separator")));
    s.cells.push_back(make(2, 2, CellKind::Text, 0, QStringLiteral("say \"hi\"")));
    s.cells.push_back(make(2, 3, CellKind::Text, 0, QStringLiteral("two\nlines")));
    s.cells.push_back(make(4, 1, CellKind::Number, 1.5));
    s.cells.push_back(make(4, 2, CellKind::Number, 2.675, {}, QStringLiteral("0.00")));
    s.cells.push_back(make(4, 3, CellKind::Text, 0, QStringLiteral("Größe")));
    writeCsv(path, s, QLatin1Char(';'), QLatin1Char(','));
    EXPECT_EQ(fileBytes(path),
              "plain;;\"has;separator\"\r\n"
              ";\"say \"\"hi\"\"\";\"two\nlines\"\r\n"
              ";;\r\n"
              "1,5;2,68;Gr\xC3\xB6\xC3\x9F" "e\r\n");

    // With a comma separator, a decimal comma forces quotes.
    writeCsv(path, SheetData{QStringLiteral("S"), {make(1, 1, CellKind::Number, 1.5), make(1, 2, CellKind::Boolean, 1)}},
             QLatin1Char(','), QLatin1Char(','));
    EXPECT_EQ(fileBytes(path), "\"1,5\",TRUE\r\n");
}

TEST(CsvWriter, UsesTheCallersDisplayTextAndVisitsCellsInRowOrder)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("shown.txt"));
    SheetData s{QStringLiteral("S"), {}};
    s.cells.push_back(make(2, 1, CellKind::Formula, 7, QStringLiteral("=A1+1")));
    s.cells.push_back(make(1, 2, CellKind::Number, 6));
    writeCsv(path, s, QLatin1Char('\t'), [](const CellData& c) {
        return QStringLiteral("R%1C%2").arg(c.row).arg(c.col);
    });
    EXPECT_EQ(fileBytes(path), "\tR1C2\r\nR2C1\t\r\n");

    writeCsv(path, SheetData{QStringLiteral("S"), {}}, QLatin1Char(','), QLatin1Char('.'));
    EXPECT_EQ(fileBytes(path), "");
    EXPECT_THROW(writeCsv(dir.filePath(QStringLiteral("no/such/dir.csv")), s, QLatin1Char(','), QLatin1Char('.')),
                 SheetError);
}
