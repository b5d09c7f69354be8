// Number display and number reading of the spreadsheet component.
//
// Every numeric display goes through a 15-significant-digit decimal form of
// the value first and rounds that decimal text, never the binary double:
// this is what users see in the common desktop spreadsheets (2.675 under
// "0.00" shows 2.68 although the double is 2.67499999...).
#include "components/sheet/number_format.h"

#include <QDate>
#include <QHash>
#include <QStringList>

#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace sheet {

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
// Format code sections and tokens
// ---------------------------------------------------------------------------

// Splits a format code at ";" outside quotes, escapes and brackets.
QStringList splitSections(const QString& format)
{
    QStringList sections;
    QString current;
    bool inQuote = false;
    bool inBracket = false;
    for (int i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (inQuote) {
            current += c;
            if (c == QLatin1Char('"'))
                inQuote = false;
        } else if (c == QLatin1Char('\\') && i + 1 < format.size()) {
            current += c;
            current += format[++i];
        } else if (c == QLatin1Char('"')) {
            inQuote = true;
            current += c;
        } else if (c == QLatin1Char('[')) {
            inBracket = true;
            current += c;
        } else if (c == QLatin1Char(']')) {
            inBracket = false;
            current += c;
        } else if (c == QLatin1Char(';') && !inBracket) {
            sections << current;
            current.clear();
        } else {
            current += c;
        }
    }
    sections << current;
    return sections;
}

// One piece of a section: a literal text or a placeholder character.
struct Token {
    enum Kind { Literal, Placeholder, Bracket } kind;
    QString text;  // Literal: the text; Placeholder: one character; Bracket: inside [ ]
};

std::vector<Token> tokenize(const QString& section)
{
    std::vector<Token> tokens;
    auto literal = [&tokens](const QString& text) {
        if (!tokens.empty() && tokens.back().kind == Token::Literal)
            tokens.back().text += text;
        else
            tokens.push_back({Token::Literal, text});
    };
    for (int i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        if (c == QLatin1Char('"')) {
            const int end = section.indexOf(QLatin1Char('"'), i + 1);
            const int stop = end < 0 ? section.size() : end;
            literal(section.mid(i + 1, stop - i - 1));
            i = stop;
        } else if (c == QLatin1Char('\\')) {
            if (i + 1 < section.size())
                literal(QString(section[++i]));
        } else if (c == QLatin1Char('_')) {
            // "_x" reserves the width of x: a space is the nearest text form.
            ++i;
            literal(QStringLiteral(" "));
        } else if (c == QLatin1Char('*')) {
            ++i;  // fill character: column width is not ours to know
        } else if (c == QLatin1Char('[')) {
            const int end = section.indexOf(QLatin1Char(']'), i + 1);
            const int stop = end < 0 ? section.size() : end;
            tokens.push_back({Token::Bracket, section.mid(i + 1, stop - i - 1)});
            i = stop;
        } else {
            tokens.push_back({Token::Placeholder, QString(c)});
        }
    }
    return tokens;
}

bool isDateLetter(QChar c)
{
    switch (c.toLower().unicode()) {
    case 'd': case 'm': case 'y': case 'h': case 's':
        return true;
    default:
        return false;
    }
}

bool sectionIsDateTime(const std::vector<Token>& tokens)
{
    for (const Token& t : tokens) {
        if (t.kind == Token::Placeholder && isDateLetter(t.text[0]))
            return true;
        if (t.kind == Token::Bracket && !t.text.isEmpty() && isDateLetter(t.text[0])
            && t.text.count(t.text[0]) == t.text.size())
            return true;  // elapsed time [h], [mm], [ss]
    }
    return false;
}

bool isGeneral(const QString& section)
{
    const QStringView code = QStringView(section).trimmed();
    return code.isEmpty() || code.compare(QLatin1String("General"), Qt::CaseInsensitive) == 0;
}

// ---------------------------------------------------------------------------
// Fixed, percent and scientific codes
// ---------------------------------------------------------------------------

// A fixed, percent or scientific section, parsed once.
struct NumericPattern {
    QString prefix, suffix;       // literal text; kGeneralMark stands for "@"
    bool hasDigits = false;       // false: a section of literals only
    bool grouping = false;
    bool hasPoint = false;
    bool percent = false;
    bool scientific = false;
    bool expAlwaysSign = false;
    bool hasGeneralMark = false;
    int scaleCommas = 0;
    int minInt = 0, minDec = 0, maxDec = 0;
    int expDigits = 0;
};

