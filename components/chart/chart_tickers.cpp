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

namespace {

QString tickText(double tick, int decimals, double step)
{
    if (step > 0 && std::abs(tick) < step * 1e-9) tick = 0;  // no "-0" or "1e-17" at the origin
    QString text = QString::number(tick, 'f', decimals);
    if (text.startsWith(QChar('-')) && text.mid(1).remove(QChar('0')).remove(QChar('.')).isEmpty())
        text.remove(0, 1);
    return text;
}

bool allExact(const QVector<double>& ticks, int decimals, double step)
{
    const double scale = std::pow(10.0, decimals);
    return std::all_of(ticks.cbegin(), ticks.cend(), [&](double t) {
        return std::abs(std::round(t * scale) / scale - t) <= step * 1e-6;
    });
}

bool neighboursDiffer(const QVector<double>& ticks, int decimals, double step)
{
    for (qsizetype i = 1; i < ticks.size(); ++i)
        if (tickText(ticks[i - 1], decimals, step) == tickText(ticks[i], decimals, step)) return false;
    return true;
}

// The fewest decimals that tell neighbouring ticks apart and round each by
// at most a quarter of the step; an exact form within two more decimals is
// preferred (0.25 rather than 0.3 on a step of 0.25).
int tickDecimals(const QVector<double>& ticks, double step)
{
    constexpr int kMostDecimals = 15;
    if (!(step > 0) || !std::isfinite(step)) return 0;
    if (ticks.size() < 2) {
        const int most = std::clamp(3 - int(std::floor(std::log10(step))), 0, kMostDecimals);
        int decimals = 0;
        while (decimals < most && !allExact(ticks, decimals, step)) ++decimals;
        return decimals;
    }
    int distinct = 0;
    while (distinct < kMostDecimals && 0.5 * std::pow(10.0, -distinct) > step / 4) ++distinct;
    while (distinct < kMostDecimals && !neighboursDiffer(ticks, distinct, step)) ++distinct;
    for (int d = distinct; d <= std::min(distinct + 2, kMostDecimals); ++d)
        if (allExact(ticks, d, step)) return d;
    return distinct;
}

}  // namespace

QVector<QString> formatTickLabels(const QVector<double>& ticks, double step, QChar separator) {
    const int decimals = tickDecimals(ticks, step);
    // Rounded labels keep one width; exact ones lose their trailing zeros (0.5, 1, 1.5).
    const bool exact = allExact(ticks, decimals, step);
    QVector<QString> labels;
    labels.reserve(ticks.size());
    for (double tick : ticks) {
        QString text = tickText(tick, decimals, step);
        if (exact && text.contains(QChar('.'))) {
            while (text.endsWith(QChar('0'))) text.chop(1);
            if (text.endsWith(QChar('.'))) text.chop(1);
        }
        if (separator != QChar('.')) text.replace(QChar('.'), separator);
        labels.append(text);
    }
    return labels;
}

}  // namespace chartcomponent
