// Formula parser and evaluator. The input is lines of text: the first is
// compiled on its own and printed back, which must compile again to the same
// text (a saved workbook has to read back); then every line goes into a small
// grid, formulas (starting with "=") as formulas, the rest as cell text, and
// every cell is evaluated and formatted. The first byte picks where the
// formula and the grid sit, so references near the sheet's edges are tried too.
#include "tests/fuzz/fuzz_support.h"

#include "components/sheet/cell_address.h"
#include "components/sheet/formula_parser.h"
#include "components/sheet/spreadsheet.h"

#include <QStringList>

namespace {

// The grid's top-left cell: the sheet's corner, its far edges or the middle.
void anchorFor(unsigned choice, int* row, int* col)
{
    static constexpr int kSpan = 8;
    const int rows[] = {1, 16, sheet::kMaxRows - kSpan + 1, 1000};
    const int cols[] = {1, 3, sheet::kMaxCols - 2, 700};
    *row = rows[choice & 3];
    *col = cols[(choice >> 2) & 3];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QByteArray input = fuzz::bytes(data, size);
    int row0 = 1, col0 = 1;
    anchorFor(fuzz::takeByte(input), &row0, &col0);
    const QStringList lines = QString::fromUtf8(input).split(u'\n');

    // Parse and print back.
    sheet::NameTable names;
    try {
        const sheet::FormulaPtr formula = sheet::compileFormula(lines.front(), row0, col0, names);
        const QString printed = sheet::formulaText(*formula, row0, col0, names);
        sheet::FormulaPtr again;
        try {
            again = sheet::compileFormula(printed, row0, col0, names);
        } catch (const sheet::SheetError&) {
            abort();  // a formula the program wrote that it cannot read back
        }
        if (sheet::formulaText(*again, row0, col0, names) != printed) abort();
    } catch (const sheet::SheetError&) {
    }

    // Evaluate in a grid of two columns beside a column of numbers. A column
    // stores every row up to its last used one, so near the sheet's last rows
    // each run would allocate megabytes; the grid moves up to row 1000 there.
    if (row0 > 1000) row0 = 1000;
    sheet::Spreadsheet book;
    for (int i = 0; i < 4; ++i) book.setNumber(row0 + i, col0 + 2, 1.5 * i - 2);
    book.setDefinedName(QStringLiteral("Wert"), sheet::cellAddress(row0, col0 + 2, true, true));
    for (int i = 0; i < lines.size() && i < 16; ++i) {
        const int row = row0 + i / 2, col = col0 + i % 2;
        try {
            if (lines[i].startsWith(u'='))
                book.setFormula(row, col, lines[i]);
            else
                book.setText(row, col, lines[i]);
        } catch (const sheet::SheetError&) {
        }
    }
    for (int r = row0; r < row0 + 8; ++r) {
        for (int c = col0; c < col0 + 2; ++c) {
            (void)book.number(r, c);
            (void)book.formattedText(r, c);
            (void)book.formula(r, c);
        }
    }
    return 0;
}
