// A1 addresses, column letters and name validity; see cell_address.h.
#include "components/sheet/cell_address.h"

#include <QChar>

namespace sheet {

namespace {

// Both kinds of text are read one code unit at a time; only ASCII matters here.
inline char16_t unit(QChar c) { return c.unicode(); }
inline char16_t unit(char c) { return static_cast<unsigned char>(c); }

inline bool isAsciiLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }
inline bool isAsciiDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

template <typename View>
int columnNumberOf(View letters, int maxCol)
{
    if (letters.empty()) return 0;
    long long col = 0;
    for (const auto c : letters) {
        const char16_t u = unit(c);
        if (!isAsciiLetter(u)) return 0;
        col = col * 26 + ((u & ~0x20) - u'A' + 1);
        if (col > maxCol) return 0;
    }
    return static_cast<int>(col);
}

template <typename View>
int matchAddress(View text, CellAddress* out)
{
    constexpr size_t kMaxLetters = 3;
    constexpr size_t kMaxDigits = 8;  // room for leading zeros
    const size_t n = text.size();
    size_t i = 0;
    CellAddress address;
    if (i < n && unit(text[i]) == u'$') { address.colAbsolute = true; ++i; }
    const size_t lettersStart = i;
    while (i < n && isAsciiLetter(unit(text[i])) && i - lettersStart <= kMaxLetters) ++i;
    const size_t letterCount = i - lettersStart;
    if (letterCount < 1 || letterCount > kMaxLetters) return 0;
    if (i < n && unit(text[i]) == u'$') { address.rowAbsolute = true; ++i; }
    const size_t digitsStart = i;
    long row = 0;
    while (i < n && isAsciiDigit(unit(text[i]))) {
        if (i - digitsStart < kMaxDigits) row = row * 10 + (unit(text[i]) - u'0');
        ++i;
    }
    if (i == digitsStart || i - digitsStart > kMaxDigits) return 0;
    address.col = columnNumberOf(View(text.data() + lettersStart, letterCount), kMaxCols);
    if (address.col == 0 || row < 1 || row > kMaxRows) return 0;
    address.row = static_cast<int>(row);
    *out = address;
    return static_cast<int>(i);
}

template <typename View>
std::optional<CellAddress> parseAddress(View text)
{
    CellAddress address;
    const int length = matchAddress(text, &address);
    if (length == 0 || length != static_cast<int>(text.size())) return std::nullopt;
    return address;
}

// Writes the letters of col (1..kMaxCols) into buffer backwards; returns the first.
char* letterDigits(int col, char* end)
{
    char* p = end;
    for (; col > 0; col = (col - 1) / 26) *--p = static_cast<char>('A' + (col - 1) % 26);
    return p;
}

}  // namespace

int columnNumber(QStringView letters, int maxCol) { return columnNumberOf(letters, maxCol); }
int columnNumber(std::string_view letters, int maxCol) { return columnNumberOf(letters, maxCol); }

QString columnLetters(int col, int maxCol)
{
    if (col < 1 || col > maxCol) return QString();
    char buffer[8];  // a column number of int range needs at most 7 letters
    char* const end = buffer + sizeof buffer;
    const char* first = letterDigits(col, end);
    return QString::fromLatin1(first, end - first);
}

void appendColumnLetters(std::string& out, int col)
{
    if (col < 1 || col > kMaxCols) return;
    char buffer[4];
    char* const end = buffer + sizeof buffer;
    const char* first = letterDigits(col, end);
    out.append(first, static_cast<size_t>(end - first));
}

int matchCellAddress(QStringView text, CellAddress* out) { return matchAddress(text, out); }
int matchCellAddress(std::string_view text, CellAddress* out) { return matchAddress(text, out); }

std::optional<CellAddress> parseCellAddress(QStringView text) { return parseAddress(text); }
std::optional<CellAddress> parseCellAddress(std::string_view text) { return parseAddress(text); }

QString cellAddress(int row, int col, bool rowAbsolute, bool colAbsolute)
{
    return (colAbsolute ? QStringLiteral("$") : QString()) + columnLetters(col)
           + (rowAbsolute ? QStringLiteral("$") : QString()) + QString::number(row);
}

bool isValidName(QStringView name)
{
    if (name.isEmpty()) return false;
    const QChar first = name.front();
    if (!(first.isLetter() || first == u'_')) return false;
    for (QChar ch : name)
        if (!(ch.isLetterOrNumber() || ch == u'_' || ch == u'.')) return false;
    return !parseCellAddress(name);
}

bool isValidName(std::string_view utf8)
{
    for (char c : utf8)
        if (static_cast<unsigned char>(c) >= 0x80)
            return isValidName(QStringView(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()))));
    // ASCII: a letter is A-Z/a-z and a digit 0-9, as QChar classifies them.
    if (utf8.empty()) return false;
    const char16_t first = unit(utf8.front());
    if (!(isAsciiLetter(first) || first == u'_')) return false;
    for (char c : utf8) {
        const char16_t u = unit(c);
        if (!(isAsciiLetter(u) || isAsciiDigit(u) || u == u'_' || u == u'.')) return false;
    }
    return !parseCellAddress(utf8);
}

}  // namespace sheet
