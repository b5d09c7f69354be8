// The control chart and comparison commands; see chart_commands.h.
#include "chart/chart_commands.h"

#include "chart/chart_job.h"
#include "chart/column_letters.h"
#include "chart/program_state.h"
#include "components/sheet/spreadsheet.h"

#include <cmath>
#include <limits>

namespace chart {

namespace {

// A decimal integer as the row fields take it; blanks around it are allowed.
bool parseInteger(const QString& text, int& value)
{
    bool ok = false;
    const int parsed = text.trimmed().toInt(&ok, 10);
    if (ok)
        value = parsed;
    return ok;
}

// The columns a selection range covers. A range over whole rows or the whole
// sheet reports -1 as its columns; it stands for every used column.
void rangeColumns(const sheet::Spreadsheet& grid, const sheet::Range& range, int& first, int& last)
{
    first = range.col1;
    last = range.col2;
    if (first < 1 && last < 1) {
        first = 1;
        last = grid.lastCol();
    }
}

// Step 6 of both commands: columns in range order, within a range left to
// right, duplicates kept, at most slotCount of them from the first
// slotCount ranges.
void collectColumns(const sheet::Spreadsheet& grid, int* columnSlots, int slotCount)
{
    int remainingRanges = grid.selectionCount();
    int filled = 0;
    for (int r = 0; r < slotCount && remainingRanges > 0; ++r) {
        const sheet::Range range = grid.selection(r);
        int a = 0, b = 0;
        rangeColumns(grid, range, a, b);
        if (b >= a) {
            for (int c = a; c <= b; ++c) {
                columnSlots[filled++] = c;
                if (filled == slotCount) {
                    remainingRanges = 0;
                    break;
                }
            }
        }
        if (remainingRanges > 0)
            --remainingRanges;
    }
}

bool runCommand(ProgramState& state, const ChartCommandFields& fields, int* columnSlots, int slotCount)
{
    sheet::Spreadsheet& importGrid = *state.importGrid;
    if (importGrid.lastCol() == 0 && importGrid.lastRow() == 0)
        return false;  // empty grid: nothing at all happens

    ChartJob& job = state.job;
    readRowRange(job, importGrid, fields.firstRowText, fields.lastRowText, fields.headerRowText);
    for (int i = 0; i < slotCount; ++i)
        columnSlots[i] = 0;
    job.xColumn = 0;

    job.xColumn = readXColumn(*state.scratchGrid, fields.xColumnText);
    collectColumns(importGrid, columnSlots, slotCount);
    if (columnSlots[0] <= 0)
        return false;

    job.chartTitle = buildChartTitle(job, importGrid, *state.scratchGrid, fields.titleText,
                                     fields.titleCaption, columnSlots, slotCount);
    return true;
}

}  // namespace

ChartCommandFields chartCommandFieldsOf(const QString& firstRow, const QString& lastRow, const QString& headerRow,
                                        const QString& xColumn, const QString& title, const QString& titleCaption)
{
    ChartCommandFields fields;
    fields.firstRowText = firstRow;
    fields.lastRowText = lastRow;
    fields.headerRowText = headerRow;
    fields.xColumnText = xColumn;
    fields.titleText = title;
    fields.titleCaption = titleCaption;
    return fields;
}

void readRowRange(ChartJob& job, const sheet::Spreadsheet& importGrid, const QString& firstRowText,
                  const QString& lastRowText, const QString& headerRowText)
{
    int first = 1;
    if (!parseInteger(firstRowText, first))
        first = 1;
    // Rows below 1 do not exist in the grid; the chart windows would ask for them.
    if (first < 1)
        first = 1;
    job.firstDataRow = first;
    job.lastDataRow = importGrid.lastRow();
    if (job.lastDataRow < job.firstDataRow)
        job.firstDataRow = job.lastDataRow;

    int end = 0;
    if (!parseInteger(lastRowText, end))
        end = 0;
    // An end row at or beyond the grid's last row, or at or before the first row, is ignored.
    if (end > 0 && end < job.lastDataRow && end > job.firstDataRow)
        job.lastDataRow = end;

    int header = 0;
    if (!parseInteger(headerRowText, header))
        header = 0;
    job.headerRow = header;
    if (job.firstDataRow == 1)
        job.headerRow = 0;
}

int scratchEvaluate(sheet::Spreadsheet& scratchGrid, int column, const QString& formula)
{
    scratchGrid.setFormula(1, column, formula);
    const sheet::CellValue result = scratchGrid.value(1, column);
    if (result.kind == sheet::CellKind::Error)
        throw sheet::SheetError(QStringLiteral("%1: %2").arg(formula, sheet::errorName(result.error)));
    if (result.kind != sheet::CellKind::Number || !std::isfinite(result.number))
        throw sheet::SheetError(QStringLiteral("%1: kein Zahlenwert").arg(formula));
    const double truncated = std::trunc(result.number);
    if (truncated < std::numeric_limits<int>::min() || truncated > std::numeric_limits<int>::max())
        throw sheet::SheetError(QStringLiteral("%1: Zahl zu groß").arg(formula));
    return static_cast<int>(truncated);
}

int readXColumn(sheet::Spreadsheet& scratchGrid, const QString& xColumnText)
{
    if (xColumnText.isEmpty())
        return 0;
    try {
        if (xColumnText.startsWith(QLatin1Char('$'))) {
            const QString letters = xColumnText.mid(1);
            return scratchEvaluate(scratchGrid, 1, QStringLiteral("COLUMN(") + letters + QStringLiteral("1)"));
        }
        int column = 0;
        if (!parseInteger(xColumnText, column))
            return 0;
        return column;
    } catch (const sheet::SheetError&) {
        return 0;
    }
}

QString buildChartTitle(const ChartJob& job, sheet::Spreadsheet& importGrid, sheet::Spreadsheet& scratchGrid,
                        const QString& titleText, const QString& titleCaption,
                        const int* columns, int slotCount)
{
    if (!titleText.isEmpty() && titleText.startsWith(QLatin1Char('$'))) {
        const QString reference = titleText.mid(1);
        try {
            const int col = scratchEvaluate(scratchGrid, 2, QStringLiteral("COLUMN(") + reference + QLatin1Char(')'));
            const int row = scratchEvaluate(scratchGrid, 3, QStringLiteral("ROW(") + reference + QLatin1Char(')'));
            if (row < 1 || col < 1)
                return titleText;
            return importGrid.text(row, col);
        } catch (const sheet::SheetError&) {
            return titleText;  // the typed text, "$" included
        }
    }
    if (!titleText.isEmpty())
        return titleText;

    QString title = titleCaption + QLatin1Char(' ');
    for (int i = 0; i < slotCount; ++i) {
        const int c = columns[i];
        if (c <= 0)
            continue;
        if (job.headerRow <= 0) {
            const QString letters = columnLetters(c);
            if (letters.isEmpty())
                continue;  // columns beyond IV have no name, and get no "/" either
            title += letters + QLatin1Char('/');
        } else {
            title += importGrid.text(job.headerRow, c) + QLatin1Char('/');
        }
    }
    title.chop(1);  // the final "/" (or the appended blank when nothing was named)
    return title;
}

bool runControlChartCommand(ProgramState& state, const ChartCommandFields& fields)
{
    return runCommand(state, fields, state.job.valueColumns.data(), int(state.job.valueColumns.size()));
}

bool runComparisonCommand(ProgramState& state, const ChartCommandFields& fields)
{
    return runCommand(state, fields, state.job.compareColumns.data(), int(state.job.compareColumns.size()));
}

}  // namespace chart
