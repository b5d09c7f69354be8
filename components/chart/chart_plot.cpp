// The plot widget of the chart component.
#include "chart_plot.h"

namespace chartcomponent {

ChartPlot::ChartPlot(QWidget* parent)
    : QCustomPlot(parent),
      mCategoryTicker(new CategoryTicker(xAxis)),
      mValueTicker(new ValueTicker) {
    xAxis->setTicker(mCategoryTicker);
    yAxis->setTicker(mValueTicker);
    xAxis->setSubTicks(false);
}

void ChartPlot::updateLayout() {
    QCustomPlot::updateLayout();
    if (mCategoryTicker->usedAxisWidth() != xAxis->axisRect()->width()) QCustomPlot::updateLayout();
}

}  // namespace chartcomponent
