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
    : QWidget(parent), mLook(ChartLook::defaults()), mDecimalSeparator(QLocale::system().decimalPoint().at(0)) {
    mPlot = new ChartPlot(this);
    mPlot->setGeometry(rect());
    mPlot->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(mPlot, &QCustomPlot::customContextMenuRequested, this, &ChartView::showContextMenu);
    connect(mPlot, &QCustomPlot::mouseDoubleClick, this, [this](QMouseEvent*) { showSettingsDialog(); });
    mBarsGroup = new QCPBarsGroup(mPlot);
    mPlot->categoryTicker().setCategories(0, {});
    scheduleReplot();
}

ChartView::~ChartView() = default;

void ChartView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    mPlot->setGeometry(rect());
    scheduleReplot();
}

// --- look ------------------------------------------------------------------

void ChartView::loadSettings(const QString& path) {
    setLook(readChartLookFile(path));
}

void ChartView::saveSettings(const QString& path) const {
    writeChartLookFile(path, mLook, columnCount());
}

void ChartView::setLook(const ChartLook& look) {
    mLook = look;
    scheduleReplot();
}

void ChartView::applyLookFromDialog(const ChartLook& look) {
    setLook(look);
    replot();
    emit changesApplied();
}

// --- data grid ---------------------------------------------------------------

void ChartView::setColumnCount(int columns) {
    mData.setColumnCount(columns);
    scheduleReplot();
}

void ChartView::setRowCount(int rows) {
    mData.setRowCount(rows);
    scheduleReplot();
}

void ChartView::setData(const QString& text) {
    const std::optional<double> value = parseChartNumber(text, mDecimalSeparator);
    if (!value)
        throw ChartError(QStringLiteral("chart cell (row %1, column %2): '%3' is not a number")
                             .arg(mRow).arg(mColumn).arg(text));
    mData.setValue(mRow, mColumn, *value);
    scheduleReplot();
}

QString ChartView::data() const {
    return formatChartNumber(mData.value(mRow, mColumn), mDecimalSeparator);
}

void ChartView::setRowLabel(const QString& label) {
    mData.setRowLabel(mRow, label);
    scheduleReplot();
}

QString ChartView::rowLabel() const { return mData.rowLabel(mRow); }

void ChartView::setColumnLabel(const QString& label) {
    mData.setColumnLabel(mColumn, label);
    scheduleReplot();
}

QString ChartView::columnLabel() const { return mData.columnLabel(mColumn); }

void ChartView::setColumnValues(int column, QVector<double> values) {
    mData.setColumnValues(column, std::move(values));
    scheduleReplot();
}

void ChartView::setRowLabels(QStringList labels) {
    mData.setRowLabels(std::move(labels));
    scheduleReplot();
}

// --- series positions ----------------------------------------------------------

void ChartView::checkSeries(int series) const {
    if (series < 1 || series > 100000)
        throw ChartError(QStringLiteral("chart series %1 does not exist (series count from 1)").arg(series));
}

void ChartView::setSeriesExcluded(int series, bool excluded) {
    checkSeries(series);
    mLook.editSeries(series).excluded = excluded;
    scheduleReplot();
}

bool ChartView::seriesExcluded(int series) const {
    checkSeries(series);
    return mLook.seriesLook(series).excluded;
}

void ChartView::setSeriesHidden(int series, bool hidden) {
    checkSeries(series);
    mLook.editSeries(series).hidden = hidden;
    scheduleReplot();
}

bool ChartView::seriesHidden(int series) const {
    checkSeries(series);
    return mLook.seriesLook(series).hidden;
}

void ChartView::setSeriesOrder(int series, int order) {
    checkSeries(series);
    mLook.editSeries(series).order = order;
    scheduleReplot();
}

int ChartView::seriesOrder(int series) const {
    checkSeries(series);
    return mLook.seriesLook(series).order;
}

void ChartView::setSeriesStackOrder(int series, int stackOrder) {
    checkSeries(series);
    mLook.editSeries(series).stackOrder = stackOrder;
    scheduleReplot();
}

int ChartView::seriesStackOrder(int series) const {
    checkSeries(series);
    return mLook.seriesLook(series).stackOrder;
}

// --- titles and scale ------------------------------------------------------------

void ChartView::setTitleText(const QString& text) {
    mTitleText = text;
    scheduleReplot();
}

void ChartView::setAxisTitle(int axisId, const QString& title) {
    if (axisId != 0 && axisId != 1)
        throw ChartError(QStringLiteral("chart axis %1 does not exist (0 = x axis, 1 = y axis)").arg(axisId));
    mAxisTitles[axisId] = title;
    scheduleReplot();
}

QString ChartView::axisTitle(int axisId) const {
    if (axisId != 0 && axisId != 1)
        throw ChartError(QStringLiteral("chart axis %1 does not exist (0 = x axis, 1 = y axis)").arg(axisId));
    return mAxisTitles[axisId];
}

void ChartView::setValueScaleAuto(bool automatic) {
    mLook.valueScale.automatic = automatic;
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
    ValueScale& scale = mLook.valueScale;
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
