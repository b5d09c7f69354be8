// Chart template files: parsing with line-numbered errors, formatting, and
// the atomic file write. Unknown sections and keys are skipped so that a
// newer program's additions do not stop an older one.
#include "components/chart/look_file.h"

#include "components/chart/chart_error.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringDecoder>

#include <cmath>
#include <functional>

namespace chartcomponent {

namespace {

constexpr qint64 kMaxFileBytes = 1 << 20;  // a look is a few kilobytes; more is not a look

class LookParser {
public:
    LookParser(const QString& fileName) : m_fileName(fileName) {}

    ChartLook parse(const QString& text);

private:
    [[noreturn]] void fail(const QString& reason) const {
        throw ChartError(QStringLiteral("%1, line %2: %3").arg(m_fileName).arg(m_line).arg(reason));
    }

    bool toBool(const QString& value) const;
    double toNumber(const QString& value, double low, double high) const;
    int toInt(const QString& value, int low, int high) const;
    QColor toColor(const QString& value) const;
    template <typename T>
    T toEnum(const QString& value, std::optional<T> parsed) const {
        if (!parsed) fail(QStringLiteral("'%1' is not a valid value for %2").arg(value, m_key));
        return *parsed;
    }

    void applyKey(ChartLook& look, const QString& key, const QString& value);
    void applyFontKey(QFont& font, const QString& key, const QString& value);

