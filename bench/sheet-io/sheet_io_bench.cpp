// Benchmarks of the native workbook file with a sheet the size of a large
// import: 1,048,576 rows x 4 columns (row number, three measurements with
// two decimals), about 4.2 million cells; and the same sheet as ".xlsx".
// Run by hand; figures go to
// docs/performance.md under "Workbook files".
#include "components/sheet/workbook_file.h"
#include "components/sheet/xlsx_writer.h"
#include "components/sheet/spreadsheet.h"
#include "components/sheet/number_format.h"

#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include <cmath>

namespace {

constexpr int kRows = 1048576;

sheet::WorkbookData measurementBook(int rows)
{
    sheet::WorkbookData data;
    sheet::SheetData s{QStringLiteral("Messwerte"), {}};
    s.cells.reserve(size_t(rows) * 4);
    for (int r = 1; r <= rows; ++r) {
        sheet::CellData a;
        a.row = r;
        a.col = 1;
        a.kind = sheet::CellKind::Number;
        a.number = r;
        s.cells.push_back(a);
        for (int c = 2; c <= 4; ++c) {
            sheet::CellData v = a;
            v.col = c;
            // Two-decimal measurements around 20, as a gauge delivers them.
            v.number = std::round((20.0 + 3.0 * std::sin(r * 0.37 + c)) * 100.0) / 100.0;
            s.cells.push_back(v);
        }
    }
    data.sheets.push_back(std::move(s));
    return data;
}

void BM_WriteNative(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.vts"));
    const sheet::WorkbookData data = measurementBook(kRows);
    for (auto _ : state)
        sheet::writeNativeWorkbook(path, data);
    state.counters["cells"] = double(data.sheets[0].cells.size());
    state.counters["MB"] = double(QFileInfo(path).size()) / 1e6;
}
BENCHMARK(BM_WriteNative)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ReadNative(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.vts"));
    sheet::writeNativeWorkbook(path, measurementBook(kRows));
    size_t cells = 0;
    for (auto _ : state) {
        const sheet::WorkbookData data = sheet::readNativeWorkbook(path);
        cells = data.sheets[0].cells.size();
        benchmark::DoNotOptimize(cells);
    }
    state.counters["cells"] = double(cells);
}
BENCHMARK(BM_ReadNative)->Unit(benchmark::kMillisecond)->Iterations(3);

// The whole path of opening a workbook: file to snapshot to the grid.
void BM_BookReadNative(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.vts"));
    sheet::writeNativeWorkbook(path, measurementBook(kRows));
    for (auto _ : state) {
        sheet::Spreadsheet book;
        book.read(path);
        benchmark::DoNotOptimize(book.lastRow());
    }
}
BENCHMARK(BM_BookReadNative)->Unit(benchmark::kMillisecond)->Iterations(3);

// Saving the grid: snapshot and file.
void BM_BookWriteNative(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.vts"));
    sheet::writeNativeWorkbook(path, measurementBook(kRows));
    sheet::Spreadsheet book;
    book.read(path);
    for (auto _ : state)
        book.write(path, sheet::FileFormat::Native);
}
BENCHMARK(BM_BookWriteNative)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_WriteXlsx(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.xlsx"));
    const sheet::WorkbookData data = measurementBook(kRows);
    for (auto _ : state)
        sheet::writeXlsx(path, data);
    state.counters["MB"] = double(QFileInfo(path).size()) / 1e6;
}
BENCHMARK(BM_WriteXlsx)->Unit(benchmark::kMillisecond)->Iterations(1);

// Display texts: the control chart copies three displayed values per data row.
void BM_FormatNumber(benchmark::State& state, const char* format)
{
    const QString code = QString::fromLatin1(format);
    double v = 20.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(sheet::formatNumber(v, code, QLatin1Char(',')));
        v += 0.01;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK_CAPTURE(BM_FormatNumber, General, "General");
BENCHMARK_CAPTURE(BM_FormatNumber, Fixed, "#,##0.00");
BENCHMARK_CAPTURE(BM_FormatNumber, Date, "dd.mm.yyyy hh:mm");

void BM_ParseNumberText(benchmark::State& state)
{
    const QString text = QStringLiteral("25.013");
    double v = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(sheet::parseNumberText(text, QLatin1Char(','), &v));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ParseNumberText);

}  // namespace

BENCHMARK_MAIN();
