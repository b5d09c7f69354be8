// Delimited text import, through the import command the window and
// plotwise-report use. The first byte picks the separator and the decimal
// separator, the second the column fields; the rest is the file.
#include "tests/fuzz/fuzz_support.h"

#include "components/sheet/spreadsheet.h"
#include "import/import_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QByteArray input = fuzz::bytes(data, size);
    const unsigned how = fuzz::takeByte(input);
    const unsigned columns = fuzz::takeByte(input);

    static const char* const separators[] = {";", ",", "\t", " ", "|", "", ";;", "\"", ".", "  "};
    static const char* const starts[] = {"1", "2", "$B", "0", "xyz", "16384", "-3", "99999"};
    static const char* const ends[] = {"", "3", "$C", "1", "$", "16385"};

    dataimport::ImportFields fields;
    fields.separator = QString::fromLatin1(separators[how % 10]);
    fields.startColumn = QString::fromLatin1(starts[columns % 8]);
    fields.endColumn = QString::fromLatin1(ends[(columns / 8) % 6]);
    fields.fileName = fuzz::scratchFile(QStringLiteral("input.csv"), input);

    sheet::Spreadsheet grid;
    sheet::Spreadsheet scratch;
    dataimport::ImportEnvironment environment;
    environment.scratchGrid = &scratch;
    environment.decimalSeparator = (how / 10) % 2 ? u',' : u'.';
    const dataimport::ImportResult result = dataimport::importFile(fields.fileName, fields, grid, {}, environment);
    if (result.ok()) {
        for (int r = 1; r <= grid.lastRow() && r <= 8; ++r)
            for (int c = 1; c <= grid.lastCol() && c <= 8; ++c) (void)grid.formattedText(r, c);
    }
    return 0;
}
