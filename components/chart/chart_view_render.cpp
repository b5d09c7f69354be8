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
    if (m_replotPending) return;
    m_replotPending = true;
    QMetaObject::invokeMethod(this, [this] { if (m_replotPending) replot(); }, Qt::QueuedConnection);
}

void ChartView::replot() {
    m_replotPending = false;
    rebuild();
    m_plot->setViewport(m_plot->rect());
    m_plot->replot(isVisible() ? QCustomPlot::rpImmediateRefresh : QCustomPlot::rpQueuedRefresh);
}

void ChartView::rebuild() {
    if (!m_rowPositions.isEmpty() && m_rowPositions.size() != rowCount()) {
        m_rowPositions.clear();  // the rows changed: back to categories
        m_graphCache.clear();
    }
    rebuildSeries();
    applyLookToPlot();
    updateNumericAxis();
    updateTitle();
    updateLegendPlacement();
    updateValueRange();
    updateNote();
}

double ChartView::rowKey(qsizetype index) const {
    return m_rowPositions.isEmpty() ? double(index + 1) : m_rowPositions[index];
}

void ChartView::rebuildSeries() {
    m_plot->clearPlottables();
    m_barsGroup->clear();
    m_drawnSeries.clear();

    // Drawn series in their order (ties by number); the legend follows it.
    for (int s = 1; s <= columnCount(); ++s) {
        const SeriesLook look = m_look.seriesLook(s);
        if (!look.hidden && !look.excluded) m_drawnSeries.append(s);
    }
    std::stable_sort(m_drawnSeries.begin(), m_drawnSeries.end(), [this](int a, int b) {
        return m_look.seriesLook(a).order < m_look.seriesLook(b).order;
    });
    for (auto it = m_graphCache.begin(); it != m_graphCache.end();)
        it = it->first > columnCount() ? m_graphCache.erase(it) : std::next(it);

    QVector<int> barSeries;
    for (int s : m_drawnSeries)
        if (m_look.seriesLook(s).kind == SeriesKind::Bars) barSeries.append(s);
    std::stable_sort(barSeries.begin(), barSeries.end(), [this](int a, int b) {
        return m_look.seriesLook(a).stackOrder < m_look.seriesLook(b).stackOrder;
    });

    for (int s : m_drawnSeries) {
        const SeriesLook look = m_look.seriesLook(s);
        const QString label = m_data.columnLabel(s);
        const QString name = label.isEmpty() ? QStringLiteral("Series %1").arg(s) : label;
        if (look.kind == SeriesKind::Bars) addBars(s, look, name, barSeries.size());
        else addGraph(s, look, name);
    }

    // Side by side in stack order.
    for (int s : barSeries)
        for (int i = 0; i < m_plot->plottableCount(); ++i)
            if (m_drawnSeries.value(i) == s)
                if (auto* bars = qobject_cast<QCPBars*>(m_plot->plottable(i))) m_barsGroup->append(bars);
}

void ChartView::addBars(int series, const SeriesLook& look, const QString& name, qsizetype barSeriesCount) {
    const QVector<double>& values = m_data.columnValues(series);
    auto* bars = new QCPBars(m_plot->xAxis, m_plot->yAxis);
    bars->setName(name);
    bars->setPen(look.penStyle == Qt::NoPen ? QPen(Qt::NoPen) : QPen(look.color.darker(130), 1));
    bars->setBrush(look.color);
    bars->setWidth(m_barWidth / std::max<qsizetype>(1, barSeriesCount));
    QVector<QCPBarsData> points;
    points.reserve(values.size());
    for (qsizetype i = 0; i < values.size(); ++i)
        if (!std::isnan(values[i])) points.append(QCPBarsData(rowKey(i), values[i]));
    bars->data()->set(points, true);
}

// The graph points of a series, rebuilt only when its column changed since
// the last drawing; a column of the same length is overwritten in place.
namespace {

bool sameValue(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }

// Whether the point at index i starts or ends a run of equal values.
bool endsARun(const QVector<double>& values, qsizetype i) {
    return i == 0 || i + 1 == values.size() || !sameValue(values[i - 1], values[i]) ||
           !sameValue(values[i], values[i + 1]);
}

}  // namespace

