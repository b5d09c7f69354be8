// Where a workbook reader puts the cells it reads. Readers call beginSheet()
// and addCell(); the sink counts cells across sheets against the cell cap, so
// no reader can store more than that, whatever repeat counts its file states.
// WorkbookCollector keeps the cells as a WorkbookData; the reader program
// streams them to its parent instead.
#pragma once

#include "components/sheet/workbook_data.h"

#include <QString>

namespace dataimport {

class CellSink {
public:
    virtual ~CellSink() = default;

    // Throws WorkbookReadError past the sheet cap.
    void beginSheet(const QString& name);
    // Throws WorkbookReadError when `count` more cells would pass the cell
    // cap: a reader about to repeat a block checks before it starts.
    void requireRoomFor(qint64 count) const;
    // Counts one cell and stores it; throws past the cell cap. Rows and
    // columns must lie inside the sheet.
    void addCell(const sheet::CellData& cell);

    qint64 cellCount() const { return m_cells; }
    qint64 sheetCount() const { return m_sheets; }

protected:
    virtual void sheetStarted(const QString& name) = 0;
    virtual void cellRead(const sheet::CellData& cell) = 0;

private:
    qint64 m_cells = 0;
    qint64 m_sheets = 0;
};

// Keeps what a reader hands over as a WorkbookData: each sheet's cells in
// row-major order, a cell stored twice keeping its last value.
class WorkbookCollector final : public CellSink {
public:
    sheet::WorkbookData take();

protected:
    void sheetStarted(const QString& name) override;
    void cellRead(const sheet::CellData& cell) override;

private:
    sheet::WorkbookData m_book;
};

}  // namespace dataimport
