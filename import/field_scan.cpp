// Byte-level helpers of the text import; see field_scan.h.
#include "field_scan.h"

#include <charconv>
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

}  // namespace

bool parseNumberBytes(std::string_view text, std::string_view decimalSeparator, double& value)
{
    text = trimBlanks(text);
    // Checks the grammar and writes a copy for from_chars with "." as the
    // decimal point and without a leading "+"; short numbers stay on the stack.
    char small[96];
    std::string large;
    std::size_t n = 0;
    auto put = [&](char c) {
        if (n < sizeof small) {
            small[n] = c;
        } else {
            if (n == sizeof small) large.assign(small, n);
            large.push_back(c);
        }
        ++n;
    };
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') put('-');
        ++i;
    }
    bool sawMark = false;
    int mantissaDigits = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (isDigit(c)) {
            put(c);
            ++mantissaDigits;
            ++i;
        } else if (c == '.' || (!decimalSeparator.empty() && text.substr(i, decimalSeparator.size()) == decimalSeparator)) {
            if (sawMark) return false;
            sawMark = true;
            put('.');
            i += c == '.' ? 1 : decimalSeparator.size();
        } else {
            break;
        }
    }
    if (mantissaDigits == 0) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        put('e');
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) put(text[i++]);
        int exponentDigits = 0;
        while (i < text.size() && isDigit(text[i])) {
            put(text[i++]);
            ++exponentDigits;
        }
        if (exponentDigits == 0) return false;
    }
    if (i != text.size()) return false;

    const char* first = n <= sizeof small ? small : large.data();
    const char* last = first + n;
    double parsed = 0.0;
    const auto result = std::from_chars(first, last, parsed, std::chars_format::general);
    if (result.ec != std::errc() || result.ptr != last) return false;  // out of a double's range
    value = parsed;
    return true;
}

}  // namespace dataimport
