// ChartView: the operations the chart windows call: look files, the data grid
// through the current cell, series positions, titles and the value scale.
// Every change only marks the chart for drawing; the drawing happens once
// per event-loop turn (see vtchart_render.cpp).
#include "components/chart/chart_view.h"

#include "components/chart/chart_plot.h"
#include "components/chart/chart_settings_dialog.h"
#include "components/chart/look_file.h"
#include "components/chart/number_text.h"

#include <QLocale>
#include <QResizeEvent>

#include <cmath>

namespace chartcomponent {

ChartView::ChartView(QWidget* parent)
    : QWidget(parent), m_look(ChartLook::defaults()), m_decimalSeparator(QLocale::system().decimalPoint().at(0)) {
    m_plot = new ChartPlot(this);
    m_plot->setGeometry(rect());
    m_plot->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_plot, &QCustomPlot::customContextMenuRequested, this, &ChartView::showContextMenu);
    connect(m_plot, &QCustomPlot::mouseDoubleClick, this, [this](QMouseEvent*) { showSettingsDialog(); });
    m_barsGroup = new QCPBarsGroup(m_plot);
    m_plot->categoryTicker().setCategories(0, {});
    scheduleReplot();
}

ChartView::~ChartView() = default;

void ChartView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_plot->setGeometry(rect());
    scheduleReplot();
}

// --- look ------------------------------------------------------------------

void ChartView::loadSettings(const QString& path) {
    setLook(readChartLookFile(path));
}

void ChartView::saveSettings(const QString& path) const {
    writeChartLookFile(path, m_look, columnCount());
}

void ChartView::setLook(const ChartLook& look) {
    m_look = look;
    scheduleReplot();
}

void ChartView::applyLookFromDialog(const ChartLook& look) {
    setLook(look);
    replot();
    emit changesApplied();
}

// --- data grid ---------------------------------------------------------------

void ChartView::setColumnCount(int columns) {
    m_data.setColumnCount(columns);
    scheduleReplot();
}

void ChartView::setRowCount(int rows) {
    m_data.setRowCount(rows);
    scheduleReplot();
}

void ChartView::setData(const QString& text) {
    const std::optional<double> value = parseChartNumber(text, m_decimalSeparator);
    if (!value)
        throw ChartError(QStringLiteral("chart cell (row %1, column %2): '%3' is not a number")
                             .arg(m_row).arg(m_column).arg(text));
    m_data.setValue(m_row, m_column, *value);
    scheduleReplot();
}

QString ChartView::data() const {
    return formatChartNumber(m_data.value(m_row, m_column), m_decimalSeparator);
}

void ChartView::setRowLabel(const QString& label) {
    m_data.setRowLabel(m_row, label);
    scheduleReplot();
}

QString ChartView::rowLabel() const { return m_data.rowLabel(m_row); }

void ChartView::setColumnLabel(const QString& label) {
    m_data.setColumnLabel(m_column, label);
    scheduleReplot();
}

QString ChartView::columnLabel() const { return m_data.columnLabel(m_column); }

void ChartView::setColumnValues(int column, QVector<double> values) {
    m_data.setColumnValues(column, std::move(values));
    scheduleReplot();
}

void ChartView::setRowLabels(QStringList labels) {
    m_data.setRowLabels(std::move(labels));
    scheduleReplot();
}

void ChartView::setRowLabelSource(std::function<QString(int)> source) {
    m_data.setRowLabelSource(std::move(source));
    scheduleReplot();
}

void ChartView::setRowNumberLabels(int firstNumber) {
    m_data.setRowNumberLabels(firstNumber);
    scheduleReplot();
}

// --- a numeric x axis ------------------------------------------------------------

