// ChartPlot: the QCustomPlot the chart component draws with. It only adds a
// second layout pass when the category axis's labels were thinned for a
// width that the layout then changed (on the first drawing and on every
// resize or export at another size), so labels are thinned for the width
// they are actually drawn in.
#pragma once

#include "chart_tickers.h"

#include <qcustomplot.h>

#include <QSharedPointer>

namespace chartcomponent {

class ChartPlot : public QCustomPlot {
    Q_OBJECT
public:
    explicit ChartPlot(QWidget* parent = nullptr);

    CategoryTicker& categoryTicker() { return *mCategoryTicker; }
    ValueTicker& valueTicker() { return *mValueTicker; }

protected:
    void updateLayout() override;

private:
    QSharedPointer<CategoryTicker> mCategoryTicker;
    QSharedPointer<ValueTicker> mValueTicker;
};

}  // namespace chartcomponent
