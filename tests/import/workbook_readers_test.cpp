// The foreign workbook readers on their own (in this process): what real
// writers put into .xlsx and .ods files, and the caps that keep small
// damaged files from taking gigabytes. Every refusal names its limit.
#include "import/workbook_readers.h"
#include "tests/import/zip_files.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace dataimport;
using importtest::writeZip;

namespace {

class WorkbookReaders : public ::testing::Test {
protected:
    // Reads the archive as `kind`; the reason on failure, empty on success.
    // Without `keep` the cells are counted only (the caps tests read millions).
    QString read(WorkbookKind kind, const importtest::ZipEntries& entries, bool keep = true)
    {
        const QString path = dir.filePath(kind == WorkbookKind::Ods ? QStringLiteral("t.ods") : QStringLiteral("t.xlsx"));
        EXPECT_TRUE(writeZip(path, entries));
        if (!keep) {
            struct Discard final : CellSink {
                void sheetStarted(const QString&) override {}
                void cellRead(const sheet::CellData&) override {}
            } discard;
            return readForeignWorkbook(kind, path, discard);
        }
        WorkbookCollector collector;
        const QString error = readForeignWorkbook(kind, path, collector);
        book = collector.take();
        return error;
    }
    const sheet::CellData* cell(size_t sheetIndex, int row, int col) const
    {
        if (sheetIndex >= book.sheets.size()) return nullptr;
        for (const sheet::CellData& c : book.sheets[sheetIndex].cells) {
            if (c.row == row && c.col == col) return &c;
        }
        return nullptr;
    }

    QTemporaryDir dir;
    sheet::WorkbookData book;
};

const QByteArray kMainNs = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";

}  // namespace

TEST_F(WorkbookReaders, XlsxCellTypesAndNamespacesDeclaredAnywhere)
{
    // The namespace is declared on the sheet data and on a cell, under prefixes;
    // cells without references follow the one before.
    const QByteArray sheetXml =
        "<x:worksheet xmlns:x=\"" + kMainNs + "\"><sheetData xmlns=\"" + kMainNs + "\">"
        "<row r=\"2\"><c r=\"A2\" t=\"n\"><v>1.5</v></c><c t=\"s\"><v>1</v></c><c t=\"b\"><v>1</v></c>"
        "<c t=\"e\"><v>#N/A</v></c><c t=\"str\"><f>A2&amp;\"x\"</f><v>1.5x</v></c>"
        "<c t=\"inlineStr\"><is><r><t>in</t></r><r><t xml:space=\"preserve\"> line</t></r><rPh><t>ignored</t></rPh></is></c>"
        "<y:c xmlns:y=\"" + kMainNs + "\" r=\"H2\"><y:v>7</y:v></y:c>"
        "<c r=\"I2\"><f>1/0</f></c><c r=\"J2\" t=\"d\"><v>2024-03-15T12:00:00</v></c></row>"
        "<row><c><v>3</v></c></row></sheetData></x:worksheet>";
    const QByteArray strings = "<sst xmlns=\"" + kMainNs + "\"><si><t>null</t></si><si><r><t>Gr</t></r><r><t>öße</t></r></si></sst>";
    ASSERT_EQ(read(WorkbookKind::Xlsx, importtest::xlsxEntries(sheetXml, strings)), QString());
    ASSERT_EQ(book.sheets.size(), 1u);
    EXPECT_EQ(book.sheets[0].name, "Daten");
    ASSERT_TRUE(cell(0, 2, 1) && cell(0, 2, 2) && cell(0, 2, 3) && cell(0, 2, 4) && cell(0, 2, 5) && cell(0, 2, 6) && cell(0, 2, 8));
    EXPECT_DOUBLE_EQ(cell(0, 2, 1)->number, 1.5);
    EXPECT_EQ(cell(0, 2, 2)->text, QString::fromUtf8("Größe"));
    EXPECT_EQ(cell(0, 2, 3)->kind, sheet::CellKind::Boolean);
    EXPECT_EQ(cell(0, 2, 4)->error, sheet::ErrorCode::NA);
    EXPECT_EQ(cell(0, 2, 5)->text, "1.5x");
    EXPECT_EQ(cell(0, 2, 6)->text, "in line");
    EXPECT_DOUBLE_EQ(cell(0, 2, 8)->number, 7);
    EXPECT_EQ(cell(0, 2, 9), nullptr);  // a formula without a stored result stays empty
    ASSERT_TRUE(cell(0, 2, 10));
    EXPECT_DOUBLE_EQ(cell(0, 2, 10)->number, 45366.5);
    EXPECT_EQ(cell(0, 2, 10)->format, "yyyy-mm-dd");
    ASSERT_TRUE(cell(0, 3, 1));  // the row after row 2, its first column
    EXPECT_DOUBLE_EQ(cell(0, 3, 1)->number, 3);
}

