// Benchmarks of the comparison window on 5 compared columns of 1,000,000
// rows, the chart drawn (replot) inside the timing:
//   Activation        activate over the whole range: read the five columns, hand them over, draw
//   ReleaseNarrowed   a release on the left handle after a 50-pixel pull (about 93 % of the rows)
//   ReleaseFifth      a release on the inner window of a bar narrowed to a fifth of the track
#include "chart/program_state.h"
#include "chart/widgets/range_selector_bar.h"
#include "compare/widgets/comparison_window.h"
#include "components/chart/chart_view.h"
#include "components/sheet/spreadsheet.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

namespace {

constexpr int kRows = 1000000;

struct Workload {
    sheet::Spreadsheet importGrid;
    chart::ProgramState state;
    std::unique_ptr<ComparisonWindow> window;

    Workload()
    {
        importGrid.setDecimalSeparator(QLatin1Char('.'));
        for (int r = 1; r <= kRows; ++r) {
            const std::int64_t n = r;
            const double base = 25.0 + 0.001 * double((n * 7919) % 23);
            importGrid.setNumber(r, 1, r);
            for (int c = 2; c <= 6; ++c)
                importGrid.setNumber(r, c, base + 0.002 * double((n * (104729 + c)) % (c + 3)));
        }
        state.language = platform::Language::English;
        state.applicationDirectory = QStringLiteral(PLOTWISE_SOURCE_DATA_DIR "/");
        state.importGrid = &importGrid;
        state.job.compareColumns = {2, 3, 4, 5, 6};
        state.job.firstDataRow = 1;
        state.job.lastDataRow = kRows;
        state.job.chartTitle = QStringLiteral("Benchmark");
        window = std::make_unique<ComparisonWindow>(state);
        window->setInformationNotifier([](const QString&, const QString&) {});
        window->resize(769, 480);
        window->show();
        QApplication::processEvents();
    }
};

// Built on first use and destroyed in main() while the application object
// still exists: a window destroyed after it, at exit, crashed.
std::unique_ptr<Workload>& workloadSlot()
{
    static std::unique_ptr<Workload> w;
    return w;
}

Workload& workload()
{
    if (!workloadSlot()) workloadSlot() = std::make_unique<Workload>();
    return *workloadSlot();
}

void Activation(benchmark::State& bench)
{
    Workload& w = workload();
    for (auto _ : bench) {
        bench.PauseTiming();
        w.window->rangeBar()->selectWholeTrack();
        bench.ResumeTiming();
        w.window->activate();
        w.window->chartComponent()->replot();
    }
    bench.counters["points"] = double(w.window->chartComponent()->rowCount());
}

void ReleaseNarrowed(benchmark::State& bench)
{
    Workload& w = workload();
    RangeSelectorBar* bar = w.window->rangeBar();
    for (auto _ : bench) {
        bench.PauseTiming();
        w.window->redrawWholeRange();
        w.window->chartComponent()->replot();
        bar->handlePressed(3);
        w.window->leftHandleDragged(53);
        bench.ResumeTiming();
        w.window->leftHandleReleased(3);
        w.window->chartComponent()->replot();
    }
    bench.counters["points"] = double(w.window->chartComponent()->rowCount());
}

void ReleaseFifth(benchmark::State& bench)
{
    Workload& w = workload();
    RangeSelectorBar* bar = w.window->rangeBar();
    w.window->redrawWholeRange();
    bar->handlePressed(0);
    w.window->rightHandleDragged(-(bar->width() * 4 / 5));
    w.window->rightHandleReleased(0);
    for (auto _ : bench) {
        bar->innerWindowPressed(10);
        w.window->innerWindowDragged(20);
        w.window->innerWindowReleased(10);
        w.window->chartComponent()->replot();
        bench.PauseTiming();
        bar->innerWindowPressed(20);
        w.window->innerWindowDragged(10);
        w.window->innerWindowReleased(10);
        bench.ResumeTiming();
    }
    bench.counters["points"] = double(w.window->chartComponent()->rowCount());
}

BENCHMARK(Activation)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ReleaseNarrowed)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ReleaseFifth)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    workloadSlot().reset();
    return 0;
}