constexpr char16_t kGeneralMark = 0xFFFF;

NumericPattern parseNumericPattern(const std::vector<Token>& tokens)
{
    NumericPattern p;
    bool seenPlaceholder = false;
    bool inFraction = false;
    bool inExponent = false;
    int pendingCommas = 0;  // commas directly after the last integer placeholder

    for (size_t i = 0; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        if (t.kind == Token::Bracket)
            continue;  // colours and conditions do not change the text
        if (t.kind == Token::Literal) {
            (seenPlaceholder ? p.suffix : p.prefix) += t.text;
            continue;
        }
        const QChar c = t.text[0];
        const bool digitPlaceholder = c == QLatin1Char('0') || c == QLatin1Char('#') || c == QLatin1Char('?');
        if (digitPlaceholder) {
            if (inExponent) {
                ++p.expDigits;
            } else if (inFraction) {
                ++p.maxDec;
                if (c != QLatin1Char('#'))
                    p.minDec = p.maxDec;
            } else {
                if (pendingCommas > 0)
                    p.grouping = true;
                pendingCommas = 0;
                if (c != QLatin1Char('#'))
                    ++p.minInt;
            }
            seenPlaceholder = true;
        } else if (c == QLatin1Char('.') && !inFraction && !inExponent) {
            inFraction = true;
            p.hasPoint = true;
            p.scaleCommas += pendingCommas;
            pendingCommas = 0;
            seenPlaceholder = true;
        } else if (c == QLatin1Char(',') && seenPlaceholder && !inFraction && !inExponent) {
            ++pendingCommas;
        } else if ((c == QLatin1Char('E') || c == QLatin1Char('e')) && seenPlaceholder && !inExponent
                   && i + 1 < tokens.size() && tokens[i + 1].kind == Token::Placeholder
                   && (tokens[i + 1].text == QLatin1String("+") || tokens[i + 1].text == QLatin1String("-"))) {
            p.scientific = true;
            inExponent = true;
            p.expAlwaysSign = tokens[i + 1].text == QLatin1String("+");
            ++i;
        } else if (c == QLatin1Char('%')) {
            p.percent = true;
            (seenPlaceholder ? p.suffix : p.prefix) += c;
        } else if (c == QLatin1Char('@')) {
            p.hasGeneralMark = true;
            (seenPlaceholder ? p.suffix : p.prefix) += QChar(kGeneralMark);
        } else {
            (seenPlaceholder ? p.suffix : p.prefix) += c;
        }
    }
    p.scaleCommas += pendingCommas;
    p.hasDigits = seenPlaceholder;
    return p;
}

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
        if (p.grouping && intText.size() > 3) {
            const QChar groupSep = sep == QLatin1Char(',') ? QLatin1Char('.') : QLatin1Char(',');
            for (int pos = intText.size() - 3; pos > 0; pos -= 3)
                intText.insert(pos, groupSep);
        }
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

// ---------------------------------------------------------------------------
// Dates and times
// ---------------------------------------------------------------------------

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

enum class DateToken { Year2, Year4, Day, Day2, DayName3, DayName, Month, Month2, MonthName3, MonthName,
                       MonthLetter, Minute, Minute2, Hour, Hour2, Second, Second2, AmPm, ElapsedHours,
                       ElapsedMinutes, ElapsedSeconds, Fraction, Literal };

struct DatePiece {
    DateToken token;
    QString text;   // Literal: the text; AmPm: the code as written; Elapsed: bracket text
    int width = 0;  // Fraction: digits; Elapsed: run length
};

