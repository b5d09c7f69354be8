// Filling the computation grid for a visible span: the widget-free heart of
// the control chart window's fillComputationGrid, shared with the batch
// report tool. It loads the computation template, widens the template's
// formula rows over the span, copies the span's numeric rows of the import
// grid into columns A to D and clears the rows that got no data.
#pragma once

#include "components/platform/language.h"
#include "components/sheet/cell_address.h"

#include <QString>
#include <cstdint>
#include <stdexcept>

namespace sheet { class Spreadsheet; }

namespace chart {

struct ProgramState;

// Layout of the computation grid the template keeps.
inline constexpr int kHeaderRow = 15;        // series names
inline constexpr int kFirstDataRow = 16;     // prototype formula row, first data row
inline constexpr int kComputationColumns = 60;  // A .. BH
// The most rows a span may hand the grid: the template's rows from 17 on move
// down by one less than the span's rows and must stay on the sheet.
inline constexpr std::int64_t kMaxDataRows = std::int64_t(sheet::kMaxRows) - kFirstDataRow;  // 1,048,560

// A span of more rows than the computation grid holds; what() says so in the
// user's language.
class TooManyRowsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct FillResult {
    // Last grid row holding a copied data row; 15 when none was copied.
    std::int32_t lastComputationRow = kHeaderRow;
    // Rows of the span skipped because a used value cell was not numeric.
    std::int64_t skipped = 0;

    std::int32_t dataRowCount() const { return lastComputationRow - kHeaderRow; }
    bool hasData() const { return lastComputationRow > kHeaderRow; }
};

class ComputationFill {
public:
    // Application directory + "xycharte.def" in English, else "xychartg.def".
    static QString templatePath(const ProgramState& state);

    // Reads the computation template into the grid. When the template is
    // missing or unreadable the grid is reset to the built-in reference
    // layout (never left holding the previous fill); returns whether the
    // template was read.
    static bool loadTemplate(sheet::Spreadsheet& computationGrid, const ProgramState& state);

    // Empties the grid and puts the built-in reference layout into it.
    static void resetToReferenceLayout(sheet::Spreadsheet& computationGrid, platform::Language language);

    // Copies the import rows startRow..endRow (inclusive) into the grid,
    // which must hold the template: inserts rows at row 17 and fills row 16
    // down over them, copies the rows whose used value cells are all numeric
    // (cell type 1 or -1) as their displayed texts, and clears the formula
    // rows that got no data together with the template's end row. A span
    // whose end lies before its start copies nothing and leaves the grid's
    // data block empty. A span of more than kMaxDataRows rows throws
    // TooManyRowsError before the grid is touched. Errors of the spreadsheet
    // component propagate.
    static FillResult copyRows(sheet::Spreadsheet& computationGrid, const ProgramState& state,
                               std::int32_t startRow, std::int32_t endRow);

    // loadTemplate, then copyRows; a span too long for the grid throws
    // TooManyRowsError before the template is loaded.
    static FillResult run(sheet::Spreadsheet& computationGrid, const ProgramState& state,
                          std::int32_t startRow, std::int32_t endRow);
};

}  // namespace chart