    QString m_fileName;
    int m_line = 0;
    QString m_section;   // lower case
    int m_series = 0;    // current [Series N] section, 0 elsewhere
    QString m_key;
    bool m_sawFormat = false;
};

bool LookParser::toBool(const QString& value) const {
    const QString v = value.toLower();
    if (v == u"true" || v == u"yes" || v == u"1") return true;
    if (v == u"false" || v == u"no" || v == u"0") return false;
    fail(QStringLiteral("'%1' is not true or false (key %2)").arg(value, m_key));
}

double LookParser::toNumber(const QString& value, double low, double high) const {
    bool ok = false;
    const double number = value.toDouble(&ok);  // always the C locale: '.' as decimal point
    if (!ok || !std::isfinite(number))
        fail(QStringLiteral("'%1' is not a number (key %2)").arg(value, m_key));
    if (number < low || number > high)
        fail(QStringLiteral("%1 is outside %2..%3 (key %4)").arg(value).arg(low).arg(high).arg(m_key));
    return number;
}

int LookParser::toInt(const QString& value, int low, int high) const {
    bool ok = false;
    const int number = value.toInt(&ok);
    if (!ok) fail(QStringLiteral("'%1' is not a whole number (key %2)").arg(value, m_key));
    if (number < low || number > high)
        fail(QStringLiteral("%1 is outside %2..%3 (key %4)").arg(number).arg(low).arg(high).arg(m_key));
    return number;
}

QColor LookParser::toColor(const QString& value) const {
    const QColor color = QColor::fromString(value);
    if (!color.isValid()) fail(QStringLiteral("'%1' is not a colour (key %2)").arg(value, m_key));
    return color;
}

void LookParser::applyFontKey(QFont& font, const QString& key, const QString& value) {
    if (key == u"family") {
        font = lookFont(value, font.pointSizeF(), font.bold(), font.italic());
    } else if (key == u"size") {
        font.setPointSizeF(toNumber(value, 1, 400));
    } else if (key == u"bold") {
        font.setBold(toBool(value));
    } else if (key == u"italic") {
        font.setItalic(toBool(value));
    }
}

void LookParser::applyKey(ChartLook& look, const QString& key, const QString& value) {
    if (m_section == u"chart") {
        if (key == u"format") {
            const int version = toInt(value, 1, 1000000);
            if (version > kChartLookFormatVersion)
                fail(QStringLiteral("format version %1 is newer than this program reads (%2)")
                         .arg(version).arg(kChartLookFormatVersion));
            m_sawFormat = true;
        } else if (key == u"background") {
            look.background = toColor(value);
        } else if (key == u"plotbackground") {
            look.plotBackground = toColor(value);
        }
    } else if (m_section == u"titlefont") {
        applyFontKey(look.titleFont, key, value);
    } else if (m_section == u"axistitlefont") {
        applyFontKey(look.axisTitleFont, key, value);
    } else if (m_section == u"ticklabelfont") {
        applyFontKey(look.tickLabelFont, key, value);
    } else if (m_section == u"legendfont") {
        applyFontKey(look.legendFont, key, value);
    } else if (m_section == u"legend") {
        if (key == u"visible") look.legendVisible = toBool(value);
        else if (key == u"position") look.legendPosition = toEnum(value, legendPositionFromName(value));
    } else if (m_section == u"valuescale") {
        ValueScale& scale = look.valueScale;
        if (key == u"automatic") scale.automatic = toBool(value);
        else if (key == u"minimum") scale.minimum = toNumber(value, -1e300, 1e300);
        else if (key == u"maximum") scale.maximum = toNumber(value, -1e300, 1e300);
        else if (key == u"majordivisions") scale.majorDivisions = toInt(value, 1, 1000);
        else if (key == u"minordivisions") scale.minorDivisions = toInt(value, 1, 100);
    } else if (m_section == u"grid") {
        if (key == u"xlines") look.xGridLines = toBool(value);
        else if (key == u"ylines") look.yGridLines = toBool(value);
        else if (key == u"yminorlines") look.yMinorGridLines = toBool(value);
        else if (key == u"color") look.gridColor = toColor(value);
    } else if (m_series > 0) {
        SeriesLook& series = look.editSeries(m_series);
        if (key == u"kind") series.kind = toEnum(value, seriesKindFromName(value));
        else if (key == u"color") series.color = toColor(value);
        else if (key == u"linewidth") series.lineWidth = toNumber(value, 0, 50);
        else if (key == u"linestyle") series.penStyle = toEnum(value, penStyleFromName(value));
        else if (key == u"marker") series.marker = toEnum(value, markerShapeFromName(value));
        else if (key == u"markersize") series.markerSize = toNumber(value, 0, 100);
        else if (key == u"hidden") series.hidden = toBool(value);
        else if (key == u"excluded") series.excluded = toBool(value);
        else if (key == u"order") series.order = toInt(value, -1000000, 1000000);
        else if (key == u"stackorder") series.stackOrder = toInt(value, -1000000, 1000000);
    }
}

ChartLook LookParser::parse(const QString& text) {
    static const QRegularExpression seriesSection(QStringLiteral("^series\\s*(\\d{1,4})$"));
    ChartLook look = ChartLook::defaults();
    QString normalized = text;
    normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar('\r'), QChar('\n'));
    const QStringList lines = normalized.split(QChar('\n'));
    for (m_line = 1; m_line <= lines.size(); ++m_line) {
        const QString line = lines[m_line - 1].trimmed();
        if (line.isEmpty() || line.startsWith(QChar('#')) || line.startsWith(QChar(';'))) continue;
        if (line.startsWith(QChar('['))) {
            if (!line.endsWith(QChar(']'))) fail(QStringLiteral("section line without closing ']'"));
            m_section = line.mid(1, line.size() - 2).trimmed().toLower();
            m_series = 0;
            if (const auto match = seriesSection.match(m_section); match.hasMatch()) {
                m_series = match.captured(1).toInt();
                if (m_series < 1) fail(QStringLiteral("series numbers start at 1"));
            }
            continue;
        }
        const qsizetype equals = line.indexOf(QChar('='));
        if (equals <= 0) fail(QStringLiteral("expected Key=Value, a [Section] or a # comment"));
        if (m_section.isEmpty()) fail(QStringLiteral("key outside any section"));
        m_key = line.left(equals).trimmed();
        applyKey(look, m_key.toLower(), line.mid(equals + 1).trimmed());
    }
    --m_line;
    if (!m_sawFormat)
        throw ChartError(QStringLiteral("%1: not a chart look file (no Format key in a [Chart] section)").arg(m_fileName));
    const ValueScale& scale = look.valueScale;
    if (!(scale.minimum < scale.maximum))
        throw ChartError(QStringLiteral("%1: [ValueScale] Minimum %2 is not below Maximum %3")
                             .arg(m_fileName).arg(scale.minimum).arg(scale.maximum));
    return look;
}

QString boolText(bool value) { return value ? QStringLiteral("true") : QStringLiteral("false"); }

QString numberText(double value) { return QString::number(value, 'g', 17); }

QString colorText(const QColor& color) {
    return color.name(color.alpha() == 255 ? QColor::HexRgb : QColor::HexArgb);
}

void appendFont(QString& out, const char* section, const QFont& font, bool defaultFamily) {
    out += QStringLiteral("\n[%1]\n").arg(QLatin1String(section));
    out += QStringLiteral("Family=%1\n").arg(defaultFamily ? QString() : font.family());
    out += QStringLiteral("Size=%1\n").arg(numberText(font.pointSizeF()));
    out += QStringLiteral("Bold=%1\n").arg(boolText(font.bold()));
    out += QStringLiteral("Italic=%1\n").arg(boolText(font.italic()));
}

}  // namespace