std::vector<DatePiece> parseDatePieces(const std::vector<Token>& tokens)
{
    std::vector<DatePiece> pieces;
    auto literal = [&pieces](const QString& text) {
        if (!pieces.empty() && pieces.back().token == DateToken::Literal)
            pieces.back().text += text;
        else
            pieces.push_back({DateToken::Literal, text, 0});
    };
    for (size_t i = 0; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        if (t.kind == Token::Literal) {
            literal(t.text);
            continue;
        }
        if (t.kind == Token::Bracket) {
            const QChar c = t.text.isEmpty() ? QChar() : t.text[0].toLower();
            if (!t.text.isEmpty() && t.text.count(t.text[0]) == t.text.size()) {
                if (c == QLatin1Char('h'))
                    pieces.push_back({DateToken::ElapsedHours, {}, int(t.text.size())});
                else if (c == QLatin1Char('m'))
                    pieces.push_back({DateToken::ElapsedMinutes, {}, int(t.text.size())});
                else if (c == QLatin1Char('s'))
                    pieces.push_back({DateToken::ElapsedSeconds, {}, int(t.text.size())});
            }
            continue;  // colours, conditions, locales: no text
        }
        const QChar c = t.text[0];
        const QChar lower = c.toLower();
        // AM/PM and A/P markers.
        auto matchesAhead = [&](const char* word) {
            const int n = int(strlen(word));
            if (i + size_t(n) > tokens.size())
                return false;
            for (int k = 0; k < n; ++k) {
                const Token& tk = tokens[i + size_t(k)];
                if (tk.kind != Token::Placeholder
                    || tk.text[0].toLower() != QLatin1Char(word[k]))
                    return false;
            }
            return true;
        };
        if (lower == QLatin1Char('a') && matchesAhead("am/pm")) {
            QString code;
            for (int k = 0; k < 5; ++k)
                code += tokens[i + k].text;
            pieces.push_back({DateToken::AmPm, code, 5});
            i += 4;
            continue;
        }
        if (lower == QLatin1Char('a') && matchesAhead("a/p")) {
            QString code;
            for (int k = 0; k < 3; ++k)
                code += tokens[i + k].text;
            pieces.push_back({DateToken::AmPm, code, 3});
            i += 2;
            continue;
        }
        if (isDateLetter(c)) {
            int run = 1;
            while (i + run < tokens.size() && tokens[i + run].kind == Token::Placeholder
                   && tokens[i + run].text[0].toLower() == lower)
                ++run;
            i += run - 1;
            switch (lower.unicode()) {
            case 'y':
                pieces.push_back({run <= 2 ? DateToken::Year2 : DateToken::Year4, {}, run});
                break;
            case 'd':
                pieces.push_back({run == 1 ? DateToken::Day : run == 2 ? DateToken::Day2
                                  : run == 3 ? DateToken::DayName3 : DateToken::DayName, {}, run});
                break;
            case 'm':
                pieces.push_back({run == 1 ? DateToken::Month : run == 2 ? DateToken::Month2
                                  : run == 3 ? DateToken::MonthName3 : run == 4 ? DateToken::MonthName
                                  : DateToken::MonthLetter, {}, run});
                break;
            case 'h':
                pieces.push_back({run == 1 ? DateToken::Hour : DateToken::Hour2, {}, run});
                break;
            case 's':
                pieces.push_back({run == 1 ? DateToken::Second : DateToken::Second2, {}, run});
                break;
            }
            continue;
        }
        if (c == QLatin1Char('.') && i + 1 < tokens.size() && tokens[i + 1].kind == Token::Placeholder
            && tokens[i + 1].text == QLatin1String("0") && !pieces.empty()) {
            // Fractional seconds after a seconds token: ".0", ".00", ".000".
            DateToken last = DateToken::Literal;
            for (auto it = pieces.rbegin(); it != pieces.rend(); ++it)
                if (it->token != DateToken::Literal) { last = it->token; break; }
            if (last == DateToken::Second || last == DateToken::Second2 || last == DateToken::ElapsedSeconds) {
                int run = 0;
                while (i + 1 + run < tokens.size() && tokens[i + 1 + run].kind == Token::Placeholder
                       && tokens[i + 1 + run].text == QLatin1String("0") && run < 3)
                    ++run;
                pieces.push_back({DateToken::Fraction, {}, run});
                i += run;
                continue;
            }
        }
        literal(QString(c));
    }

    // "m" and "mm" mean minutes right after an hour or right before a second.
    for (size_t i = 0; i < pieces.size(); ++i) {
        DatePiece& p = pieces[i];
        if (p.token != DateToken::Month && p.token != DateToken::Month2)
            continue;
        DateToken before = DateToken::Literal, after = DateToken::Literal;
        for (size_t k = i; k-- > 0;)
            if (pieces[k].token != DateToken::Literal) { before = pieces[k].token; break; }
        for (size_t k = i + 1; k < pieces.size(); ++k)
            if (pieces[k].token != DateToken::Literal) { after = pieces[k].token; break; }
        const bool afterHour = before == DateToken::Hour || before == DateToken::Hour2 || before == DateToken::ElapsedHours;
        const bool beforeSecond = after == DateToken::Second || after == DateToken::Second2;
        if (afterHour || beforeSecond)
            p.token = p.token == DateToken::Month ? DateToken::Minute : DateToken::Minute2;
    }
    return pieces;
}

