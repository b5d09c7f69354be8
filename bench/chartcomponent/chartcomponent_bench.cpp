// Benchmarks of the chart component: a million rows set through the bulk API
// and drawn to a 1000 x 600 image offscreen, for one series and for the
// seven series of a mean chart with the control-chart look; and a redraw
// after a change of look, which reuses the plot's copies of the data.
#include "bench/chartcomponent/sample_control_chart.h"
#include "components/chart/chart_view.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <benchmark/benchmark.h>

using chartcomponent::ChartView;

namespace {

constexpr int kWidth = 1000;
constexpr int kHeight = 600;

void setAndDraw(benchmark::State& state, int seriesCount) {
    const int rows = int(state.range(0));
    const SampleControlChart sample = makeSampleControlChart(rows);
    ChartView chart;
    chart.resize(kWidth, kHeight);
    chart.loadSettings(QStringLiteral(PLOTWISE_SOURCE_DATA_DIR "/ctadefault.vtc"));
    chart.setValueScale(sample.axisMinimum, sample.axisMaximum, 8, 1);
    for (auto _ : state) {
        state.PauseTiming();
        auto series = sample.series;  // the caller's arrays, handed over by move
        QStringList labels = sample.labels;
        state.ResumeTiming();
        chart.setColumnCount(seriesCount);
        chart.setRowCount(rows);
        for (int s = 0; s < seriesCount; ++s) chart.setColumnValues(s + 1, std::move(series[std::size_t(s)]));
        chart.setRowLabels(std::move(labels));
        const QImage image = chart.toImage(kWidth, kHeight);
        benchmark::DoNotOptimize(image.constBits());
        state.PauseTiming();
        chart.setRowCount(0);  // the next round sets every value anew
        state.ResumeTiming();
    }
    state.counters["points"] = double(rows) * seriesCount;
}

void BM_SetAndDraw_1Series(benchmark::State& state) { setAndDraw(state, 1); }
void BM_SetAndDraw_7Series(benchmark::State& state) { setAndDraw(state, 7); }

// The seven series of the sample mean chart, set with the control-chart look.
void showSample(ChartView& chart, const SampleControlChart& sample, int rows) {
    chart.resize(kWidth, kHeight);
    chart.loadSettings(QStringLiteral(PLOTWISE_SOURCE_DATA_DIR "/ctadefault.vtc"));
    chart.setColumnCount(7);
    chart.setRowCount(rows);
    for (int s = 0; s < 7; ++s) chart.setColumnValues(s + 1, sample.series[std::size_t(s)]);
    chart.setRowLabels(sample.labels);
}

void BM_RedrawAfterLookChange_7Series(benchmark::State& state) {
    const int rows = int(state.range(0));
    SampleControlChart sample = makeSampleControlChart(rows);
    ChartView chart;
    showSample(chart, sample, rows);
    chart.toImage(kWidth, kHeight);
    bool grid = false;
    for (auto _ : state) {
        chart.setLook([&] { auto look = chart.look(); look.xGridLines = (grid = !grid); return look; }());
        const QImage image = chart.toImage(kWidth, kHeight);
        benchmark::DoNotOptimize(image.constBits());
    }
}

// A finished 1,000-point mean chart saved as a 1200 x 600 PNG, as
// plotwise-report writes each chart: rendering and encoding.
void BM_SavePng_7Series(benchmark::State& state) {
    const int rows = int(state.range(0));
    SampleControlChart sample = makeSampleControlChart(rows);
    ChartView chart;
    showSample(chart, sample, rows);
    chart.setValueScale(sample.axisMinimum, sample.axisMaximum, 8, 1);
    const QString path = QDir::temp().filePath(QStringLiteral("plotwise_png_bench.png"));
    for (auto _ : state) chart.saveImage(path, QStringLiteral("png"), 1200, 600);
    QFile::remove(path);
}

}  // namespace

BENCHMARK(BM_SetAndDraw_1Series)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SetAndDraw_7Series)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SavePng_7Series)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawAfterLookChange_7Series)->Arg(1000000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
