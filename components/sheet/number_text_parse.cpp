// Numbers typed as text, read with the locale's decimal separator; see
// parseNumberText in number_format.h.
#include "components/sheet/number_format.h"

#include <charconv>
#include <string>

namespace sheet {

namespace {

bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// What the grammar check gathers: an ASCII copy with "." for from_chars, which
// is exact and independent of the C locale, and what tells an underflow to
// zero from an overflow.
struct NumberScan {
    std::string ascii;
    int leadingIntDigits = 0;  // integer digits after leading zeros
    int leadingFracZeros = 0;  // zeros right after the separator while the integer part is 0
    long long exponent = 0;
};

// [sign] digits [separator digits] from `i` on; false when there is no digit.
// The separator is the decimal separator or the "." at index `point`.
bool scanMantissa(const QString& s, int& i, QChar decimalSeparator, int point, NumberScan& scan)
{
    const int n = int(s.size());
    if (i < n && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-'))) {
        if (s[i] == QLatin1Char('-'))
            scan.ascii.push_back('-');
        ++i;
    }
    int mantissaDigits = 0;
    bool nonZeroSeen = false;
    while (i < n && isDigit(s[i])) {
        if (s[i] != QLatin1Char('0'))
            nonZeroSeen = true;
        if (nonZeroSeen)
            ++scan.leadingIntDigits;
        scan.ascii.push_back(char(s[i].unicode()));
        ++mantissaDigits;
        ++i;
    }
    if (i < n && (s[i] == decimalSeparator || i == point)) {
        scan.ascii.push_back('.');
        ++i;
        while (i < n && isDigit(s[i])) {
            if (!nonZeroSeen && s[i] == QLatin1Char('0'))
                ++scan.leadingFracZeros;
            if (s[i] != QLatin1Char('0'))
                nonZeroSeen = true;
            scan.ascii.push_back(char(s[i].unicode()));
            ++mantissaDigits;
            ++i;
        }
    }
    return mantissaDigits > 0;
}

// An optional exponent "e"/"E" [sign] digits from `i` on; false when the
// "e" has no digits.
bool scanExponent(const QString& s, int& i, NumberScan& scan)
{
    const int n = int(s.size());
    if (i >= n || (s[i] != QLatin1Char('e') && s[i] != QLatin1Char('E')))
        return true;
    scan.ascii.push_back('e');
    ++i;
    bool negativeExponent = false;
    if (i < n && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-'))) {
        negativeExponent = s[i] == QLatin1Char('-');
        scan.ascii.push_back(char(s[i].unicode()));
        ++i;
    }
    int expDigits = 0;
    while (i < n && isDigit(s[i])) {
        if (scan.exponent < 100000)
            scan.exponent = scan.exponent * 10 + (s[i].unicode() - '0');
        scan.ascii.push_back(char(s[i].unicode()));
        ++expDigits;
        ++i;
    }
    if (negativeExponent)
        scan.exponent = -scan.exponent;
    return expDigits > 0;
}

// The double of a checked ASCII number; false when it is too large.
bool readScanned(const NumberScan& scan, double* out)
{
    const std::string& ascii = scan.ascii;
    double value = 0.0;
    const auto res = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (res.ptr != ascii.data() + ascii.size())
        return false;
    if (res.ec == std::errc::result_out_of_range) {
        // Too small for a double reads as zero; too large is not a number.
        const long long magnitude = scan.leadingIntDigits > 0 ? scan.exponent + scan.leadingIntDigits
                                                              : scan.exponent - scan.leadingFracZeros;
        if (magnitude > 0)
            return false;
        value = ascii[0] == '-' ? -0.0 : 0.0;
    } else if (res.ec != std::errc()) {
        return false;
    }
    *out = value;
    return true;
}

}  // namespace

bool parseNumberText(const QString& text, QChar decimalSeparator, double* out)
{
    // The first "." counts as the decimal separator too. It is passed on by
    // position rather than written into the text, which would copy the text
    // of every number read (a million-row fill reads three million).
    const QString s = text.trimmed();
    const int point = int(s.indexOf(QLatin1Char('.')));

    NumberScan scan;
    scan.ascii.reserve(size_t(s.size()));
    int i = 0;
    if (!scanMantissa(s, i, decimalSeparator, point, scan) || !scanExponent(s, i, scan) || i != int(s.size()))
        return false;
    return readScanned(scan, out);
}

}  // namespace sheet
