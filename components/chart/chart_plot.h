// ChartPlot: the QCustomPlot the chart component draws with. It only adds a
// second layout pass when the category axis's labels were thinned for a
// width that the layout then changed (on the first drawing and on every
// resize or export at another size), so labels are thinned for the width
// they are actually drawn in.
#pragma once

#include "components/chart/chart_tickers.h"

#include <qcustomplot.h>

#include <QSharedPointer>

namespace chartcomponent {

// A graph whose long solid lines are drawn as separate segments on raster
// devices. Qt strokes a wide polyline as one path, which takes seconds for
// the dense, self-crossing lines of long series; square-capped segments look
// the same at that density and draw in milliseconds. Vector output and short
// lines keep the polyline.
//
// Markers, too, are kept cheap: one per marker-sized cell of the plot, drawn
// from a pre-rendered image on raster devices; and on a line whose rows lie
// closer together than a marker is wide, the markers would only merge into
// a band, so they are left out (setMarkersOnlyWhenApart).
class ChartGraph : public QCPGraph {
    Q_OBJECT
public:
    using QCPGraph::QCPGraph;
    void setMarkersOnlyWhenApart(bool onlyWhenApart) { m_markersOnlyWhenApart = onlyWhenApart; }

protected:
    void draw(QCPPainter* painter) override;
    void drawLinePlot(QCPPainter* painter, const QVector<QPointF>& sampled) const override;
    void drawScatterPlot(QCPPainter* painter, const QVector<QPointF>& scatters,
                         const QCPScatterStyle& style) const override;

private:
    bool m_markersOnlyWhenApart = false;
};

class ChartPlot : public QCustomPlot {
    Q_OBJECT
public:
    explicit ChartPlot(QWidget* parent = nullptr);

    CategoryTicker& categoryTicker() { return *m_categoryTicker; }
    QSharedPointer<CategoryTicker> sharedCategoryTicker() const { return m_categoryTicker; }
    ValueTicker& valueTicker() { return *m_valueTicker; }

protected:
    void updateLayout() override;

private:
    QSharedPointer<CategoryTicker> m_categoryTicker;
    QSharedPointer<ValueTicker> m_valueTicker;
};

}  // namespace chartcomponent
