// Dates and times of format codes; see date_formatting.h.
#include "components/sheet/date_formatting.h"

#include <QDate>

#include <array>
#include <cmath>

namespace sheet::numfmt {

namespace {

constexpr int kLastSerialDay = 2958465;  // 9999-12-31

struct DateParts {
    int year = 1900, month = 1, day = 0;
    int weekday = 0;  // 0 = Sunday
};

// Serial day of the 1900 date system to a calendar date, keeping the
// fictitious 1900-02-29 (serial 60) that the common spreadsheets count.
DateParts dateOfSerial(qint64 days)
{
    DateParts p;
    p.weekday = int((days + 6) % 7);
    if (days == 0)
        return p;  // "1900-01-00", as spreadsheets show serial 0
    if (days == 60) {
        p.month = 2;
        p.day = 29;
        return p;
    }
    const QDate base = days < 60 ? QDate(1899, 12, 31) : QDate(1899, 12, 30);
    const QDate date = base.addDays(days);
    p.year = date.year();
    p.month = date.month();
    p.day = date.day();
    return p;
}

const std::array<const char*, 12> kMonthNames = {
    "January", "February", "March", "April", "May", "June",
    "July", "August", "September", "October", "November", "December"};
const std::array<const char*, 7> kDayNames = {
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

QString twoDigits(qint64 n)
{
    return QString::number(n).rightJustified(2, QLatin1Char('0'));
}

// The clock part of a serial value, rounded once to the smallest unit shown
// so that 23:59:59.7 without fractions becomes the next day.
struct TimeParts {
    qint64 days = 0;
    qint64 fraction = 0;      // of the second, in units of the fraction digits shown
    qint64 totalSeconds = 0;  // since serial 0, for elapsed times
    int hour = 0, minute = 0, second = 0;
};

// False when the value shows as no date at all.
bool splitSerial(double value, int fractionDigits, TimeParts* out)
{
    if (!std::isfinite(value) || value < 0 || value >= kLastSerialDay + 1.0)
        return false;
    qint64 unitsPerSecond = 1;
    for (int k = 0; k < fractionDigits; ++k)
        unitsPerSecond *= 10;
    const qint64 unitsPerDay = 86400 * unitsPerSecond;
    const qint64 totalUnits = std::llround(value * double(unitsPerDay));
    TimeParts t;
    t.days = totalUnits / unitsPerDay;
    if (t.days > kLastSerialDay)
        return false;
    const qint64 unitsOfDay = totalUnits % unitsPerDay;
    const qint64 secondsOfDay = unitsOfDay / unitsPerSecond;
    t.fraction = unitsOfDay % unitsPerSecond;
    t.totalSeconds = totalUnits / unitsPerSecond;
    t.hour = int(secondsOfDay / 3600);
    t.minute = int(secondsOfDay / 60 % 60);
    t.second = int(secondsOfDay % 60);
    *out = t;
    return true;
}

QString amPmText(const DatePiece& p, int hour)
{
    const bool pm = hour >= 12;
    if (p.width == 5) {
        const bool lower = p.text[0].isLower();
        const QString marker = pm ? QStringLiteral("PM") : QStringLiteral("AM");
        return lower ? marker.toLower() : marker;
    }
    return QString(pm ? p.text[2] : p.text[0]);
}

int clockHour(int hour, bool twelveHour)
{
    if (!twelveHour)
        return hour;
    const int h = hour % 12;
    return h == 0 ? 12 : h;
}

}  // namespace

QString formatDateTime(double value, const std::vector<DatePiece>& pieces, QChar sep)
{
    int fractionDigits = 0;
    bool twelveHour = false;
    for (const DatePiece& p : pieces) {
        if (p.token == DateToken::Fraction)
            fractionDigits = std::max(fractionDigits, p.width);
        if (p.token == DateToken::AmPm)
            twelveHour = true;
    }
    TimeParts time;
    if (!splitSerial(value, fractionDigits, &time))
        return QStringLiteral("########");
    const DateParts date = dateOfSerial(time.days);

    QString out;
    for (const DatePiece& p : pieces) {
        switch (p.token) {
        case DateToken::Literal: out += p.text; break;
        case DateToken::Year2: out += twoDigits(date.year % 100); break;
        case DateToken::Year4: out += QString::number(date.year).rightJustified(4, QLatin1Char('0')); break;
        case DateToken::Day: out += QString::number(date.day); break;
        case DateToken::Day2: out += twoDigits(date.day); break;
        case DateToken::DayName3: out += QString::fromLatin1(kDayNames[date.weekday], 3); break;
        case DateToken::DayName: out += QString::fromLatin1(kDayNames[date.weekday]); break;
        case DateToken::Month: out += QString::number(date.month); break;
        case DateToken::Month2: out += twoDigits(date.month); break;
        case DateToken::MonthName3: out += QString::fromLatin1(kMonthNames[date.month - 1], 3); break;
        case DateToken::MonthName: out += QString::fromLatin1(kMonthNames[date.month - 1]); break;
        case DateToken::MonthLetter: out += QLatin1Char(kMonthNames[date.month - 1][0]); break;
        case DateToken::Hour: out += QString::number(clockHour(time.hour, twelveHour)); break;
        case DateToken::Hour2: out += twoDigits(clockHour(time.hour, twelveHour)); break;
        case DateToken::Minute: out += QString::number(time.minute); break;
        case DateToken::Minute2: out += twoDigits(time.minute); break;
        case DateToken::Second: out += QString::number(time.second); break;
        case DateToken::Second2: out += twoDigits(time.second); break;
        case DateToken::ElapsedHours:
            out += QString::number(time.totalSeconds / 3600).rightJustified(p.width, QLatin1Char('0'));
            break;
        case DateToken::ElapsedMinutes:
            out += QString::number(time.totalSeconds / 60).rightJustified(p.width, QLatin1Char('0'));
            break;
        case DateToken::ElapsedSeconds:
            out += QString::number(time.totalSeconds).rightJustified(p.width, QLatin1Char('0'));
            break;
        case DateToken::Fraction:
            out += sep + QString::number(time.fraction).rightJustified(fractionDigits, QLatin1Char('0')).left(p.width);
            break;
        case DateToken::AmPm: out += amPmText(p, time.hour); break;
        }
    }
    return out;
}

}  // namespace sheet::numfmt
