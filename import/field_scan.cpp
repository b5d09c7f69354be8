// Byte-level helpers of the text import; see field_scan.h.
#include "import/field_scan.h"

#include <charconv>
#include <cstdint>
#include <string>
#include <system_error>

namespace dataimport {

std::string_view trimBlanks(std::string_view text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= 0x20) ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 0x20) --end;
    return text.substr(begin, end - begin);
}

FieldStep nextFieldBytes(std::string_view separator, std::size_t firstCharBytes, std::string_view line)
{
    FieldStep step;
    if (line.empty()) return step;
    const std::size_t p = separator.empty() ? std::string_view::npos
                          : separator.size() == 1 ? line.find(separator[0])
                                                  : line.find(separator);
    if (p == std::string_view::npos) {
        step.field = trimBlanks(line);
        return step;
    }
    step.field = trimBlanks(line.substr(0, p));
    const std::size_t restStart = p + firstCharBytes;
    if (restStart < line.size()) step.rest = line.substr(restStart);
    return step;
}

std::string_view stripQuotesBytes(std::string_view text)
{
    if (text.size() < 2) return text;
    if (text.front() == '"') text.remove_prefix(1);
    const std::size_t firstQuote = text.find('"');
    if (firstQuote != std::string_view::npos && firstQuote + 1 == text.size()) text.remove_suffix(1);
    return text;
}

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Exact powers of ten: every one up to 1e22 is a double without rounding.
constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The full conversion for what the fast path cannot take: a copy with "." as
// the decimal point and without a leading "+", read by from_chars.
bool parseNumberSlow(std::string_view text, std::string_view decimalSeparator, double& value)
{
    std::string copy;
    copy.reserve(text.size());
    std::size_t i = text.front() == '+' ? 1 : 0;
    while (i < text.size()) {
        if (text[i] != '.' && !decimalSeparator.empty() && text.substr(i, decimalSeparator.size()) == decimalSeparator) {
            copy.push_back('.');
            i += decimalSeparator.size();
        } else {
            copy.push_back(text[i++]);
        }
    }
    double parsed = 0.0;
    const auto result = std::from_chars(copy.data(), copy.data() + copy.size(), parsed, std::chars_format::general);
    if (result.ec != std::errc() || result.ptr != copy.data() + copy.size()) return false;  // out of a double's range
    value = parsed;
    return true;
}

}  // namespace

bool parseNumberBytes(std::string_view text, std::string_view decimalSeparator, double& value)
{
    text = trimBlanks(text);
    // Checks the grammar and gathers the digits as an integer mantissa and a
    // decimal exponent for the fast path below.
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    bool sawMark = false;
    int mantissaDigits = 0;
    std::uint64_t mantissa = 0;
    int significantDigits = 0;
    int scale = 0;  // decimal exponent of the mantissa's last digit
    while (i < text.size()) {
        const char c = text[i];
        if (isDigit(c)) {
            ++mantissaDigits;
            if (mantissa != 0 || c != '0') {
                if (significantDigits < 19) {
                    mantissa = mantissa * 10 + static_cast<unsigned>(c - '0');
                    if (sawMark) --scale;
                } else if (!sawMark) {
                    ++scale;
                }
                ++significantDigits;
            } else if (sawMark) {
                --scale;  // a leading zero after the mark
            }
            ++i;
        } else if (c == '.' || (!decimalSeparator.empty() && text.substr(i, decimalSeparator.size()) == decimalSeparator)) {
            if (sawMark) return false;
            sawMark = true;
            i += c == '.' ? 1 : decimalSeparator.size();
        } else {
            break;
        }
    }
    if (mantissaDigits == 0) return false;
    int exponent = 0;
    bool exponentLarge = false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool exponentNegative = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            exponentNegative = text[i] == '-';
            ++i;
        }
        int exponentDigits = 0;
        while (i < text.size() && isDigit(text[i])) {
            if (exponent < 100000) exponent = exponent * 10 + (text[i] - '0');
            else exponentLarge = true;
            ++i;
            ++exponentDigits;
        }
        if (exponentDigits == 0) return false;
        if (exponentNegative) exponent = -exponent;
    }
    if (i != text.size()) return false;

    // Fast path: up to 15 significant digits are exact in a double, and so is
    // every power of ten up to 1e22, so one multiplication or division rounds
    // exactly once: the correctly rounded result, as from_chars gives it.
    const int power = scale + exponent;
    if (!exponentLarge && significantDigits <= 15 && power >= -22 && power <= 22) {
        double v = static_cast<double>(mantissa);
        v = power < 0 ? v / kPowersOfTen[-power] : v * kPowersOfTen[power];
        value = negative ? -v : v;
        return true;
    }
    return parseNumberSlow(text, decimalSeparator, value);
}

}  // namespace dataimport
