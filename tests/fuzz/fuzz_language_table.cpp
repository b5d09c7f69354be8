// Language tables and pop-up text lists: the input is the file, read through
// the same decoding (UTF-8, else Windows-1252) and line splitting as the
// program's own tables. Reading must neither crash nor hang, whatever the bytes.
#include "tests/fuzz/fuzz_support.h"

#include "app/language_table.h"
#include "app/popup_texts.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString path = fuzz::scratchFile(QStringLiteral("frmtxtChart.dat"), fuzz::bytes(data, size));
    (void)app::LanguageTable::read(path);
    (void)app::PopupTexts::read(path);
    return 0;
}
