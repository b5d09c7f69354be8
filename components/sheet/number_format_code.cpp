// Parsing of number format codes into sections, tokens, numeric patterns and
// date pieces; see number_format_code.h.
#include "components/sheet/number_format_code.h"

#include "components/sheet/number_format.h"

#include <QHash>
#include <QStringList>

#include <cstring>

namespace sheet::numfmt {

namespace {

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

}  // namespace

bool isGeneral(const QString& section)
{
    const QStringView code = QStringView(section).trimmed();
    return code.isEmpty() || code.compare(QLatin1String("General"), Qt::CaseInsensitive) == 0;
}

namespace {

// ---------------------------------------------------------------------------
// Fixed, percent and scientific sections
// ---------------------------------------------------------------------------

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

// ---------------------------------------------------------------------------
// Date and time sections
// ---------------------------------------------------------------------------

// Adds `text` to the literal at the end, or starts one.
void appendLiteral(std::vector<DatePiece>& pieces, const QString& text)
{
    if (!pieces.empty() && pieces.back().token == DateToken::Literal)
        pieces.back().text += text;
    else
        pieces.push_back({DateToken::Literal, text, 0});
}

// [h], [mm], [ss] are elapsed time; colours, conditions and locales show nothing.
void addBracketPiece(std::vector<DatePiece>& pieces, const Token& t)
{
    if (t.text.isEmpty() || t.text.count(t.text[0]) != t.text.size())
        return;
    const QChar c = t.text[0].toLower();
    if (c == QLatin1Char('h'))
        pieces.push_back({DateToken::ElapsedHours, {}, int(t.text.size())});
    else if (c == QLatin1Char('m'))
        pieces.push_back({DateToken::ElapsedMinutes, {}, int(t.text.size())});
    else if (c == QLatin1Char('s'))
        pieces.push_back({DateToken::ElapsedSeconds, {}, int(t.text.size())});
}

// True when the placeholders from `i` on spell `word`, case ignored.
bool spells(const std::vector<Token>& tokens, size_t i, const char* word)
{
    const size_t n = strlen(word);
    if (i + n > tokens.size())
        return false;
    for (size_t k = 0; k < n; ++k) {
        const Token& tk = tokens[i + k];
        if (tk.kind != Token::Placeholder || tk.text[0].toLower() != QLatin1Char(word[k]))
            return false;
    }
    return true;
}

// An AM/PM or A/P marker at `i`: adds it and returns the tokens it takes, 0 when none.
size_t addAmPm(const std::vector<Token>& tokens, size_t i, std::vector<DatePiece>& pieces)
{
    for (const char* word : {"am/pm", "a/p"}) {
        if (!spells(tokens, i, word))
            continue;
        const size_t n = strlen(word);
        QString code;
        for (size_t k = 0; k < n; ++k)
            code += tokens[i + k].text;
        pieces.push_back({DateToken::AmPm, code, int(n)});
        return n;
    }
    return 0;
}

// A run of one date letter: "yy", "mmm", "d", "hh", "s".
DatePiece letterRunPiece(QChar lower, int run)
{
    switch (lower.unicode()) {
    case 'y':
        return {run <= 2 ? DateToken::Year2 : DateToken::Year4, {}, run};
    case 'd':
        return {run == 1 ? DateToken::Day : run == 2 ? DateToken::Day2
                : run == 3 ? DateToken::DayName3 : DateToken::DayName, {}, run};
    case 'm':
        return {run == 1 ? DateToken::Month : run == 2 ? DateToken::Month2
                : run == 3 ? DateToken::MonthName3 : run == 4 ? DateToken::MonthName
                : DateToken::MonthLetter, {}, run};
    case 'h':
        return {run == 1 ? DateToken::Hour : DateToken::Hour2, {}, run};
    default:  // 's'
        return {run == 1 ? DateToken::Second : DateToken::Second2, {}, run};
    }
}

// The last piece before `end` that is not a literal, or Literal when none.
DateToken lastShownBefore(const std::vector<DatePiece>& pieces, size_t end)
{
    for (size_t k = end; k-- > 0;)
        if (pieces[k].token != DateToken::Literal)
            return pieces[k].token;
    return DateToken::Literal;
}

// Fractional seconds ".0", ".00", ".000" after a seconds token at `i`: adds
// them and returns the zeros taken, 0 when there are none.
size_t addFraction(const std::vector<Token>& tokens, size_t i, std::vector<DatePiece>& pieces)
{
    auto isZero = [&tokens](size_t k) {
        return k < tokens.size() && tokens[k].kind == Token::Placeholder && tokens[k].text == QLatin1String("0");
    };
    if (tokens[i].text[0] != QLatin1Char('.') || !isZero(i + 1) || pieces.empty())
        return 0;
    const DateToken last = lastShownBefore(pieces, pieces.size());
    if (last != DateToken::Second && last != DateToken::Second2 && last != DateToken::ElapsedSeconds)
        return 0;
    int run = 0;
    while (isZero(i + 1 + size_t(run)) && run < 3)
        ++run;
    pieces.push_back({DateToken::Fraction, {}, run});
    return size_t(run);
}

// "m" and "mm" mean minutes right after an hour or right before a second.
void markMinutes(std::vector<DatePiece>& pieces)
{
    for (size_t i = 0; i < pieces.size(); ++i) {
        DatePiece& p = pieces[i];
        if (p.token != DateToken::Month && p.token != DateToken::Month2)
            continue;
        const DateToken before = lastShownBefore(pieces, i);
        DateToken after = DateToken::Literal;
        for (size_t k = i + 1; k < pieces.size(); ++k)
            if (pieces[k].token != DateToken::Literal) { after = pieces[k].token; break; }
        const bool afterHour = before == DateToken::Hour || before == DateToken::Hour2 || before == DateToken::ElapsedHours;
        const bool beforeSecond = after == DateToken::Second || after == DateToken::Second2;
        if (afterHour || beforeSecond)
            p.token = p.token == DateToken::Month ? DateToken::Minute : DateToken::Minute2;
    }
}

std::vector<DatePiece> parseDatePieces(const std::vector<Token>& tokens)
{
    std::vector<DatePiece> pieces;
    for (size_t i = 0; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        if (t.kind == Token::Literal) {
            appendLiteral(pieces, t.text);
            continue;
        }
        if (t.kind == Token::Bracket) {
            addBracketPiece(pieces, t);
            continue;
        }
        if (const size_t used = addAmPm(tokens, i, pieces)) {
            i += used - 1;
            continue;
        }
        const QChar c = t.text[0];
        if (isDateLetter(c)) {
            const QChar lower = c.toLower();
            int run = 1;
            while (i + run < tokens.size() && tokens[i + run].kind == Token::Placeholder
                   && tokens[i + run].text[0].toLower() == lower)
                ++run;
            pieces.push_back(letterRunPiece(lower, run));
            i += run - 1;
            continue;
        }
        if (const size_t zeros = addFraction(tokens, i, pieces)) {
            i += zeros;
            continue;
        }
        appendLiteral(pieces, QString(c));
    }
    markMinutes(pieces);
    return pieces;
}

// ---------------------------------------------------------------------------
// Parsed format codes
// ---------------------------------------------------------------------------

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

}  // namespace

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

}  // namespace sheet::numfmt

namespace sheet {

bool isDateTimeFormat(const QString& format)
{
    if (numfmt::isGeneral(format))
        return false;
    return numfmt::cachedFormat(format)->sections[0].dateTime;
}

}  // namespace sheet
