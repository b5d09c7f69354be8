// Native workbook reader (.vts, and the .def templates). The input is the file;
// a file that reads must also save and read back with the same content.
#include "tests/fuzz/fuzz_support.h"

#include "components/sheet/spreadsheet.h"

#include <cmath>

namespace {

bool sameNumber(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }

bool sameCell(const sheet::CellData& a, const sheet::CellData& b)
{
    if (a.row != b.row || a.col != b.col || a.kind != b.kind || a.format != b.format) return false;
    switch (a.kind) {
    case sheet::CellKind::Number:
    case sheet::CellKind::Boolean: return sameNumber(a.number, b.number);
    case sheet::CellKind::Text:
    case sheet::CellKind::Formula: return a.text == b.text;
    case sheet::CellKind::Error: return a.error == b.error;
    default: return true;
    }
}

bool sameContent(const sheet::WorkbookData& a, const sheet::WorkbookData& b)
{
    if (a.sheets.size() != b.sheets.size() || a.names.size() != b.names.size()) return false;
    for (size_t s = 0; s < a.sheets.size(); ++s) {
        const auto& ca = a.sheets[s].cells;
        const auto& cb = b.sheets[s].cells;
        if (a.sheets[s].name != b.sheets[s].name || ca.size() != cb.size()) return false;
        for (size_t i = 0; i < ca.size(); ++i)
            if (!sameCell(ca[i], cb[i])) return false;
    }
    for (size_t n = 0; n < a.names.size(); ++n)
        if (a.names[n].name != b.names[n].name || a.names[n].definition != b.names[n].definition) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString path = fuzz::scratchFile(QStringLiteral("input.vts"), fuzz::bytes(data, size));
    sheet::Spreadsheet book;
    try {
        book.read(path);
    } catch (const sheet::SheetError&) {
        return 0;
    }
    const sheet::WorkbookData first = book.snapshot();
    const QString copy = fuzz::scratchDir().filePath(QStringLiteral("copy.vts"));
    book.write(copy, sheet::FileFormat::Native);
    sheet::Spreadsheet again;
    try {
        again.read(copy);
    } catch (const sheet::SheetError&) {
        abort();  // the program wrote a workbook it cannot read
    }
    if (!sameContent(first, again.snapshot())) abort();
    return 0;
}
