// Drawing of ChartView: turns the data grid and the look into QCustomPlot
// plottables, axes, legend and title. Series data are handed to the plot as
// shared containers built once per change of a column, and the plot samples
// them adaptively, so a million points draw in a fraction of a second.
#include "components/chart/chart_view.h"

#include "components/chart/chart_plot.h"

#include <QMetaObject>

#include <algorithm>
#include <cmath>

namespace chartcomponent {

namespace {

QCPScatterStyle::ScatterShape scatterShape(MarkerShape marker) {
    switch (marker) {
    case MarkerShape::None: return QCPScatterStyle::ssNone;
    case MarkerShape::Circle: return QCPScatterStyle::ssCircle;
    case MarkerShape::Disc: return QCPScatterStyle::ssDisc;
    case MarkerShape::Square: return QCPScatterStyle::ssSquare;
    case MarkerShape::Diamond: return QCPScatterStyle::ssDiamond;
    case MarkerShape::Triangle: return QCPScatterStyle::ssTriangle;
    case MarkerShape::TriangleDown: return QCPScatterStyle::ssTriangleInverted;
    case MarkerShape::Cross: return QCPScatterStyle::ssCross;
    case MarkerShape::Plus: return QCPScatterStyle::ssPlus;
    case MarkerShape::Star: return QCPScatterStyle::ssStar;
    }
    return QCPScatterStyle::ssNone;
}

Qt::Alignment insetAlignment(LegendPosition position) {
    switch (position) {
    case LegendPosition::TopLeft: return Qt::AlignTop | Qt::AlignLeft;
    case LegendPosition::BottomRight: return Qt::AlignBottom | Qt::AlignRight;
    case LegendPosition::BottomLeft: return Qt::AlignBottom | Qt::AlignLeft;
    case LegendPosition::TopRight:
    case LegendPosition::Right: break;
    }
    return Qt::AlignTop | Qt::AlignRight;
}

}  // namespace

void ChartView::scheduleReplot() {
    if (mReplotPending) return;
    mReplotPending = true;
    QMetaObject::invokeMethod(this, [this] { if (mReplotPending) replot(); }, Qt::QueuedConnection);
}

void ChartView::replot() {
    mReplotPending = false;
    rebuild();
    mPlot->setViewport(mPlot->rect());
    mPlot->replot(isVisible() ? QCustomPlot::rpImmediateRefresh : QCustomPlot::rpQueuedRefresh);
}

void ChartView::rebuild() {
    rebuildSeries();
    applyLookToPlot();
    updateTitle();
    updateLegendPlacement();
    updateValueRange();
}

void ChartView::rebuildSeries() {
    mPlot->clearPlottables();
    mBarsGroup->clear();
    mDrawnSeries.clear();

    // Drawn series in their order (ties by number); the legend follows it.
    for (int s = 1; s <= columnCount(); ++s) {
        const SeriesLook look = mLook.seriesLook(s);
        if (!look.hidden && !look.excluded) mDrawnSeries.append(s);
    }
    std::stable_sort(mDrawnSeries.begin(), mDrawnSeries.end(), [this](int a, int b) {
        return mLook.seriesLook(a).order < mLook.seriesLook(b).order;
    });
    for (auto it = mGraphCache.begin(); it != mGraphCache.end();)
        it = it->first > columnCount() ? mGraphCache.erase(it) : std::next(it);

    QVector<int> barSeries;
    for (int s : mDrawnSeries)
        if (mLook.seriesLook(s).kind == SeriesKind::Bars) barSeries.append(s);
    std::stable_sort(barSeries.begin(), barSeries.end(), [this](int a, int b) {
        return mLook.seriesLook(a).stackOrder < mLook.seriesLook(b).stackOrder;
    });

    for (int s : mDrawnSeries) {
        const SeriesLook look = mLook.seriesLook(s);
        const QString label = mData.columnLabel(s);
        const QString name = label.isEmpty() ? QStringLiteral("Series %1").arg(s) : label;
        const QPen pen(look.color, look.lineWidth, look.penStyle, Qt::RoundCap, Qt::RoundJoin);
        const QVector<double>& values = mData.columnValues(s);

        if (look.kind == SeriesKind::Bars) {
            auto* bars = new QCPBars(mPlot->xAxis, mPlot->yAxis);
            bars->setName(name);
            bars->setPen(look.penStyle == Qt::NoPen ? QPen(Qt::NoPen) : QPen(look.color.darker(130), 1));
            bars->setBrush(look.color);
            bars->setWidth(0.8 / std::max<qsizetype>(1, barSeries.size()));
            QVector<QCPBarsData> points;
            points.reserve(values.size());
            for (qsizetype i = 0; i < values.size(); ++i)
                if (!std::isnan(values[i])) points.append(QCPBarsData(double(i + 1), values[i]));
            bars->data()->set(points, true);
            continue;
        }

        CachedColumn& cached = mGraphCache[s];
        if (!cached.graphData || cached.revision != mData.columnRevision(s)) {
            if (cached.graphData && cached.graphData->size() == values.size()) {
                // Same rows: overwrite the values in place, no new memory.
                auto point = cached.graphData->begin();
                for (qsizetype i = 0; i < values.size(); ++i, ++point) point->value = values[i];
            } else {
                QVector<QCPGraphData> points;
                points.reserve(values.size());
                for (qsizetype i = 0; i < values.size(); ++i) points.append(QCPGraphData(double(i + 1), values[i]));
                cached.graphData = QSharedPointer<QCPGraphDataContainer>::create();
                cached.graphData->set(points, true);
            }
            cached.revision = mData.columnRevision(s);
        }
        auto* graph = new ChartGraph(mPlot->xAxis, mPlot->yAxis);
        graph->setName(name);
        graph->setData(cached.graphData);
        graph->setAdaptiveSampling(true);
        graph->setPen(pen);
        MarkerShape marker = look.marker;
        switch (look.kind) {
        case SeriesKind::Line:
            graph->setLineStyle(QCPGraph::lsLine);
            graph->setMarkersOnlyWhenApart(true);
            break;
        case SeriesKind::Step:
            graph->setLineStyle(QCPGraph::lsStepCenter);
            graph->setMarkersOnlyWhenApart(true);
            break;
        case SeriesKind::Points:
            graph->setLineStyle(QCPGraph::lsNone);
            if (marker == MarkerShape::None) marker = MarkerShape::Disc;  // points need a mark to be seen
            break;
        case SeriesKind::Bars: break;
        }
        if (look.penStyle == Qt::NoPen && look.kind != SeriesKind::Points) graph->setLineStyle(QCPGraph::lsNone);
        graph->setScatterStyle(QCPScatterStyle(scatterShape(marker), QPen(look.color, 1.2),
                                               marker == MarkerShape::Circle ? QBrush(Qt::white) : QBrush(look.color),
                                               look.markerSize));
    }

    // Side by side in stack order.
    for (int s : barSeries)
        for (int i = 0; i < mPlot->plottableCount(); ++i)
            if (mDrawnSeries.value(i) == s)
                if (auto* bars = qobject_cast<QCPBars*>(mPlot->plottable(i))) mBarsGroup->append(bars);
}

void ChartView::applyLookToPlot() {
    mPlot->setBackground(QBrush(mLook.background));
    mPlot->axisRect()->setBackground(QBrush(mLook.plotBackground));
    const int rows = rowCount();
    const bool numbered = !mData.hasRowLabels();
    mPlot->categoryTicker().setCategories(rows, [this, numbered](int p) {
        return numbered ? QString::number(p) : mData.rowLabel(p);
    });
    mPlot->xAxis->setRange(0.5, std::max(rows, 1) + 0.5);
    for (QCPAxis* axis : {mPlot->xAxis, mPlot->yAxis}) {
        axis->setTickLabelFont(mLook.tickLabelFont);
        axis->setLabelFont(mLook.axisTitleFont);
        axis->grid()->setPen(QPen(mLook.gridColor, 0, Qt::DotLine));
        axis->grid()->setSubGridPen(QPen(mLook.gridColor.lighter(115), 0, Qt::DotLine));
        axis->grid()->setZeroLinePen(Qt::NoPen);
    }
    mPlot->xAxis->setLabel(mAxisTitles[0]);
    mPlot->yAxis->setLabel(mAxisTitles[1]);
    mPlot->xAxis->grid()->setVisible(mLook.xGridLines);
    mPlot->yAxis->grid()->setVisible(mLook.yGridLines);
    mPlot->yAxis->grid()->setSubGridVisible(mLook.yMinorGridLines);
    mPlot->legend->setFont(mLook.legendFont);
    mPlot->legend->setVisible(mLook.legendVisible && !mDrawnSeries.isEmpty());
    mPlot->legend->setBrush(QBrush(QColor(255, 255, 255, 220)));
}

void ChartView::updateTitle() {
    QCPLayoutGrid* layout = mPlot->plotLayout();
    if (mTitleText.isEmpty()) {
        if (mTitleElement) {
            layout->remove(mTitleElement);  // deletes it
            mTitleElement = nullptr;
            layout->simplify();
        }
        return;
    }
    if (!mTitleElement) {
        layout->insertRow(0);
        mTitleElement = new QCPTextElement(mPlot, mTitleText, mLook.titleFont);
        layout->addElement(0, 0, mTitleElement);
    }
    mTitleElement->setText(mTitleText);
    mTitleElement->setFont(mLook.titleFont);
}

void ChartView::updateLegendPlacement() {
    QCPLegend* legend = mPlot->legend;
    QCPLayoutInset* inset = mPlot->axisRect()->insetLayout();
    QCPLayoutGrid* grid = mPlot->plotLayout();
    const bool outside = mLook.legendPosition == LegendPosition::Right;
    if (outside && !mLegendColumn) {
        // A column right of the plot: the legend at its top, empty space below.
        inset->take(legend);
        mLegendColumn = new QCPLayoutGrid;
        grid->addElement(grid->rowCount() - 1, 1, mLegendColumn);  // the axis rect's row, below a title
        grid->setColumnStretchFactor(1, 0.001);
        mLegendColumn->addElement(0, 0, legend);
        mLegendColumn->addElement(1, 0, new QCPLayoutElement(mPlot));
        mLegendColumn->setRowStretchFactor(0, 0.001);
        mLegendColumn->setMargins(QMargins(0, 6, 6, 0));
        mLegendColumn->setAutoMargins(QCP::msNone);
    } else if (!outside && mLegendColumn) {
        mLegendColumn->take(legend);
        grid->remove(mLegendColumn);  // deletes the column and its spacer
        mLegendColumn = nullptr;
        grid->simplify();
        inset->addElement(legend, insetAlignment(mLook.legendPosition));
    }
    if (!outside) inset->setInsetAlignment(0, insetAlignment(mLook.legendPosition));

    // The last row's label is centred on the right end of the axis; keep room for its right half.
    const QFontMetrics metrics(mLook.tickLabelFont);
    const int rows = rowCount();
    const QString lastLabel = rows < 1 ? QString() : mData.hasRowLabels() ? mData.rowLabel(rows) : QString::number(rows);
    mPlot->axisRect()->setMinimumMargins(QMargins(15, 15, metrics.horizontalAdvance(lastLabel) / 2 + 6, 15));
}

void ChartView::updateValueRange() {
    const ValueScale& scale = mLook.valueScale;
    mPlot->valueTicker().setDecimalSeparator(mDecimalSeparator);
    mPlot->valueTicker().setFixedDivisions(!scale.automatic, scale.majorDivisions, scale.minorDivisions);
    if (!scale.automatic) {
        mPlot->yAxis->setRange(scale.minimum, scale.maximum);
        mPlot->yAxis->setSubTicks(scale.minorDivisions > 1);
        return;
    }
    mPlot->yAxis->setSubTicks(true);
    double low = std::numeric_limits<double>::infinity();
    double high = -low;
    for (int s : mDrawnSeries) {
        const auto [columnLow, columnHigh] = mData.columnExtent(s);
        if (std::isnan(columnLow)) continue;
        low = std::min(low, columnLow);
        high = std::max(high, columnHigh);
        if (mLook.seriesLook(s).kind == SeriesKind::Bars) {
            low = std::min(low, 0.0);
            high = std::max(high, 0.0);
        }
    }
    if (!(low <= high)) {
        low = 0;
        high = 1;
    } else if (low == high) {
        const double pad = low == 0 ? 1.0 : std::abs(low) * 0.1;
        low -= pad;
        high += pad;
    } else {
        const double pad = (high - low) * 0.05;
        low -= pad;
        high += pad;
    }
    mPlot->yAxis->setRange(low, high);
}

}  // namespace chartcomponent