QSharedPointer<QCPDataContainer<QCPGraphData>> ChartView::graphDataOf(int series, bool runEnds) {
    const QVector<double>& values = m_data.columnValues(series);
    if (runEnds) {
        // Worth it only where runs are long; a varying series keeps every point.
        qsizetype ends = 0;
        for (qsizetype i = 0; i < values.size() && ends * 2 <= values.size(); ++i) ends += endsARun(values, i);
        runEnds = ends * 2 <= values.size();
    }
    CachedColumn& cached = m_graphCache[series];
    if (!cached.graphData || cached.revision != m_data.columnRevision(series) || cached.runEnds != runEnds) {
        if (runEnds) {
            QVector<QCPGraphData> points;
            for (qsizetype i = 0; i < values.size(); ++i)
                if (endsARun(values, i)) points.append(QCPGraphData(rowKey(i), values[i]));
            cached.graphData = QSharedPointer<QCPGraphDataContainer>::create();
            cached.graphData->set(points, true);
        } else if (cached.graphData && !cached.graphData->isEmpty() && !cached.runEnds) {
            // Keys are 1..n: a shorter column drops the tail, a longer one adds
            // to it, and the values are overwritten in place; no new container.
            const qsizetype old = cached.graphData->size();
            if (values.size() < old) cached.graphData->removeAfter(double(values.size()) + 0.5);
            auto point = cached.graphData->begin();
            const qsizetype kept = std::min(old, values.size());
            for (qsizetype i = 0; i < kept; ++i, ++point) point->value = values[i];
            if (values.size() > old) {
                QVector<QCPGraphData> more;
                more.reserve(values.size() - old);
                for (qsizetype i = old; i < values.size(); ++i) more.append(QCPGraphData(double(i + 1), values[i]));
                cached.graphData->add(more, true);
            }
        } else {
            QVector<QCPGraphData> points;
            points.reserve(values.size());
            for (qsizetype i = 0; i < values.size(); ++i) points.append(QCPGraphData(rowKey(i), values[i]));
            cached.graphData = QSharedPointer<QCPGraphDataContainer>::create();
            // A span that shrinks and grows again keeps its memory: no copy on every change.
            cached.graphData->setAutoSqueeze(false);
            cached.graphData->set(points, true);
        }
        cached.revision = m_data.columnRevision(series);
        cached.runEnds = runEnds;
    }
    return cached.graphData;
}

