// Shared body of the .xlsx and .ods fuzz targets: the bytes as a zip archive
// read from memory, handed to one reader. Any input must end in cells or a
// WorkbookReadError.
#pragma once

#include "import/workbook_readers.h"
#include "import/zip_archive.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

namespace fuzzing {

// Cells are counted, not kept: the target checks the reader, not memory for storage.
class CountingSink final : public dataimport::CellSink {
    void sheetStarted(const QString&) override {}
    void cellRead(const sheet::CellData&) override {}
};

inline int readZipWorkbook(const uint8_t* data, size_t size,
                           void (*read)(const dataimport::ZipArchive&, dataimport::CellSink&))
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    CountingSink sink;
    try {
        read(dataimport::ZipArchive::fromBytes(bytes), sink);
    } catch (const dataimport::WorkbookReadError&) {
    }
    return 0;
}

}  // namespace fuzzing