TEST_F(WorkbookReaders, XlsxDamageIsRefusedWithAReason)
{
    const QByteArray head = "<worksheet xmlns=\"" + kMainNs + "\"><sheetData>";
    const struct {
        QByteArray sheet;
        const char* reason;
    } cases[] = {
        {head + "<row><c r=\"A1\" t=\"s\"><v>5</v></c></row></sheetData></worksheet>", "shared text 5 of 0"},
        {head + "<row><c r=\"XFE1\"><v>1</v></c></row></sheetData></worksheet>", "XFE1"},
        {head + "<row r=\"1048577\"/></sheetData></worksheet>", "outside the sheet"},
        {head + "<row><c r=\"A1\"><v>1</v></c>", "line 1"},  // broken off
        {head + QByteArray(300, '<').replace("<", "<a>") + "</sheetData></worksheet>", "levels of nested elements"},
        {head + "<row><c r=\"A1\" t=\"inlineStr\"><is><t>" + QByteArray(40000, 'x') + "</t></is></c></row></sheetData></worksheet>",
         "characters in one text"},
        {head + "<row><c r=\"A1\" t=\"inlineStr\"><is><t>" + QByteArray(2 << 20, 'x') + "</t></is></c></row></sheetData></worksheet>",
         "bytes in one text or tag"},
    };
    for (const auto& c : cases) {
        const QString error = read(WorkbookKind::Xlsx, importtest::xlsxEntries(c.sheet));
        EXPECT_TRUE(error.contains(QLatin1StringView(c.reason))) << c.reason << ": " << error.toStdString();
    }
}

TEST_F(WorkbookReaders, Xlsx1904DatesMoveToThe1900System)
{
    const QByteArray styles =
        "<styleSheet xmlns=\"" + kMainNs + "\"><numFmts><numFmt numFmtId=\"164\" formatCode=\"dd/mm/yyyy\"/></numFmts>"
        "<cellStyleXfs><xf numFmtId=\"21\"/></cellStyleXfs><cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"164\"/><xf numFmtId=\"21\"/></cellXfs></styleSheet>";
    const QByteArray sheetXml = "<worksheet xmlns=\"" + kMainNs + "\"><sheetData><row r=\"1\">"
                                "<c r=\"A1\" s=\"1\"><v>43904</v></c><c r=\"B1\"><v>43904</v></c><c r=\"C1\" s=\"2\"><v>0.5</v></c>"
                                "</row></sheetData></worksheet>";
    importtest::ZipEntries entries = importtest::xlsxEntries(sheetXml, {}, "<workbookPr date1904=\"true\"/>");
    entries[2].second.replace("</Relationships>",
                              "<Relationship Id=\"rId3\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\""
                              " Target=\"/xl/styles.xml\"/></Relationships>");
    entries.push_back({QStringLiteral("xl/styles.xml"), styles});
    ASSERT_EQ(read(WorkbookKind::Xlsx, entries), QString());
    ASSERT_TRUE(cell(0, 1, 1) && cell(0, 1, 2) && cell(0, 1, 3));
    EXPECT_DOUBLE_EQ(cell(0, 1, 1)->number, 45366);
    EXPECT_EQ(cell(0, 1, 1)->format, "dd/mm/yyyy");
    EXPECT_DOUBLE_EQ(cell(0, 1, 2)->number, 43904);
    EXPECT_DOUBLE_EQ(cell(0, 1, 3)->number, 0.5);  // the cellStyleXfs list does not count
    EXPECT_EQ(cell(0, 1, 3)->format, "hh:mm:ss");
}

TEST_F(WorkbookReaders, OdsRowCounterStartsAgainInEverySheet)
{
    // The first sheet runs to the sheet's end; the second must start at row 1.
    const QByteArray tables =
        "<table:table table:name=\"Eins\"><table:table-row table:number-rows-repeated=\"1048570\"><table:table-cell/></table:table-row>"
        "<table:table-row table:number-rows-repeated=\"99999999999999999999\"><table:table-cell/></table:table-row>"
        "<table:table-row table:number-rows-repeated=\"9223372036854775807\"><table:table-cell office:value-type=\"float\" office:value=\"1\"/></table:table-row>"
        "</table:table>"
        "<table:table table:name=\"Zwei\"><table:table-row table:number-rows-repeated=\"2\">"
        "<table:table-cell office:value-type=\"float\" office:value=\"2\" table:number-columns-repeated=\"3\"/></table:table-row></table:table>";
    ASSERT_EQ(read(WorkbookKind::Ods, importtest::odsEntries(tables)), QString());
    ASSERT_EQ(book.sheets.size(), 2u);
    EXPECT_TRUE(book.sheets[0].cells.empty());  // its value row lies past the sheet's last row
    ASSERT_EQ(book.sheets[1].cells.size(), 6u);
    EXPECT_EQ(book.sheets[1].cells.back().row, 2);
    EXPECT_EQ(book.sheets[1].cells.back().col, 3);
}

