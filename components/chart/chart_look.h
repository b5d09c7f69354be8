// ChartLook: everything a chart template (.vtc) keeps about how a chart looks:
// fonts, per-series style and position, legend, value scale, grid lines and
// background. Plain data without widgets; the file format lives in
// look_file.h, the drawing in the chart widget.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QVector>
#include <optional>

namespace chartcomponent {

enum class SeriesKind { Line, Points, Step, Bars };
enum class MarkerShape { None, Circle, Disc, Square, Diamond, Triangle, TriangleDown, Cross, Plus, Star };
enum class LegendPosition { TopRight, TopLeft, BottomRight, BottomLeft, Right };

struct SeriesLook {
    SeriesKind kind = SeriesKind::Line;
    QColor color;
    double lineWidth = 1.5;
    Qt::PenStyle penStyle = Qt::SolidLine;  // NoPen, Solid, Dash, Dot, DashDot, DashDotDot
    MarkerShape marker = MarkerShape::None;
    double markerSize = 6.0;
    // Position of the series: either flag keeps it from being drawn; order
    // decides its place among the drawn series (drawing and legend order),
    // stack order its place in a group of side-by-side bars.
    bool hidden = false;
    bool excluded = false;
    int order = 0;
    int stackOrder = 0;

    bool operator==(const SeriesLook&) const = default;
};

// The style a series has when nothing says otherwise: a colour of its own
// from a fixed palette, a plain line, and its own number as order.
SeriesLook defaultSeriesLook(int series);

struct ValueScale {
    bool automatic = true;
    double minimum = 0.0;
    double maximum = 10.0;
    int majorDivisions = 5;
    int minorDivisions = 1;  // 1: no ticks between the major ones

    bool operator==(const ValueScale&) const = default;
};

struct ChartLook {
    QColor background = Qt::white;
    QColor plotBackground = Qt::white;
    QFont titleFont;
    QFont axisTitleFont;
    QFont tickLabelFont;
    QFont legendFont;

    bool legendVisible = true;
    LegendPosition legendPosition = LegendPosition::TopRight;

    ValueScale valueScale;

    bool xGridLines = false;
    bool yGridLines = true;
    bool yMinorGridLines = false;
    QColor gridColor = QColor(200, 200, 200);

    // Styles of series 1, 2, ...; a series past the end has its default style.
    QVector<SeriesLook> series;

    static ChartLook defaults();

    // 1-based; a series the list does not hold gets defaultSeriesLook(s).
    SeriesLook seriesLook(int s) const;
    // 1-based; grows the list with default styles up to s.
    SeriesLook& editSeries(int s);

    bool operator==(const ChartLook&) const = default;
};

// Fonts are kept as family, size, bold and italic only, so that a look
// survives a trip through its file unchanged. An empty family means the
// application's default family.
QFont lookFont(const QString& family, double pointSize, bool bold = false, bool italic = false);

// Names of the enumerations as the file and the settings dialog spell them.
QString seriesKindName(SeriesKind kind);
std::optional<SeriesKind> seriesKindFromName(const QString& name);
QString markerShapeName(MarkerShape shape);
std::optional<MarkerShape> markerShapeFromName(const QString& name);
QString legendPositionName(LegendPosition position);
std::optional<LegendPosition> legendPositionFromName(const QString& name);
QString penStyleName(Qt::PenStyle style);
std::optional<Qt::PenStyle> penStyleFromName(const QString& name);

QVector<SeriesKind> allSeriesKinds();
QVector<MarkerShape> allMarkerShapes();
QVector<LegendPosition> allLegendPositions();
QVector<Qt::PenStyle> allPenStyles();

}  // namespace chartcomponent
