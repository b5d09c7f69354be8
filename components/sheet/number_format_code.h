// A number format code parsed once: its sections ("positive;negative;zero")
// each as General, a fixed/percent/scientific pattern or a list of date and
// time pieces. Shared by the number and the date formatting.
#pragma once

#include <QString>

#include <memory>
#include <vector>

namespace sheet::numfmt {

// A fixed, percent or scientific section.
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

enum class DateToken { Year2, Year4, Day, Day2, DayName3, DayName, Month, Month2, MonthName3, MonthName,
                       MonthLetter, Minute, Minute2, Hour, Hour2, Second, Second2, AmPm, ElapsedHours,
                       ElapsedMinutes, ElapsedSeconds, Fraction, Literal };

struct DatePiece {
    DateToken token;
    QString text;   // Literal: the text; AmPm: the code as written; Elapsed: bracket text
    int width = 0;  // Fraction: digits; Elapsed: run length
};

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

// True for an empty code and for "General" in any case.
bool isGeneral(const QString& section);

// The parsed form of `format`, from a per-thread cache.
std::shared_ptr<const ParsedFormat> cachedFormat(const QString& format);

}  // namespace sheet::numfmt
