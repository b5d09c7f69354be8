// Numbers shown through their format codes: General, fixed, percent and
// scientific here, dates and times in date_formatting.cpp.
//
// Every numeric display goes through a 15-significant-digit decimal form of
// the value first and rounds that decimal text, never the binary double:
// this is what users see in the common desktop spreadsheets (2.675 under
// "0.00" shows 2.68 although the double is 2.67499999...).
#include "components/sheet/number_format.h"

#include "components/sheet/date_formatting.h"
#include "components/sheet/number_format_code.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace sheet {

using namespace numfmt;

namespace {

// ---------------------------------------------------------------------------
// Decimal digits of a value
// ---------------------------------------------------------------------------

// |value| = 0.d1 d2 ... dn x 10^pointPos; no leading or trailing zero digits;
// zero is an empty digit string.
struct Decimal {
    bool negative = false;
    std::string digits;
    int pointPos = 0;

    bool isZero() const { return digits.empty(); }
};

void stripTrailingZeros(Decimal& d)
{
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    if (d.digits.empty())
        d.pointPos = 0;
}

// The value rounded to 15 significant digits (correctly rounded from the
// binary value), which is all a spreadsheet ever shows of a number.
Decimal toDecimal15(double value)
{
    Decimal d;
    if (value == 0.0 || !std::isfinite(value))
        return d;  // zero; negative zero loses its sign
    d.negative = value < 0;
    char buf[48];
    auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value),
                             std::chars_format::scientific, 14);
    // buf: "d.dddddddddddddde[+-]XX"; read in place, no temporary strings.
    const char* e = static_cast<const char*>(std::memchr(buf, 'e', size_t(res.ptr - buf)));
    d.digits.push_back(buf[0]);
    d.digits.append(buf + 2, size_t(e - (buf + 2)));
    const char* expStart = e + 1;
    if (*expStart == '+')
        ++expStart;
    int exponent = 0;
    std::from_chars(expStart, res.ptr, exponent);
    d.pointPos = exponent + 1;
    stripTrailingZeros(d);
    return d;
}

// Rounds half away from zero so that only `keep` significant digits remain.
void roundToDigits(Decimal& d, int keep)
{
    if (d.isZero() || keep >= static_cast<int>(d.digits.size()))
        return;
    if (keep < 0) {
        d.digits.clear();
        d.pointPos = 0;
        return;
    }
    const bool up = d.digits[keep] >= '5';
    d.digits.resize(keep);
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[i] == '9') {
            d.digits[i] = '0';
            --i;
        }
        if (i >= 0) {
            ++d.digits[i];
        } else {
            d.digits.insert(d.digits.begin(), '1');
            ++d.pointPos;
        }
    }
    stripTrailingZeros(d);
}

// Rounds half away from zero to `decimals` places after the decimal point.
void roundToDecimals(Decimal& d, int decimals)
{
    roundToDigits(d, d.pointPos + decimals);
}

// Digit at position `index` counted from the decimal point (0 = first digit
// before the point going left is index -1; first after the point is 0).
char digitAfterPoint(const Decimal& d, int index)
{
    const int pos = d.pointPos + index;
    if (pos < 0 || pos >= static_cast<int>(d.digits.size()))
        return '0';
    return d.digits[pos];
}

std::string integerDigits(const Decimal& d)
{
    std::string out;
    for (int i = 0; i < d.pointPos; ++i)
        out.push_back(i < static_cast<int>(d.digits.size()) ? d.digits[i] : '0');
    return out;
}

QString exponentText(int exponent, int minDigits, bool alwaysSign)
{
    QString text = QString::number(std::abs(exponent)).rightJustified(minDigits, QLatin1Char('0'));
    if (exponent < 0)
        return QLatin1Char('-') + text;
    return alwaysSign ? QLatin1Char('+') + text : text;
}

// The digits with `groupSep` between every three from the right, built in
// one pass: a code may ask for tens of thousands of integer digits.
QString groupedDigits(const QString& digits, QChar groupSep)
{
    const qsizetype n = digits.size();
    QString out;
    out.reserve(n + n / 3);
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += groupSep;
        out += digits[i];
    }
    return out;
}

// ---------------------------------------------------------------------------
// General
// ---------------------------------------------------------------------------