TEST_F(WorkbookReaders, OdsCapsNameTheLimitAndWhatWasAskedFor)
{
    const QByteArray oneCell = "<table:table table:name=\"T\"><table:table-row><table:table-cell office:value-type=\"float\" "
                               "office:value=\"1\" table:style-name=\"ce1\"/></table:table-row></table:table>";
    const struct {
        QByteArray tables;
        QByteArray styles;
        const char* reason;
    } cases[] = {
        // A few hundred bytes that stand for the whole sheet, 1.7e10 cells.
        {"<table:table table:name=\"T\"><table:table-row table:number-rows-repeated=\"1048576\">"
         "<table:table-cell office:value-type=\"float\" office:value=\"1\" table:number-columns-repeated=\"16384\"/>"
         "</table:table-row></table:table>",
         {}, "the file asks for 17,179,869,184 cells; at most 8,000,000 are read"},
        // The cap counts across sheets.
        {QByteArray("<table:table table:name=\"A\"><table:table-row table:number-rows-repeated=\"5000\">"
                    "<table:table-cell office:value-type=\"float\" office:value=\"1\" table:number-columns-repeated=\"1000\"/>"
                    "</table:table-row></table:table>").repeated(2),
         {}, "the file asks for 10,000,000 cells"},
        {oneCell, "<number:number-style style:name=\"N1\"><number:number number:decimal-places=\"2147483647\"/></number:number-style>"
                  "<style:style style:name=\"ce1\" style:family=\"table-cell\" style:data-style-name=\"N1\"/>",
         "the file asks for 2,147,483,647 decimal places; at most 30 are read"},
        {"<table:table table:name=\"T\"><table:table-row><table:table-cell office:value-type=\"string\">"
         "<text:p>a<text:s text:c=\"2147483647\"/></text:p></table:table-cell></table:table-row></table:table>",
         {}, "characters in one cell"},
        {QByteArray("<table:table table:name=\"T\"/>").repeated(1025), {}, "1,025 sheets"},
    };
    for (const auto& c : cases) {
        const QString error = read(WorkbookKind::Ods, importtest::odsEntries(c.tables, c.styles), false);
        EXPECT_TRUE(error.contains(QLatin1StringView(c.reason))) << c.reason << ": " << error.toStdString();
    }
}

TEST_F(WorkbookReaders, OdsDecimalsAndRepeatsWithinTheLimitsRead)
{
    const QByteArray styles = "<number:number-style style:name=\"N1\"><number:number number:decimal-places=\"3\" number:grouping=\"true\"/>"
                              "</number:number-style><style:style style:name=\"ce1\" style:family=\"table-cell\" style:data-style-name=\"N1\"/>";
    const QByteArray tables = "<table:table table:name=\"T\"><table:table-row table:number-rows-repeated=\"3\">"
                              "<table:table-cell table:number-columns-repeated=\"2\"/>"
                              "<table:table-cell office:value-type=\"float\" office:value=\"1.25\" table:style-name=\"ce1\"/>"
                              "<table:table-cell office:value-type=\"string\"><text:p>a<text:s text:c=\"2\"/>b</text:p><text:p>c</text:p></table:table-cell>"
                              "</table:table-row></table:table>";
    ASSERT_EQ(read(WorkbookKind::Ods, importtest::odsEntries(tables, styles)), QString());
    ASSERT_EQ(book.sheets[0].cells.size(), 6u);
    ASSERT_TRUE(cell(0, 3, 3) && cell(0, 3, 4));
    EXPECT_EQ(cell(0, 3, 3)->format, "#,##0.000");
    EXPECT_EQ(cell(0, 3, 4)->text, "a  b\nc");
}

TEST_F(WorkbookReaders, TruncatedAndFlippedArchivesNeverCrash)
{
    // Every prefix and a byte flipped at many places of a real writer's file:
    // each reads or is refused with a reason.
    for (const char* name : {"openpyxl.xlsx", "libxlsxwriter.xlsx"}) {
        QFile file(QStringLiteral(PLOTWISE_TEST_DIR "/fixtures/writers/") + QLatin1StringView(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        const QByteArray bytes = file.readAll();
        const QString path = dir.filePath(QStringLiteral("m.xlsx"));
        for (qsizetype at = 0; at < bytes.size(); at += 37) {
            for (const bool truncate : {true, false}) {
                QByteArray mutated = truncate ? bytes.left(at) : bytes;
                if (!truncate) mutated[at] = static_cast<char>(mutated[at] ^ 0x5a);
                QFile out(path);
                ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
                out.write(mutated);
                out.close();
                WorkbookCollector collector;
                const QString error = readForeignWorkbook(WorkbookKind::Xlsx, path, collector);
                if (truncate) {
                    EXPECT_FALSE(error.isEmpty()) << name << " cut at " << at;
                }
            }
        }
    }
}
