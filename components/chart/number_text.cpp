// Number texts of the chart's data cells.
#include "components/chart/number_text.h"

#include <cmath>
#include <limits>

namespace chartcomponent {

std::optional<double> parseChartNumber(const QString& text, QChar separator) {
    QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) return std::numeric_limits<double>::quiet_NaN();
    if (separator != QChar('.')) {
        if (trimmed.contains(QChar('.')) && trimmed.contains(separator)) return std::nullopt;
        trimmed.replace(separator, QChar('.'));
    }
    bool ok = false;
    const double value = trimmed.toDouble(&ok);  // C locale
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

QString formatChartNumber(double value, QChar separator) {
    if (std::isnan(value)) return QString();
    QString text = QString::number(value, 'g', 15);
    if (separator != QChar('.')) text.replace(QChar('.'), separator);
    return text;
}

}  // namespace chartcomponent