QString formatGeneral(double value, QChar sep)
{
    if (value == 0.0)
        return QStringLiteral("0");  // negative zero too
    // "%.15g": 15 significant digits, trailing zeros dropped, scientific
    // below 1e-4 and from 1e15 on, exponent with at least two digits.
    char buf[40];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    QString out(int(res.ptr - buf), Qt::Uninitialized);
    QChar* dst = out.data();
    for (const char* p = buf; p != res.ptr; ++p, ++dst) {
        if (*p == '.')
            *dst = sep;
        else if (*p == 'e')
            *dst = QLatin1Char('E');
        else
            *dst = QLatin1Char(*p);
    }
    return out;
}

// ---------------------------------------------------------------------------
// Fixed, percent and scientific codes
// ---------------------------------------------------------------------------

QString formatNumeric(double value, const NumericPattern& p, QChar sep, bool showMinus)
{
    QString prefix = p.prefix;
    QString suffix = p.suffix;
    if (p.hasGeneralMark) {
        const QString general = formatGeneral(value, sep);
        prefix.replace(QChar(kGeneralMark), general);
        suffix.replace(QChar(kGeneralMark), general);
    }
    Decimal d = toDecimal15(value);
    if (!p.hasDigits) {
        // A code of literals only ("-", "\"none\"") shows just its text.
        return prefix + suffix;
    }
    if (p.percent)
        d.pointPos += 2;
    if (!d.isZero())
        d.pointPos -= 3 * p.scaleCommas;

    QString number;
    if (p.scientific) {
        const int intDigits = std::max(1, p.minInt);
        roundToDigits(d, intDigits + p.maxDec);
        const int exponent = d.isZero() ? 0 : d.pointPos - intDigits;
        QString mantissa;
        for (int i = 0; i < intDigits; ++i)
            mantissa += QLatin1Char(i < int(d.digits.size()) ? d.digits[i] : '0');
        QString frac;
        for (int i = 0; i < p.maxDec; ++i) {
            const int pos = intDigits + i;
            frac += QLatin1Char(pos < int(d.digits.size()) ? d.digits[pos] : '0');
        }
        while (frac.size() > p.minDec && frac.endsWith(QLatin1Char('0')))
            frac.chop(1);
        number = mantissa;
        if (p.hasPoint)
            number += sep + frac;
        number += QLatin1Char('E') + exponentText(exponent, std::max(1, p.expDigits), p.expAlwaysSign);
    } else {
        roundToDecimals(d, p.maxDec);
        std::string intPart = integerDigits(d);
        QString intText = QString::fromLatin1(intPart.c_str());
        if (intText.size() < p.minInt)
            intText = QString(p.minInt - intText.size(), QLatin1Char('0')) + intText;
        if (p.grouping && intText.size() > 3)
            intText = groupedDigits(intText, sep == QLatin1Char(',') ? QLatin1Char('.') : QLatin1Char(','));
        QString frac;
        for (int i = 0; i < p.maxDec; ++i)
            frac += QLatin1Char(digitAfterPoint(d, i));
        while (frac.size() > p.minDec && frac.endsWith(QLatin1Char('0')))
            frac.chop(1);
        number = intText;
        if (p.hasPoint)
            number += sep + frac;
    }
    if (showMinus && d.negative && !d.isZero())
        number.prepend(QLatin1Char('-'));
    return prefix + number + suffix;
}

}  // namespace

QString formatNumber(double value, const QString& format, QChar decimalSeparator)
{
    if (!std::isfinite(value))
        return QStringLiteral("#NUM!");
    if (isGeneral(format))
        return formatGeneral(value, decimalSeparator);

    const std::shared_ptr<const ParsedFormat> parsed = cachedFormat(format);
    const std::vector<ParsedSection>& sections = parsed->sections;
    const ParsedSection* section = &sections[0];
    bool showMinus = true;
    if (value < 0 && sections.size() >= 2) {
        // The negative section writes its own sign (or parentheses).
        section = &sections[1];
        value = -value;
        showMinus = false;
    } else if (value == 0 && sections.size() >= 3) {
        section = &sections[2];
    }
    if (section->general)
        return formatGeneral(value, decimalSeparator);
    if (section->dateTime)
        return formatDateTime(value, section->datePieces, decimalSeparator);
    return formatNumeric(value, section->numeric, decimalSeparator, showMinus);
}

QString shortestRoundTrip(double value)
{
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    return QString::fromLatin1(buf, int(res.ptr - buf));
}

}  // namespace sheet