ChartLook parseChartLook(const QString& text, const QString& fileName) {
    return LookParser(fileName).parse(text);
}

QString formatChartLook(const ChartLook& look, int seriesCount) {
    // A font whose family was never set follows the application's default
    // family; it is written with an empty family so that it keeps doing so.
    const QString defaultFamily = QFont().family();
    auto isDefaultFamily = [&](const QFont& font) {
        return !(font.resolveMask() & (QFont::FamilyResolved | QFont::FamiliesResolved)) ||
               font.family() == defaultFamily;
    };
    QString out;
    out += QStringLiteral("# Plotwise chart look\n[Chart]\nFormat=%1\n").arg(kChartLookFormatVersion);
    out += QStringLiteral("Background=%1\n").arg(colorText(look.background));
    out += QStringLiteral("PlotBackground=%1\n").arg(colorText(look.plotBackground));
    appendFont(out, "TitleFont", look.titleFont, isDefaultFamily(look.titleFont));
    appendFont(out, "AxisTitleFont", look.axisTitleFont, isDefaultFamily(look.axisTitleFont));
    appendFont(out, "TickLabelFont", look.tickLabelFont, isDefaultFamily(look.tickLabelFont));
    appendFont(out, "LegendFont", look.legendFont, isDefaultFamily(look.legendFont));
    out += QStringLiteral("\n[Legend]\nVisible=%1\nPosition=%2\n")
               .arg(boolText(look.legendVisible), legendPositionName(look.legendPosition));
    const ValueScale& scale = look.valueScale;
    out += QStringLiteral("\n[ValueScale]\nAutomatic=%1\nMinimum=%2\nMaximum=%3\nMajorDivisions=%4\nMinorDivisions=%5\n")
               .arg(boolText(scale.automatic), numberText(scale.minimum), numberText(scale.maximum))
               .arg(scale.majorDivisions).arg(scale.minorDivisions);
    out += QStringLiteral("\n[Grid]\nXLines=%1\nYLines=%2\nYMinorLines=%3\nColor=%4\n")
               .arg(boolText(look.xGridLines), boolText(look.yGridLines), boolText(look.yMinorGridLines),
                    colorText(look.gridColor));
    const int count = std::max(int(look.series.size()), seriesCount);
    for (int s = 1; s <= count; ++s) {
        const SeriesLook series = look.seriesLook(s);
        out += QStringLiteral("\n[Series %1]\n").arg(s);
        out += QStringLiteral("Kind=%1\nColor=%2\nLineWidth=%3\nLineStyle=%4\n")
                   .arg(seriesKindName(series.kind), colorText(series.color), numberText(series.lineWidth),
                        penStyleName(series.penStyle));
        out += QStringLiteral("Marker=%1\nMarkerSize=%2\nHidden=%3\nExcluded=%4\nOrder=%5\nStackOrder=%6\n")
                   .arg(markerShapeName(series.marker), numberText(series.markerSize), boolText(series.hidden),
                        boolText(series.excluded))
                   .arg(series.order).arg(series.stackOrder);
    }
    return out;
}

ChartLook readChartLookFile(const QString& path) {
    QFile file(path);
    if (!QFileInfo(path).isFile())
        throw ChartError(QStringLiteral("%1: chart look file not found").arg(path));
    if (!file.open(QIODevice::ReadOnly))
        throw ChartError(QStringLiteral("%1: cannot open chart look file: %2").arg(path, file.errorString()));
    if (file.size() > kMaxFileBytes)
        throw ChartError(QStringLiteral("%1: too large for a chart look file (%2 bytes)").arg(path).arg(file.size()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw ChartError(QStringLiteral("%1: cannot read chart look file: %2").arg(path, file.errorString()));
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        throw ChartError(QStringLiteral("%1: not a chart look file (not UTF-8 text)").arg(path));
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    return parseChartLook(text, path);
}

void writeChartLookFile(const QString& path, const ChartLook& look, int seriesCount) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw ChartError(QStringLiteral("%1: cannot write chart look file: %2").arg(path, file.errorString()));
    const QByteArray bytes = formatChartLook(look, seriesCount).toUtf8();
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw ChartError(QStringLiteral("%1: cannot write chart look file: %2").arg(path, file.errorString()));
}

}  // namespace chartcomponent