void ChartView::addGraph(int series, const SeriesLook& look, const QString& name) {
    auto* graph = new ChartGraph(m_plot->xAxis, m_plot->yAxis);
    graph->setName(name);
    // A plain line needs only the ends of its runs; markers need every point.
    const bool plainLine = look.marker == MarkerShape::None && look.penStyle != Qt::NoPen &&
                           (look.kind == SeriesKind::Line || look.kind == SeriesKind::Step);
    graph->setData(graphDataOf(series, plainLine));
    graph->setAdaptiveSampling(true);
    graph->setPen(QPen(look.color, look.lineWidth, look.penStyle, Qt::RoundCap, Qt::RoundJoin));
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

void ChartView::applyLookToPlot() {
    m_plot->setBackground(QBrush(m_look.background));
    m_plot->axisRect()->setBackground(QBrush(m_look.plotBackground));
    const int rows = rowCount();
    const bool numbered = !m_data.hasRowLabels();
    m_plot->categoryTicker().setCategories(m_rowPositions.isEmpty() ? rows : 0, [this, numbered](int p) {
        return numbered ? QString::number(p) : m_data.rowLabel(p);
    });
    if (m_rowPositions.isEmpty()) m_plot->xAxis->setRange(0.5, std::max(rows, 1) + 0.5);
    for (QCPAxis* axis : {m_plot->xAxis, m_plot->yAxis}) {
        axis->setTickLabelFont(m_look.tickLabelFont);
        axis->setLabelFont(m_look.axisTitleFont);
        axis->grid()->setPen(QPen(m_look.gridColor, 0, Qt::DotLine));
        axis->grid()->setSubGridPen(QPen(m_look.gridColor.lighter(115), 0, Qt::DotLine));
        axis->grid()->setZeroLinePen(Qt::NoPen);
    }
    m_plot->xAxis->setLabel(m_axisTitles[0]);
    m_plot->yAxis->setLabel(m_axisTitles[1]);
    m_plot->xAxis->grid()->setVisible(m_look.xGridLines);
    m_plot->yAxis->grid()->setVisible(m_look.yGridLines);
    m_plot->yAxis->grid()->setSubGridVisible(m_look.yMinorGridLines);
    m_plot->legend->setFont(m_look.legendFont);
    m_plot->legend->setVisible(m_look.legendVisible && !m_drawnSeries.isEmpty());
    m_plot->legend->setBrush(QBrush(QColor(255, 255, 255, 220)));
}

void ChartView::updateTitle() {
    QCPLayoutGrid* layout = m_plot->plotLayout();
    if (m_titleText.isEmpty()) {
        if (m_titleElement) {
            layout->remove(m_titleElement);  // deletes it
            m_titleElement = nullptr;
            layout->simplify();
        }
        return;
    }
    if (!m_titleElement) {
        layout->insertRow(0);
        m_titleElement = new QCPTextElement(m_plot, m_titleText, m_look.titleFont);
        layout->addElement(0, 0, m_titleElement);
    }
    m_titleElement->setText(m_titleText);
    m_titleElement->setFont(m_look.titleFont);
}

void ChartView::updateLegendPlacement() {
    QCPLegend* legend = m_plot->legend;
    QCPLayoutInset* inset = m_plot->axisRect()->insetLayout();
    QCPLayoutGrid* grid = m_plot->plotLayout();
    const bool outside = m_look.legendPosition == LegendPosition::Right;
    if (outside && !m_legendColumn) {
        // A column right of the plot: the legend at its top, empty space below.
        inset->take(legend);
        m_legendColumn = new QCPLayoutGrid;
        grid->addElement(grid->rowCount() - 1, 1, m_legendColumn);  // the axis rect's row, below a title
        grid->setColumnStretchFactor(1, 0.001);
        m_legendColumn->addElement(0, 0, legend);
        m_legendColumn->addElement(1, 0, new QCPLayoutElement(m_plot));
        m_legendColumn->setRowStretchFactor(0, 0.001);
        m_legendColumn->setMargins(QMargins(0, 6, 6, 0));
        m_legendColumn->setAutoMargins(QCP::msNone);
    } else if (!outside && m_legendColumn) {
        m_legendColumn->take(legend);
        grid->remove(m_legendColumn);  // deletes the column and its spacer
        m_legendColumn = nullptr;
        grid->simplify();
        inset->addElement(legend, insetAlignment(m_look.legendPosition));
    }
    if (!outside) inset->setInsetAlignment(0, insetAlignment(m_look.legendPosition));

    // The last row's label is centred on the right end of the axis; keep room for its right half.
    const QFontMetrics metrics(m_look.tickLabelFont);
    const int rows = rowCount();
    const QString lastLabel = rows < 1 ? QString() : m_data.hasRowLabels() ? m_data.rowLabel(rows) : QString::number(rows);
    m_plot->axisRect()->setMinimumMargins(QMargins(15, 15, metrics.horizontalAdvance(lastLabel) / 2 + 6, 15));
}

void ChartView::updateNumericAxis() {
    if (m_rowPositions.isEmpty()) {
        if (m_numericTicker) {
            m_plot->xAxis->setTicker(m_plot->sharedCategoryTicker());
            m_numericTicker.reset();
        }
        return;
    }
    if (!m_numericTicker) {
        m_numericTicker = QSharedPointer<ValueTicker>::create();
        m_plot->xAxis->setTicker(m_numericTicker);
    }
    m_numericTicker->setDecimalSeparator(m_decimalSeparator);
    m_numericTicker->setFixedDivisions(false, 5, 1);
    const double pad = m_barWidth / 2;
    double low = m_rowPositions.first() - pad;
    double high = m_rowPositions.last() + pad;
    if (!(low < high)) {
        low -= 1;
        high += 1;
    }
    m_plot->xAxis->setRange(low, high);
    m_plot->xAxis->setSubTicks(true);
}

void ChartView::updateNote() {
    if (m_noteText.isEmpty()) {
        if (m_noteItem) {
            m_plot->removeItem(m_noteItem);
            m_noteItem = nullptr;
        }
        return;
    }
    if (!m_noteItem) {
        m_noteItem = new QCPItemText(m_plot);
        m_noteItem->position->setType(QCPItemPosition::ptAxisRectRatio);
        m_noteItem->position->setCoords(0.01, 0.02);
        m_noteItem->setPositionAlignment(Qt::AlignTop | Qt::AlignLeft);
        m_noteItem->setTextAlignment(Qt::AlignLeft);
        m_noteItem->setPadding(QMargins(6, 4, 6, 4));
    }
    m_noteItem->setText(m_noteText);
    m_noteItem->setFont(m_look.legendFont);
    m_noteItem->setPen(QPen(m_look.gridColor.darker(150)));
    m_noteItem->setBrush(QBrush(QColor(255, 255, 255, 230)));
}

void ChartView::updateValueRange() {
    const ValueScale& scale = m_look.valueScale;
    m_plot->valueTicker().setDecimalSeparator(m_decimalSeparator);
    m_plot->valueTicker().setFixedDivisions(!scale.automatic, scale.majorDivisions, scale.minorDivisions);
    if (!scale.automatic) {
        m_plot->yAxis->setRange(scale.minimum, scale.maximum);
        m_plot->yAxis->setSubTicks(scale.minorDivisions > 1);
        return;
    }
    m_plot->yAxis->setSubTicks(true);
    double low = std::numeric_limits<double>::infinity();
    double high = -low;
    for (int s : m_drawnSeries) {
        const auto [columnLow, columnHigh] = m_data.columnExtent(s);
        if (std::isnan(columnLow)) continue;
        low = std::min(low, columnLow);
        high = std::max(high, columnHigh);
        if (m_look.seriesLook(s).kind == SeriesKind::Bars) {
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
    m_plot->yAxis->setRange(low, high);
}

}  // namespace chartcomponent
