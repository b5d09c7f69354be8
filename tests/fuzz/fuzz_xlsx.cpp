// libFuzzer target: the .xlsx reader on arbitrary bytes.
#include "tests/fuzz/zip_workbook_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return fuzzing::readZipWorkbook(data, size, dataimport::readXlsxWorkbook);
}
