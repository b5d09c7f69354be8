// Speed of the on-screen grid with a million rows: opening a view and showing
// its last rows, one scrolled frame, cell writes while a view listens, and
// printing to PDF. Runs offscreen unless a platform is chosen.
#include "components/sheetview/print_layout.h"
#include "components/sheetview/sheet_model.h"
#include "components/sheetview/sheet_view.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QPdfWriter>
#include <QRandomGenerator>
#include <QTableView>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

namespace {

constexpr int kRows = 1000000;
constexpr int kCols = 4;

// The imported grid every case looks at, filled once.
sheet::Spreadsheet& millionRowBook()
{
    static std::unique_ptr<sheet::Spreadsheet> book = [] {
        auto b = std::make_unique<sheet::Spreadsheet>();
        for (int row = 1; row <= kRows; ++row)
            for (int col = 1; col <= kCols; ++col)
                b->setNumber(row, col, row * 0.001 + col);
        b->setNumberFormat(1, 2, kRows, 2, "0.00");
        return b;
    }();
    return *book;
}

long residentKiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLong() * 4 : 0;
}

void BM_OpenViewAndShowLastRows(benchmark::State& state)
{
    sheet::Spreadsheet& book = millionRowBook();
    long grown = 0;
    for (auto _ : state) {
        const long before = residentKiB();
        sheetview::SheetView view(book);
        view.resize(900, 600);
        view.show();
        QCoreApplication::processEvents();
        view.tableView()->scrollToBottom();
        const QPixmap frame = view.tableView()->viewport()->grab();
        benchmark::DoNotOptimize(frame.cacheKey());
        grown = std::max(grown, residentKiB() - before);
    }
    state.counters["view_KiB"] = double(grown);
}
BENCHMARK(BM_OpenViewAndShowLastRows)->Unit(benchmark::kMillisecond);

void BM_ScrollOneFrame(benchmark::State& state)
{
    sheet::Spreadsheet& book = millionRowBook();
    sheetview::SheetView view(book);
    view.resize(900, 600);
    view.show();
    QCoreApplication::processEvents();
    QTableView* table = view.tableView();
    auto* random = QRandomGenerator::global();
    for (auto _ : state) {
        const int row = random->bounded(kRows);
        table->scrollTo(table->model()->index(row, 0), QAbstractItemView::PositionAtTop);
        const QPixmap frame = table->viewport()->grab();
        benchmark::DoNotOptimize(frame.cacheKey());
    }
}
BENCHMARK(BM_ScrollOneFrame)->Unit(benchmark::kMillisecond);

// A million cell writes (an import's worth), without (0) and with (1) a view
// listening to the book; the view's one update afterwards is included.
void BM_CellWrites(benchmark::State& state)
{
    const bool withView = state.range(0) != 0;
    constexpr int kWrites = 1000000;
    for (auto _ : state) {
        state.PauseTiming();
        auto book = std::make_unique<sheet::Spreadsheet>();
        std::unique_ptr<sheetview::SheetView> view;
        if (withView) {
            view = std::make_unique<sheetview::SheetView>(*book);
            view->show();
            QCoreApplication::processEvents();
        }
        state.ResumeTiming();
        for (int row = 1; row <= kWrites; ++row)
            book->setNumber(row, 1, row);
        QCoreApplication::processEvents();
        state.PauseTiming();
        view.reset();
        book.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kWrites);
}
BENCHMARK(BM_CellWrites)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Printing the first rows of the grid to PDF (in memory).
void BM_PrintToPdf(benchmark::State& state)
{
    const int rows = int(state.range(0));
    sheet::Spreadsheet book;
    for (int row = 1; row <= rows; ++row)
        for (int col = 1; col <= kCols; ++col)
            book.setNumber(row, col, row * 0.001 + col);
    int pages = 0;
    qint64 bytes = 0;
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        pages = sheetview::paintBook(book, &writer);
        bytes = buffer.size();
    }
    state.counters["pages"] = pages;
    state.counters["pdf_KiB"] = double(bytes) / 1024.0;
}
BENCHMARK(BM_PrintToPdf)->Arg(1000)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
