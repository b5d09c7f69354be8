// Serial day numbers of the 1900 date system, as workbooks store dates.
#include "import/workbook_readers.h"

#include <QDate>
#include <QRegularExpression>

namespace dataimport {

double serialFromDateTime(int year, int month, int day, int hour, int minute, double second)
{
    const QDate date(year, month, day);
    // Serial 60 is the fictitious 1900-02-29 of the 1900 date system, so dates
    // from 1900-03-01 on count from 1899-12-30 and earlier ones from 1899-12-31.
    const qint64 base = date >= QDate(1900, 3, 1) ? QDate(1899, 12, 30).toJulianDay() : QDate(1899, 12, 31).toJulianDay();
    const double days = date.isValid() ? static_cast<double>(date.toJulianDay() - base) : 0.0;
    return days + (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
}

bool serialFromIsoDate(QStringView text, double& serial)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(-?\\d{4,6})-(\\d{2})-(\\d{2})(?:T(\\d{2}):(\\d{2}):(\\d{2}(?:\\.\\d+)?))?"));
    const auto m = pattern.match(text);
    if (!m.hasMatch()) return false;
    serial = serialFromDateTime(m.capturedView(1).toInt(), m.capturedView(2).toInt(), m.capturedView(3).toInt(),
                                m.capturedView(4).toInt(), m.capturedView(5).toInt(), m.capturedView(6).toDouble());
    return true;
}

}  // namespace dataimport
