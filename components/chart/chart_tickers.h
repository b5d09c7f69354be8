// Axis tickers of the chart: the category ticker of the x axis, which shows
// the row labels thinned to what fits, and the value ticker of the y axis,
// which puts ticks exactly on the fixed divisions or on nice automatic steps
// and writes tick labels with the chart's decimal separator.
#pragma once

#include <qcustomplot.h>

#include <functional>

namespace chartcomponent {

class CategoryTicker : public QCPAxisTicker {
public:
    explicit CategoryTicker(QCPAxis* axis) : m_axis(axis) {}

    // rowCount categories at positions 1..rowCount; label(p) is the text of category p.
    void setCategories(int rowCount, std::function<QString(int)> label);
    // Axis width in pixels the last tick generation assumed; the plot lays
    // itself out again when the final width differs.
    int usedAxisWidth() const { return m_usedAxisWidth; }

    void generate(const QCPRange& range, const QLocale& locale, QChar formatChar, int precision,
                  QVector<double>& ticks, QVector<double>* subTicks, QVector<QString>* tickLabels) override;

private:
    QCPAxis* m_axis;
    int m_rowCount = 0;
    std::function<QString(int)> m_label;
    int m_usedAxisWidth = -1;
};

class ValueTicker : public QCPAxisTicker {
public:
    // Fixed: ticks exactly at minimum + i * (maximum - minimum) / majorDivisions
    // with minorDivisions - 1 sub-ticks between them; otherwise automatic.
    void setFixedDivisions(bool fixed, int majorDivisions, int minorDivisions);
    void setDecimalSeparator(QChar separator) { m_separator = separator; }

    void generate(const QCPRange& range, const QLocale& locale, QChar formatChar, int precision,
                  QVector<double>& ticks, QVector<double>* subTicks, QVector<QString>* tickLabels) override;

private:
    bool m_fixed = false;
    int m_major = 5;
    int m_minor = 1;
    QChar m_separator = QChar('.');
};

// Tick labels: just enough decimals to tell neighbouring ticks apart (an
// exact form within two more decimals is preferred); trailing zeros dropped.
QVector<QString> formatTickLabels(const QVector<double>& ticks, double step, QChar separator);

}  // namespace chartcomponent
