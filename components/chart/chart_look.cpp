// Defaults of the chart look and the names its enumerations have in files
// and in the settings dialog.
#include "components/chart/chart_look.h"

#include <array>
#include <utility>

namespace chartcomponent {

namespace {

// Distinct, print-friendly colours; series past the tenth repeat them.
constexpr std::array<QRgb, 10> kPalette = {
    0x1f4e9c, 0xd1495b, 0x2e8b57, 0xe09f1f, 0x6a3d9a,
    0x17a2b8, 0x8c564b, 0xe377c2, 0x555555, 0x9acd32};

template <typename Enum, std::size_t N>
QString nameOf(const std::array<std::pair<Enum, const char*>, N>& table, Enum value) {
    for (const auto& [e, name] : table)
        if (e == value) return QString::fromLatin1(name);
    return QString();
}

template <typename Enum, std::size_t N>
std::optional<Enum> valueOf(const std::array<std::pair<Enum, const char*>, N>& table, const QString& name) {
    const QString wanted = name.trimmed();
    for (const auto& [e, text] : table)
        if (wanted.compare(QLatin1String(text), Qt::CaseInsensitive) == 0) return e;
    return std::nullopt;
}

template <typename Enum, std::size_t N>
QVector<Enum> valuesOf(const std::array<std::pair<Enum, const char*>, N>& table) {
    QVector<Enum> values;
    for (const auto& entry : table) values.append(entry.first);
    return values;
}

const std::array<std::pair<SeriesKind, const char*>, 4> kKinds = {{
    {SeriesKind::Line, "Line"}, {SeriesKind::Points, "Points"},
    {SeriesKind::Step, "Step"}, {SeriesKind::Bars, "Bars"}}};

const std::array<std::pair<MarkerShape, const char*>, 10> kMarkers = {{
    {MarkerShape::None, "None"}, {MarkerShape::Circle, "Circle"}, {MarkerShape::Disc, "Disc"},
    {MarkerShape::Square, "Square"}, {MarkerShape::Diamond, "Diamond"},
    {MarkerShape::Triangle, "Triangle"}, {MarkerShape::TriangleDown, "TriangleDown"},
    {MarkerShape::Cross, "Cross"}, {MarkerShape::Plus, "Plus"}, {MarkerShape::Star, "Star"}}};

const std::array<std::pair<LegendPosition, const char*>, 5> kLegendPositions = {{
    {LegendPosition::TopRight, "TopRight"}, {LegendPosition::TopLeft, "TopLeft"},
    {LegendPosition::BottomRight, "BottomRight"}, {LegendPosition::BottomLeft, "BottomLeft"},
    {LegendPosition::Right, "Right"}}};

const std::array<std::pair<Qt::PenStyle, const char*>, 6> kPenStyles = {{
    {Qt::SolidLine, "Solid"}, {Qt::DashLine, "Dash"}, {Qt::DotLine, "Dot"},
    {Qt::DashDotLine, "DashDot"}, {Qt::DashDotDotLine, "DashDotDot"}, {Qt::NoPen, "None"}}};

}  // namespace

SeriesLook defaultSeriesLook(int series) {
    SeriesLook look;
    const int index = series < 1 ? 0 : (series - 1) % int(kPalette.size());
    look.color = QColor(kPalette[std::size_t(index)]);
    look.order = series;
    look.stackOrder = series;
    return look;
}

ChartLook ChartLook::defaults() {
    ChartLook look;
    look.titleFont = lookFont(QString(), 12, true);
    look.axisTitleFont = lookFont(QString(), 9);
    look.tickLabelFont = lookFont(QString(), 8);
    look.legendFont = lookFont(QString(), 8);
    return look;
}

SeriesLook ChartLook::seriesLook(int s) const {
    if (s >= 1 && s <= series.size()) return series[s - 1];
    return defaultSeriesLook(s);
}

SeriesLook& ChartLook::editSeries(int s) {
    while (series.size() < s) series.append(defaultSeriesLook(int(series.size()) + 1));
    return series[s - 1];
}

QFont lookFont(const QString& family, double pointSize, bool bold, bool italic) {
    QFont font;
    if (!family.isEmpty()) font.setFamily(family);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

QString seriesKindName(SeriesKind kind) { return nameOf(kKinds, kind); }
std::optional<SeriesKind> seriesKindFromName(const QString& name) { return valueOf(kKinds, name); }
QString markerShapeName(MarkerShape shape) { return nameOf(kMarkers, shape); }
std::optional<MarkerShape> markerShapeFromName(const QString& name) { return valueOf(kMarkers, name); }
QString legendPositionName(LegendPosition position) { return nameOf(kLegendPositions, position); }
std::optional<LegendPosition> legendPositionFromName(const QString& name) { return valueOf(kLegendPositions, name); }
QString penStyleName(Qt::PenStyle style) { return nameOf(kPenStyles, style); }
std::optional<Qt::PenStyle> penStyleFromName(const QString& name) { return valueOf(kPenStyles, name); }

QVector<SeriesKind> allSeriesKinds() { return valuesOf(kKinds); }
QVector<MarkerShape> allMarkerShapes() { return valuesOf(kMarkers); }
QVector<LegendPosition> allLegendPositions() { return valuesOf(kLegendPositions); }
QVector<Qt::PenStyle> allPenStyles() { return valuesOf(kPenStyles); }

}  // namespace chartcomponent
