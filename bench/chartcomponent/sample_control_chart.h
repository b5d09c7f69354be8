// Data shaped like a mean chart for the benchmark and the screenshots: row
// means around 10 with a drift, alarm markers at the axis top or bottom, and
// the five limit lines.
#pragma once

#include <QStringList>
#include <QVector>

#include <array>
#include <cmath>

struct SampleControlChart {
    std::array<QVector<double>, 7> series;
    QStringList labels;
    double axisMinimum = 0;
    double axisMaximum = 0;
};

inline SampleControlChart makeSampleControlChart(int rows) {
    SampleControlChart chart;
    const double centre = 10, sigma = 0.8;
    chart.axisMinimum = centre - 4 * sigma;
    chart.axisMaximum = centre + 4 * sigma;
    const double limits[5] = {centre - 3 * sigma, centre - 2 * sigma, centre, centre + 2 * sigma, centre + 3 * sigma};
    for (auto& s : chart.series) s.reserve(rows);
    chart.labels.reserve(rows);
    unsigned state = 12345;
    for (int r = 0; r < rows; ++r) {
        // A small deterministic pseudo-random walk with a few outliers.
        state = state * 1103515245u + 12345u;
        const double noise = (double((state >> 8) % 10000) / 10000.0 - 0.5) * 2.4 * sigma;
        const double drift = std::sin(r / 37.0) * 0.6 * sigma;
        double value = centre + noise + drift;
        if (r % 97 == 41) value = centre + 3.3 * sigma;
        chart.series[0].append(value);
        const bool alarm = value > limits[4] || value < limits[0];
        chart.series[1].append(alarm ? chart.axisMaximum : chart.axisMinimum);
        for (int s = 2; s < 7; ++s) chart.series[std::size_t(s)].append(limits[s - 2]);
        chart.labels.append(QString::number(r + 1));
    }
    return chart;
}