QString twoDigits(qint64 n)
{
    return QString::number(n).rightJustified(2, QLatin1Char('0'));
}

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
    if (!std::isfinite(value) || value < 0 || value >= kLastSerialDay + 1.0)
        return QStringLiteral("########");

    // Round once to the smallest unit shown, so 23:59:59.7 becomes the next day.
    qint64 unitsPerSecond = 1;
    for (int k = 0; k < fractionDigits; ++k)
        unitsPerSecond *= 10;
    const qint64 unitsPerDay = 86400 * unitsPerSecond;
    const qint64 totalUnits = std::llround(value * double(unitsPerDay));
    const qint64 days = totalUnits / unitsPerDay;
    if (days > kLastSerialDay)
        return QStringLiteral("########");
    const qint64 unitsOfDay = totalUnits % unitsPerDay;
    const qint64 secondsOfDay = unitsOfDay / unitsPerSecond;
    const qint64 fraction = unitsOfDay % unitsPerSecond;
    const qint64 totalSeconds = totalUnits / unitsPerSecond;
    const int hour = int(secondsOfDay / 3600);
    const int minute = int(secondsOfDay / 60 % 60);
    const int second = int(secondsOfDay % 60);
    const DateParts date = dateOfSerial(days);

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
        case DateToken::Hour:
        case DateToken::Hour2: {
            int h = hour;
            if (twelveHour) {
                h = hour % 12;
                if (h == 0)
                    h = 12;
            }
            out += p.token == DateToken::Hour ? QString::number(h) : twoDigits(h);
            break;
        }
        case DateToken::Minute: out += QString::number(minute); break;
        case DateToken::Minute2: out += twoDigits(minute); break;
        case DateToken::Second: out += QString::number(second); break;
        case DateToken::Second2: out += twoDigits(second); break;
        case DateToken::ElapsedHours:
            out += QString::number(totalSeconds / 3600).rightJustified(p.width, QLatin1Char('0'));
            break;
        case DateToken::ElapsedMinutes:
            out += QString::number(totalSeconds / 60).rightJustified(p.width, QLatin1Char('0'));
            break;
        case DateToken::ElapsedSeconds:
            out += QString::number(totalSeconds).rightJustified(p.width, QLatin1Char('0'));
            break;
        case DateToken::Fraction: {
            QString digits = QString::number(fraction).rightJustified(fractionDigits, QLatin1Char('0'));
            out += sep + digits.left(p.width);
            break;
        }
        case DateToken::AmPm: {
            const bool pm = hour >= 12;
            if (p.width == 5) {
                const bool lower = p.text[0].isLower();
                const QString marker = pm ? QStringLiteral("PM") : QStringLiteral("AM");
                out += lower ? marker.toLower() : marker;
            } else {
                const QChar marker = pm ? p.text[2] : p.text[0];
                out += marker;
            }
            break;
        }
        }
    }
    return out;
}

// ---------------------------------------------------------------------------
// Parsed format codes
// ---------------------------------------------------------------------------

struct ParsedSection {
    bool general = false;
    bool dateTime = false;
    NumericPattern numeric;
    std::vector<DatePiece> datePieces;
};

// Sections "positive;negative;zero"; an empty or missing one uses the first.
struct ParsedFormat {
    std::vector<ParsedSection> sections;
};

ParsedSection parseSection(const QString& text)
{
    ParsedSection section;
    if (isGeneral(text)) {
        section.general = true;
        return section;
    }
    const std::vector<Token> tokens = tokenize(text);
    section.dateTime = sectionIsDateTime(tokens);
    if (section.dateTime)
        section.datePieces = parseDatePieces(tokens);
    else
        section.numeric = parseNumericPattern(tokens);
    return section;
}

std::shared_ptr<const ParsedFormat> parseFormat(const QString& format)
{
    auto parsed = std::make_shared<ParsedFormat>();
    const QStringList texts = splitSections(format);
    for (int k = 0; k < texts.size() && k < 3; ++k) {
        if (k > 0 && texts[k].isEmpty()) {
            // An empty negative or zero section shows such values as nothing.
            parsed->sections.push_back(ParsedSection{});
            continue;
        }
        parsed->sections.push_back(parseSection(texts[k]));
    }
    return parsed;
}

