// libFuzzer target: the .ods reader on arbitrary bytes (a zip archive read
// from memory). Any input must end in cells or a WorkbookReadError.
#include "import/workbook_readers.h"
#include "import/zip_archive.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

namespace {

// Cells are counted, not kept: the target checks the reader, not memory for storage.
class CountingSink final : public dataimport::CellSink {
    void sheetStarted(const QString&) override {}
    void cellRead(const sheet::CellData&) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    CountingSink sink;
    try {
        dataimport::readOdsWorkbook(dataimport::ZipArchive::fromBytes(bytes), sink);
    } catch (const dataimport::WorkbookReadError&) {
    }
    return 0;
}
