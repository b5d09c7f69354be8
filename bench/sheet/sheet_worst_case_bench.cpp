// Work that once grew with the square of its input: circular formulas, a very
// long digit-grouping code and saving a sheet whose few cells lie far apart.
// Each case names its size; doubling it should about double the time. Run by
// hand; figures go to docs/performance.md under "Worst cases of the engine".
#include "components/sheet/number_format.h"
#include "components/sheet/spreadsheet.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

namespace {

// `rows` rows of A = B + row and B = A + 1, each cell its own formula: a true
// circular reference that runs the sweep to its pass limit.
void BM_CircularRows(benchmark::State& state)
{
    const int rows = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        sheet::Spreadsheet book;
        for (int row = 1; row <= rows; ++row) {
            book.setFormula(row, 1, "=B" + QString::number(row) + "+" + QString::number(row));
            book.setFormula(row, 2, "=A" + QString::number(row) + "+1");
        }
        state.ResumeTiming();
        benchmark::DoNotOptimize(book.value(rows, 1));
    }
    state.counters["cells"] = 2.0 * rows;
}
BENCHMARK(BM_CircularRows)->Arg(4000)->Arg(16000)->Unit(benchmark::kMillisecond)->Iterations(1);

// Entering the formulas of the case above: one-cell blocks appended to a column.
void BM_EnterOneCellFormulas(benchmark::State& state)
{
    const int rows = static_cast<int>(state.range(0));
    for (auto _ : state) {
        sheet::Spreadsheet book;
        for (int row = 1; row <= rows; ++row) book.setFormula(row, 1, "=B" + QString::number(row) + "+1");
        benchmark::DoNotOptimize(book.lastRow());
    }
}
BENCHMARK(BM_EnterOneCellFormulas)->Arg(16000)->Arg(64000)->Unit(benchmark::kMillisecond)->Iterations(1);

// "#,##" followed by `zeros` zeros.
void BM_GroupLongDigitRun(benchmark::State& state)
{
    const QString code = QStringLiteral("#,##") + QString(static_cast<int>(state.range(0)), QLatin1Char('0'));
    for (auto _ : state) benchmark::DoNotOptimize(sheet::formatNumber(1234567.0, code, QLatin1Char('.')));
}
BENCHMARK(BM_GroupLongDigitRun)->Arg(20000)->Arg(80000)->Unit(benchmark::kMillisecond);

// A1 and XFD1048576 only, saved natively.
void BM_SaveFarCorners(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("corners.vts"));
    sheet::Spreadsheet book;
    book.setNumber(1, 1, 1);
    book.setNumber(sheet::kMaxRows, sheet::kMaxCols, 2);
    for (auto _ : state) book.write(path, sheet::FileFormat::Native);
}
BENCHMARK(BM_SaveFarCorners)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
