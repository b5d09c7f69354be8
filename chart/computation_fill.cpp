// Computation grid fill; see computation_fill.h.
#include "chart/computation_fill.h"

#include "chart/program_state.h"
#include "chart/shared_texts.h"
#include "components/sheet/spreadsheet.h"
#include "components/sheet/workbook_file.h"

#include "chart/computation_layout.h"

#include <QDateTime>
#include <QFileInfo>
#include <memory>
#include <mutex>

namespace chart {

namespace {

void checkRowCount(const ProgramState& state, std::int32_t startRow, std::int32_t endRow)
{
    const std::int64_t rows = std::int64_t(endRow) - startRow + 1;
    if (rows > kMaxDataRows) throw TooManyRowsError(tooManyRowsText(state.language, kMaxDataRows, rows).toStdString());
}

// The parsed template of the last read, kept while the file's path, size and
// modification time stay the same: every release on the range bar refills
// the grid from the same template, and reading the file again each time was
// a tenth of the refill. A file changed on disk is read anew.
struct ParsedTemplate {
    QString path;
    qint64 size = -1;
    QDateTime modified;
    std::shared_ptr<const sheet::WorkbookData> data;
};

std::shared_ptr<const sheet::WorkbookData> parsedTemplate(const QString& path)
{
    static std::mutex mutex;
    static ParsedTemplate cache;
    const QFileInfo info(path);
    const qint64 size = info.exists() ? info.size() : -1;
    const QDateTime modified = info.exists() ? info.lastModified() : QDateTime();
    {
        const std::lock_guard<std::mutex> lock(mutex);
        if (cache.data && size >= 0 && cache.path == path && cache.size == size && cache.modified == modified)
            return cache.data;
    }
    // Throws SheetError for a missing or unreadable file; nothing is kept then.
    auto data = std::make_shared<const sheet::WorkbookData>(sheet::readNativeWorkbook(path));
    const std::lock_guard<std::mutex> lock(mutex);
    cache = ParsedTemplate{path, size, modified, data};
    return data;
}

}  // namespace

void ComputationFill::resetToReferenceLayout(sheet::Spreadsheet& computationGrid, platform::Language language)
{
    for (const QString& name : computationGrid.definedNames())
        computationGrid.removeDefinedName(name);
    computationGrid.clearRange(-1, -1, -1, -1, sheet::ClearKind::All);
    chart::buildReferenceLayout(computationGrid, language);
}

QString ComputationFill::templatePath(const ProgramState& state)
{
    return state.shippedFile(state.language == platform::Language::English ? QStringLiteral("xycharte.def")
                                                                           : QStringLiteral("xychartg.def"));
}

bool ComputationFill::loadTemplate(sheet::Spreadsheet& computationGrid, const ProgramState& state)
{
    try {
        computationGrid.load(*parsedTemplate(templatePath(state)));
        return true;
    } catch (const sheet::SheetError&) {
        // No readable template. The grid still holds the last fill, whose rows
        // and widened ranges would be counted again; start afresh from the
        // built-in reference layout instead.
        resetToReferenceLayout(computationGrid, state.language);
        return false;
    }
}

FillResult ComputationFill::copyRows(sheet::Spreadsheet& grid, const ProgramState& state,
                                     std::int32_t startRow, std::int32_t endRow)
{
    checkRowCount(state, startRow, endRow);
    FillResult result;
    const auto& columns = state.job.valueColumns;
    const sheet::Spreadsheet& importGrid = *state.importGrid;
    // The values travel as the import grid displays them; read them back
    // with the same decimal separator.
    grid.setDecimalSeparator(importGrid.decimalSeparator());

    // Candidate rows; an inverted span has none. 64-bit so that extreme row
    // numbers cannot overflow.
    const std::int64_t candidates = endRow >= startRow ? std::int64_t(endRow) - startRow + 1 : 0;
    const int lastFormulaRow = static_cast<int>(candidates) + kHeaderRow;  // n + 15

    if (candidates >= 2) {
        // Rows 17.. are inserted already holding the fill of row 16, so each
        // new cell is written once.
        grid.insertFilledRows(kFirstDataRow + 1, lastFormulaRow, 1, kComputationColumns);
        grid.selectRange(kFirstDataRow, 1, lastFormulaRow, kComputationColumns);
    }

    std::int32_t d = kHeaderRow;
    for (std::int64_t c = startRow; c <= endRow; ++c) {
        const int row = static_cast<int>(c);
        bool numeric = true;
        for (int k = 0; k < 3 && numeric; ++k) {
            if (columns[k] > 0 && !sheet::isNumeric(importGrid.cellType(row, columns[k])))
                numeric = false;
        }
        if (!numeric) {
            ++result.skipped;
            continue;
        }
        ++d;
        if (columns[0] > 0) {
            grid.setNumber(d, 1, row);
            grid.setDisplayedValueOf(d, 2, importGrid, row, columns[0]);
        }
        if (columns[1] > 0)
            grid.setDisplayedValueOf(d, 3, importGrid, row, columns[1]);
        if (columns[2] > 0)
            grid.setDisplayedValueOf(d, 4, importGrid, row, columns[2]);
    }
    result.lastComputationRow = d;

    if (result.hasData()) {
        // The formula rows that got no data, and the template's former row 17
        // (now right after them), which ended the data block.
        const std::int64_t clearTo = std::int64_t(d) + result.skipped + 1;
        grid.clearRange(d + 1, 1, static_cast<int>(clearTo), kComputationColumns, sheet::ClearKind::All);
    } else if (candidates == 0) {
        // Nothing to chart: clear the prototype row and the template's end
        // row so that the chart shows no rows and no stale sample values.
        grid.clearRange(kFirstDataRow, 1, kFirstDataRow + 1, kComputationColumns, sheet::ClearKind::All);
    }
    return result;
}

FillResult ComputationFill::run(sheet::Spreadsheet& grid, const ProgramState& state,
                                std::int32_t startRow, std::int32_t endRow)
{
    checkRowCount(state, startRow, endRow);
    loadTemplate(grid, state);
    return copyRows(grid, state, startRow, endRow);
}

}  // namespace chart
