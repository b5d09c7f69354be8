// Tick generation for the chart's two axes.
#include "components/chart/chart_tickers.h"

#include "components/chart/label_thinning.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace chartcomponent {

void CategoryTicker::setCategories(int rowCount, std::function<QString(int)> label) {
    m_rowCount = rowCount;
    m_label = std::move(label);
}

void CategoryTicker::generate(const QCPRange& range, const QLocale&, QChar, int, QVector<double>& ticks,
                              QVector<double>* subTicks, QVector<QString>* tickLabels) {
    ticks.clear();
    if (subTicks) subTicks->clear();
    if (tickLabels) tickLabels->clear();
    m_usedAxisWidth = m_axis->axisRect() ? m_axis->axisRect()->width() : 0;
    const int first = std::max(1, int(std::ceil(std::max(range.lower, -2e9) - 1e-9)));
    const int last = std::min(m_rowCount, int(std::floor(std::min(range.upper, 2e9) + 1e-9)));
    if (last < first || !m_label) return;

    const QFontMetricsF metrics(m_axis->tickLabelFont());
    const double pixelsPerCategory = m_usedAxisWidth / range.size();
    const double gap = std::max(8.0, metrics.averageCharWidth() * 1.5);
    const std::vector<int> shown = thinCategoryLabels(
        first, last, pixelsPerCategory, [&](int p) { return metrics.horizontalAdvance(m_label(p)); }, gap);
    ticks.reserve(qsizetype(shown.size()));
    for (int p : shown) {
        ticks.append(p);
        if (tickLabels) tickLabels->append(m_label(p));
    }
}

void ValueTicker::setFixedDivisions(bool fixed, int majorDivisions, int minorDivisions) {
    m_fixed = fixed;
    m_major = std::max(1, majorDivisions);
    m_minor = std::max(1, minorDivisions);
}

void ValueTicker::generate(const QCPRange& range, const QLocale& locale, QChar formatChar, int precision,
                           QVector<double>& ticks, QVector<double>* subTicks, QVector<QString>* tickLabels) {
    double step = 0;
    if (m_fixed) {
        ticks.clear();
        step = range.size() / m_major;
        for (int i = 0; i <= m_major; ++i)
            ticks.append(i == m_major ? range.upper : range.lower + step * i);
        if (subTicks) {
            subTicks->clear();
            for (int i = 0; i < m_major; ++i)
                for (int j = 1; j < m_minor; ++j) subTicks->append(ticks[i] + step * j / m_minor);
        }
    } else {
        QCPAxisTicker::generate(range, locale, formatChar, precision, ticks, subTicks, nullptr);
        step = ticks.size() >= 2 ? ticks[1] - ticks[0] : range.size();
    }
    if (tickLabels) *tickLabels = formatTickLabels(ticks, step, m_separator);
}

QVector<QString> formatTickLabels(const QVector<double>& ticks, double step, QChar separator) {
    int decimals = 0;
    if (step > 0 && std::isfinite(step)) {
        const int maxDecimals = std::clamp(3 - int(std::floor(std::log10(step))), 0, 15);
        for (decimals = 0; decimals < maxDecimals; ++decimals) {
            const double scale = std::pow(10.0, decimals);
            const bool exact = std::all_of(ticks.cbegin(), ticks.cend(), [&](double t) {
                return std::abs(std::round(t * scale) / scale - t) <= step * 1e-6;
            });
            if (exact) break;
        }
    }
    QVector<QString> labels;
    labels.reserve(ticks.size());
    for (double tick : ticks) {
        if (step > 0 && std::abs(tick) < step * 1e-9) tick = 0;  // no "-0" or "1e-17" at the origin
        QString text = QString::number(tick, 'f', decimals);
        if (text.contains(QChar('.'))) {
            while (text.endsWith(QChar('0'))) text.chop(1);
            if (text.endsWith(QChar('.'))) text.chop(1);
        }
        if (text.startsWith(QChar('-')) && text.mid(1).remove(QChar('0')).remove(QChar('.')).isEmpty())
            text.remove(0, 1);
        if (separator != QChar('.')) text.replace(QChar('.'), separator);
        labels.append(text);
    }
    return labels;
}

}  // namespace chartcomponent