// A grid shows a few format codes over and over: parse each once per thread.
std::shared_ptr<const ParsedFormat> cachedFormat(const QString& format)
{
    thread_local QString lastCode;
    thread_local std::shared_ptr<const ParsedFormat> lastParsed;
    thread_local QHash<QString, std::shared_ptr<const ParsedFormat>> cache;
    if (lastParsed && lastCode == format)
        return lastParsed;
    auto it = cache.constFind(format);
    std::shared_ptr<const ParsedFormat> parsed;
    if (it != cache.constEnd()) {
        parsed = it.value();
    } else {
        parsed = parseFormat(format);
        if (cache.size() >= 256)
            cache.clear();  // odd code churn: start over rather than grow
        cache.insert(format, parsed);
    }
    lastCode = format;
    lastParsed = parsed;
    return parsed;
}

}  // namespace

// ---------------------------------------------------------------------------
// Public functions
// ---------------------------------------------------------------------------

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

bool isDateTimeFormat(const QString& format)
{
    if (isGeneral(format))
        return false;
    return cachedFormat(format)->sections[0].dateTime;
}

bool parseNumberText(const QString& text, QChar decimalSeparator, double* out)
{
    QString s = text.trimmed();
    const int point = s.indexOf(QLatin1Char('.'));
    if (point >= 0)
        s[point] = decimalSeparator;

    // Check the grammar ourselves and hand an ASCII copy with "." to
    // from_chars, which is exact and independent of the C locale.
    std::string ascii;
    ascii.reserve(size_t(s.size()));
    int i = 0;
    const int n = int(s.size());
    if (i < n && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-'))) {
        if (s[i] == QLatin1Char('-'))
            ascii.push_back('-');
        ++i;
    }
    int mantissaDigits = 0;
    int leadingIntDigits = 0;     // integer digits after leading zeros
    int leadingFracZeros = 0;     // zeros right after the separator while the integer part is 0
    bool nonZeroSeen = false;
    while (i < n && s[i] >= QLatin1Char('0') && s[i] <= QLatin1Char('9')) {
        if (s[i] != QLatin1Char('0'))
            nonZeroSeen = true;
        if (nonZeroSeen)
            ++leadingIntDigits;
        ascii.push_back(char(s[i].unicode()));
        ++mantissaDigits;
        ++i;
    }
    if (i < n && s[i] == decimalSeparator) {
        ascii.push_back('.');
        ++i;
        while (i < n && s[i] >= QLatin1Char('0') && s[i] <= QLatin1Char('9')) {
            if (!nonZeroSeen && s[i] == QLatin1Char('0'))
                ++leadingFracZeros;
            if (s[i] != QLatin1Char('0'))
                nonZeroSeen = true;
            ascii.push_back(char(s[i].unicode()));
            ++mantissaDigits;
            ++i;
        }
    }
    if (mantissaDigits == 0)
        return false;
    long long exponent = 0;
    if (i < n && (s[i] == QLatin1Char('e') || s[i] == QLatin1Char('E'))) {
        ascii.push_back('e');
        ++i;
        bool negativeExponent = false;
        if (i < n && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-'))) {
            negativeExponent = s[i] == QLatin1Char('-');
            ascii.push_back(char(s[i].unicode()));
            ++i;
        }
        int expDigits = 0;
        while (i < n && s[i] >= QLatin1Char('0') && s[i] <= QLatin1Char('9')) {
            if (exponent < 100000)
                exponent = exponent * 10 + (s[i].unicode() - '0');
            ascii.push_back(char(s[i].unicode()));
            ++expDigits;
            ++i;
        }
        if (expDigits == 0)
            return false;
        if (negativeExponent)
            exponent = -exponent;
    }
    if (i != n)
        return false;

    double value = 0.0;
    const auto res = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (res.ptr != ascii.data() + ascii.size())
        return false;
    if (res.ec == std::errc::result_out_of_range) {
        // Too small for a double reads as zero; too large is not a number.
        const long long magnitude = leadingIntDigits > 0 ? exponent + leadingIntDigits
                                                         : exponent - leadingFracZeros;
        if (magnitude > 0)
            return false;
        value = ascii[0] == '-' ? -0.0 : 0.0;
    } else if (res.ec != std::errc()) {
        return false;
    }
    *out = value;
    return true;
}

QString shortestRoundTrip(double value)
{
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    return QString::fromLatin1(buf, int(res.ptr - buf));
}

}  // namespace sheet