void ChartView::setRowPositions(QVector<double> positions, double barWidth) {
    if (!positions.isEmpty()) {
        if (positions.size() != rowCount())
            throw ChartError(QStringLiteral("%1 row positions for %2 rows").arg(positions.size()).arg(rowCount()));
        for (qsizetype i = 0; i < positions.size(); ++i)
            if (!std::isfinite(positions[i]) || (i > 0 && positions[i] < positions[i - 1]))
                throw ChartError(QStringLiteral("row positions must be finite and ascending (row %1)").arg(i + 1));
    }
    if (!(barWidth > 0) || !std::isfinite(barWidth)) barWidth = 0.8;
    m_rowPositions = std::move(positions);
    m_barWidth = m_rowPositions.isEmpty() ? 0.8 : barWidth;
    m_graphCache.clear();  // the keys of every graph changed
    scheduleReplot();
}

void ChartView::setNoteText(const QString& text) {
    m_noteText = text;
    scheduleReplot();
}

// --- series positions ----------------------------------------------------------

void ChartView::checkSeries(int series) const {
    if (series < 1 || series > 100000)
        throw ChartError(QStringLiteral("chart series %1 does not exist (series count from 1)").arg(series));
}

void ChartView::setSeriesExcluded(int series, bool excluded) {
    checkSeries(series);
    m_look.editSeries(series).excluded = excluded;
    scheduleReplot();
}

bool ChartView::seriesExcluded(int series) const {
    checkSeries(series);
    return m_look.seriesLook(series).excluded;
}

void ChartView::setSeriesHidden(int series, bool hidden) {
    checkSeries(series);
    m_look.editSeries(series).hidden = hidden;
    scheduleReplot();
}

bool ChartView::seriesHidden(int series) const {
    checkSeries(series);
    return m_look.seriesLook(series).hidden;
}

void ChartView::setSeriesOrder(int series, int order) {
    checkSeries(series);
    m_look.editSeries(series).order = order;
    scheduleReplot();
}

int ChartView::seriesOrder(int series) const {
    checkSeries(series);
    return m_look.seriesLook(series).order;
}

void ChartView::setSeriesStackOrder(int series, int stackOrder) {
    checkSeries(series);
    m_look.editSeries(series).stackOrder = stackOrder;
    scheduleReplot();
}

int ChartView::seriesStackOrder(int series) const {
    checkSeries(series);
    return m_look.seriesLook(series).stackOrder;
}

// --- titles and scale ------------------------------------------------------------

void ChartView::setTitleText(const QString& text) {
    m_titleText = text;
    scheduleReplot();
}

void ChartView::setAxisTitle(int axisId, const QString& title) {
    if (axisId != 0 && axisId != 1)
        throw ChartError(QStringLiteral("chart axis %1 does not exist (0 = x axis, 1 = y axis)").arg(axisId));
    m_axisTitles[axisId] = title;
    scheduleReplot();
}

QString ChartView::axisTitle(int axisId) const {
    if (axisId != 0 && axisId != 1)
        throw ChartError(QStringLiteral("chart axis %1 does not exist (0 = x axis, 1 = y axis)").arg(axisId));
    return m_axisTitles[axisId];
}

void ChartView::setValueScaleAuto(bool automatic) {
    m_look.valueScale.automatic = automatic;
    scheduleReplot();
}

void ChartView::setValueScale(double minimum, double maximum, int majorDivisions, int minorDivisions) {
    if (!std::isfinite(minimum) || !std::isfinite(maximum))
        throw ChartError(QStringLiteral("chart value scale bounds %1..%2 are not finite numbers").arg(minimum).arg(maximum));
    if (minimum > maximum) std::swap(minimum, maximum);
    if (minimum == maximum) {
        // Constant data give equal limits; show the value in the middle of the axis.
        const double pad = minimum == 0 ? 1.0 : std::abs(minimum) * 0.1;
        minimum -= pad;
        maximum += pad;
    }
    ValueScale& scale = m_look.valueScale;
    scale.minimum = minimum;
    scale.maximum = maximum;
    scale.majorDivisions = std::clamp(majorDivisions, 1, 1000);
    scale.minorDivisions = std::clamp(minorDivisions, 1, 100);
    scheduleReplot();
}

void ChartView::showSettingsDialog() {
    ChartSettingsDialog dialog(this, this);
    dialog.exec();
}

}  // namespace chartcomponent
