// The plot widget of the chart component.
#include "components/chart/chart_plot.h"

#include "components/chart/line_band.h"

#include <cmath>

namespace chartcomponent {

namespace {
constexpr qsizetype kDenseLinePoints = 1000;
// Below this many pixels per segment on average a join is narrower than the
// pen's antialiased edge: the line counts as dense whatever its point count.
// Stroking a zigzag of a few hundred points as one polyline costs a quarter
// of a second (its outline crosses every scan line many times).
constexpr double kDensePixelsPerSegment = 4.0;
}

ChartPlot::ChartPlot(QWidget* parent)
    : QCustomPlot(parent),
      m_categoryTicker(new CategoryTicker(xAxis)),
      m_valueTicker(new ValueTicker) {
    xAxis->setTicker(m_categoryTicker);
    yAxis->setTicker(m_valueTicker);
    xAxis->setSubTicks(false);
}

namespace {

bool finitePoint(const QPointF& p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }

// Drops the inner points of straight runs (a limit line of a million rows
// becomes two points), so dashes and joins are computed once per run.
QVector<QPointF> withoutStraightRuns(const QVector<QPointF>& lines) {
    QVector<QPointF> kept;
    kept.reserve(lines.size());
    for (const QPointF& p : lines) {
        const qsizetype n = kept.size();
        if (n >= 2 && finitePoint(p) && finitePoint(kept[n - 1]) && finitePoint(kept[n - 2])) {
            const QPointF a = kept[n - 1] - kept[n - 2];
            const QPointF b = p - kept[n - 1];
            const double cross = a.x() * b.y() - a.y() * b.x();
            const double dot = a.x() * b.x() + a.y() * b.y();
            if (dot > 0 && std::abs(cross) <= 1e-9 * (std::hypot(a.x(), a.y()) * std::hypot(b.x(), b.y()))) {
                kept[n - 1] = p;
                continue;
            }
        }
        kept.append(p);
    }
    return kept;
}

}  // namespace

void ChartGraph::drawLinePlot(QCPPainter* painter, const QVector<QPointF>& sampled) const {
    const QVector<QPointF> lines = withoutStraightRuns(sampled);
    const QPen pen = painter->pen();
    // Short lines keep the polyline and its round joins.
    const double plotWidth = keyAxis() ? keyAxis()->axisRect()->width() : 0.0;
    const bool dense = lines.size() >= kDenseLinePoints ||
                       (lines.size() > 1 && plotWidth < kDensePixelsPerSegment * double(lines.size() - 1));
    if (pen.style() != Qt::SolidLine || painter->modes().testFlag(QCPPainter::pmVectorized) || !dense) {
        QCPGraph::drawLinePlot(painter, lines);
        return;
    }
    if (pen.color().alpha() == 0) return;
    applyDefaultAntialiasingHint(painter);
    if (const QVector<QRectF> band = crowdedLineBand(lines, pen.widthF()); !band.isEmpty()) {
        // Crowded strokes overlap until even a translucent colour covers:
        // the band is drawn opaque.
        QColor covered = pen.color();
        covered.setAlpha(255);
        // Whole pixel columns: without antialiasing (and the half-pixel shift
        // QCustomPlot's painter makes for it), neighbouring columns meet exactly.
        const bool antialiased = painter->antialiasing();
        painter->setAntialiasing(false);
        painter->setPen(Qt::NoPen);
        painter->setBrush(covered);
        painter->drawRects(band);
        painter->setBrush(Qt::NoBrush);
        painter->setPen(pen);
        painter->setAntialiasing(antialiased);
        return;
    }
    // Round caps cost a curve per segment; square caps close the joins as well.
    QPen segmentPen = pen;
    segmentPen.setCapStyle(Qt::SquareCap);
    if (qFuzzyCompare(pen.widthF(), 1.0)) segmentPen.setWidth(0);  // one pixel: cosmetic, as QCustomPlot does
    painter->setPen(segmentPen);
    // NaN points (gaps) end a run of segments.
    constexpr qsizetype kBatch = 4096;
    QVector<QLineF> segments;
    segments.reserve(kBatch);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (!finitePoint(lines[i - 1]) || !finitePoint(lines[i])) continue;
        segments.append(QLineF(lines[i - 1], lines[i]));
        if (segments.size() == kBatch) {
            painter->drawLines(segments);
            segments.clear();
        }
    }
    if (!segments.isEmpty()) painter->drawLines(segments);
    // A lone point between two gaps still shows, as a dot.
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (finitePoint(lines[i]) && (i == 0 || !finitePoint(lines[i - 1])) &&
            (i + 1 == lines.size() || !finitePoint(lines[i + 1])))
            painter->drawPoint(lines[i]);
}

// mScatterStyle, mPen and mParentPlot are QCustomPlot's own protected members.
void ChartGraph::draw(QCPPainter* painter) {
    const double pixelsPerRow = keyAxis()->axisRect()->width() / std::max(1e-9, keyAxis()->range().size());
    if (!m_markersOnlyWhenApart || mScatterStyle.isNone() || pixelsPerRow >= mScatterStyle.size()) {
        QCPGraph::draw(painter);
        return;
    }
    // Leave the markers out without even collecting their positions.
    const QCPScatterStyle markers = mScatterStyle;
    mScatterStyle = QCPScatterStyle();
    QCPGraph::draw(painter);
    mScatterStyle = markers;
}

void ChartGraph::drawScatterPlot(QCPPainter* painter, const QVector<QPointF>& scatters,
                                 const QCPScatterStyle& style) const {
    const double size = std::max(1.0, style.size());
    // One marker per cell of half a marker: more would not change the picture.
    const double cell = std::max(1.0, size / 2);
    QSet<quint64> taken;
    QVector<QPointF> kept;
    kept.reserve(std::min<qsizetype>(scatters.size(), 65536));
    for (const QPointF& p : scatters) {
        if (!finitePoint(p)) continue;
        const quint64 key = (quint64(quint32(qint32(std::floor(p.x() / cell)))) << 32) |
                            quint32(qint32(std::floor(p.y() / cell)));
        if (!taken.contains(key)) {
            taken.insert(key);
            kept.append(p);
        }
    }
    if (painter->modes().testFlag(QCPPainter::pmVectorized) || kept.size() < 64) {
        QCPGraph::drawScatterPlot(painter, kept, style);
        return;
    }
    // Many markers: draw the shape once into an image and copy that.
    const int side = int(std::ceil(size + 2 * std::max(1.0, mPen.widthF()))) + 2;
    QImage stamp(side, side, QImage::Format_ARGB32_Premultiplied);
    stamp.fill(Qt::transparent);
    {
        QCPPainter stampPainter(&stamp);
        stampPainter.setRenderHint(QPainter::Antialiasing, painter->testRenderHint(QPainter::Antialiasing) ||
                                                               mParentPlot->antialiasedElements().testFlag(QCP::aeScatters));
        style.applyTo(&stampPainter, mPen);
        style.drawShape(&stampPainter, side / 2.0, side / 2.0);
    }
    for (const QPointF& p : kept) painter->drawImage(QPointF(std::round(p.x() - side / 2.0), std::round(p.y() - side / 2.0)), stamp);
}

void ChartPlot::updateLayout() {
    QCustomPlot::updateLayout();
    if (m_categoryTicker->usedAxisWidth() != xAxis->axisRect()->width()) QCustomPlot::updateLayout();
}

}  // namespace chartcomponent
