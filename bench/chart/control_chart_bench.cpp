// Benchmarks of the control chart window's handlers on large imports, with
// the shipped computation template and chart template and the chart drawn
// (replot) inside the timing:
//   Activation/N     activate over an N-row visible span (3 value columns)
//   BarRelease       a release on the bar that redraws a 10,000-row span of 1,000,000 rows
//   RangeButton/N, DifferenceButton/N   redraw from an N-row computation grid
#include "chart/chart_kind_draw.h"
#include "chart/widgets/control_chart_window.h"
#include "components/sheet/spreadsheet.h"
#include "chart/program_state.h"
#include "chart/widgets/range_selector_bar.h"
#include "components/chart/chart_view.h"

#include <QApplication>
#include <QElapsedTimer>
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

// One import grid per size, built once: three value columns of plausible measurements.
struct Workload {
    sheet::Spreadsheet importGrid;
    sheet::Spreadsheet statisticsGrid;
    sheet::Spreadsheet scratchGrid;
    chart::ProgramState state;
    std::unique_ptr<ControlChartWindow> window;

    explicit Workload(int rows)
    {
        importGrid.setDecimalSeparator(QLatin1Char('.'));
        for (int r = 1; r <= rows; ++r) {
            const double base = 25.0 + 0.001 * ((r * 7919) % 23);
            importGrid.setNumber(r, 1, r);
            importGrid.setNumber(r, 2, base);
            importGrid.setNumber(r, 3, base + 0.002 * ((r * 104729) % 5));
            importGrid.setNumber(r, 4, base - 0.001 * ((r * 1299709) % 7));
        }
        state.language = platform::Language::English;
        state.applicationDirectory = QStringLiteral(PLOTWISE_SOURCE_DATA_DIR "/");
        state.importGrid = &importGrid;
        state.statisticsGrid = &statisticsGrid;
        state.scratchGrid = &scratchGrid;
        state.job.valueColumns = {2, 3, 4};
        state.job.firstDataRow = 1;
        state.job.lastDataRow = rows;
        state.job.chartTitle = QStringLiteral("Benchmark");
        window = std::make_unique<ControlChartWindow>(state);
        window->setInformationNotifier([](const QString&, const QString&) {});
        window->resize(736, 627);
        window->show();
        QApplication::processEvents();
    }
};

// The workloads built so far; emptied before the application object goes,
// since their windows must not outlive it.
std::map<int, std::unique_ptr<Workload>>& workloads()
{
    static std::map<int, std::unique_ptr<Workload>> cache;
    return cache;
}

Workload& workload(int rows)
{
    auto& slot = workloads()[rows];
    if (!slot)
        slot = std::make_unique<Workload>(rows);
    return *slot;
}

void Activation(benchmark::State& bench)
{
    Workload& w = workload(int(bench.range(0)));
    for (auto _ : bench) {
        w.window->activate();
        w.window->chartComponent()->replot();
    }
    bench.counters["rows"] = double(w.window->lastComputationRow() - 15);
}
BENCHMARK(Activation)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BarRelease(benchmark::State& bench)
{
    Workload& w = workload(1000000);
    RangeSelectorBar* bar = w.window->rangeBar();
    const int track = bar->geometryModel().trackWidth();
    // A 50-pixel window (the narrowest the bar allows) holds about 7% of the
    // rows; place the span by hand instead: 10,000 rows from row 400,001.
    qint64 fillNs = 0, replotNs = 0;
    for (auto _ : bench) {
        bar->innerWindowPressed();
        w.window->innerWindowDragged(1);  // a move only shows Start and Ende
        bench.PauseTiming();
        bar->innerWindowReleased(0);
        bench.ResumeTiming();
        QElapsedTimer phase;
        phase.start();
        w.window->fillComputationGrid(400001, 410000);
        fillNs += phase.nsecsElapsed();
        phase.restart();
        w.window->chartComponent()->replot();
        replotNs += phase.nsecsElapsed();
    }
    // The two parts of a release, in milliseconds per release (wall).
    bench.counters["fill_ms"] = benchmark::Counter(double(fillNs) / 1e6 / double(bench.iterations()));
    bench.counters["replot_ms"] = benchmark::Counter(double(replotNs) / 1e6 / double(bench.iterations()));
    bench.counters["rows"] = double(w.window->lastComputationRow() - 15);
    bench.counters["track"] = track;
}
BENCHMARK(BarRelease)->Unit(benchmark::kMillisecond)->Iterations(20);

void ChartButton(benchmark::State& bench, int which)
{
    Workload& w = workload(int(bench.range(0)));
    if (w.window->lastComputationRow() - 15 != bench.range(0))
        w.window->activate();
    for (auto _ : bench) {
        if (which == 2)
            w.window->showRangeChart();
        else
            w.window->showDifferenceChart();
        w.window->chartComponent()->replot();
    }
}
void RangeButton(benchmark::State& bench) { ChartButton(bench, 2); }
void DifferenceButton(benchmark::State& bench) { ChartButton(bench, 3); }
BENCHMARK(RangeButton)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(DifferenceButton)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);

// The two halves of a chart button: reading the computation grid, and
// handing the data to the chart component and drawing it.
void KindData(benchmark::State& bench)
{
    Workload& w = workload(int(bench.range(0)));
    if (w.window->lastComputationRow() - 15 != bench.range(0))
        w.window->activate();
    const auto kind = static_cast<chart::ChartKind>(bench.range(1));
    for (auto _ : bench)
        benchmark::DoNotOptimize(chart::buildChartKindData(kind, w.window->computationGrid(),
                                                           w.window->lastComputationRow(), w.state));
}
BENCHMARK(KindData)->Args({1000000, 0})->Args({1000000, 1})->Args({1000000, 2})
    ->Unit(benchmark::kMillisecond)->Iterations(3);

void KindDraw(benchmark::State& bench)
{
    Workload& w = workload(int(bench.range(0)));
    if (w.window->lastComputationRow() - 15 != bench.range(0))
        w.window->activate();
    const auto kind = static_cast<chart::ChartKind>(bench.range(1));
    const chart::ChartKindData data = chart::buildChartKindData(kind, w.window->computationGrid(),
                                                                w.window->lastComputationRow(), w.state);
    for (auto _ : bench) {
        chart::applyChartKindData(*w.window->chartComponent(), data);
        w.window->chartComponent()->replot();
    }
}
BENCHMARK(KindDraw)->Args({1000000, 0})->Args({1000000, 1})->Args({1000000, 2})
    ->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    workloads().clear();
    return 0;
}
