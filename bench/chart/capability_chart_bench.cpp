// The capability chart over 1,000,000 rows x 3 values: building its data
// (histogram, curves, lines) and drawing it into the chart component
// offscreen, the indices and the normality test computed beforehand.
#include "capability/capability_figures.h"
#include "capability/normality_test.h"
#include "chart/capability_chart.h"
#include "chart/program_state.h"
#include "components/chart/chart_view.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

namespace {

void buildAndDraw(benchmark::State& state)
{
    std::mt19937_64 engine(42);
    std::normal_distribution<double> gauge(10.0, 0.2);
    std::vector<double> values(std::size_t(state.range(0)) * 3);
    for (double& v : values)
        v = std::round(gauge(engine) * 1000.0) / 1000.0;
    const capability::SpecificationLimits limits{9.4, 10.7, 10.05};
    const auto figures = capability::computeCapability(values, 3, limits);
    const auto normality = capability::testNormality(values);
    chart::ProgramState programState;
    programState.applicationDirectory = QStringLiteral(PLOTWISE_SOURCE_DATA_DIR "/");
    chartcomponent::ChartView view;
    view.resize(1000, 600);
    for (auto _ : state) {
        const auto data = chart::buildCapabilityChartData(values, figures, normality, limits,
                                                          platform::Language::English, u'.');
        chart::drawCapabilityChart(view, data, programState);
        const QImage image = view.toImage(1000, 600);
        benchmark::DoNotOptimize(image.constBits());
    }
}

}  // namespace

BENCHMARK(buildAndDraw)->Arg(1000000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
