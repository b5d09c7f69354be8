// The small text helpers of the import and of the language tables: split a
// line into fields at a separator, remove enclosing double quotes, and read a
// number with the user's decimal separator.
#pragma once

#include <QChar>
#include <QString>

namespace fieldtext {

// Removes blanks and control characters (every character up to U+0020) at both ends.
QString trimBlanks(const QString& text);

// Splits the first field off `line` at the first occurrence of the whole
// separator. The field is trimmed. The rest starts right after the
// separator's first character (so with a separator of several characters it
// begins with the remaining ones), and is empty when the separator is missing
// or ends the line. An empty separator never matches: the whole line is the field.
struct FieldAndRest {
    QString field;
    QString rest;
};
FieldAndRest nextField(const QString& separator, const QString& line);

// Removes enclosing double quotes in place: a leading quote is dropped, then
// a closing quote if it is the only one left. "abc" and abc" give abc; a
// value with a further quote inside keeps its closing quote.
void stripQuotes(QString& text);

// Reads a number written with `decimalSeparator` (the first "." counts as
// that separator, so with a decimal comma both 1.5 and 1,5 read as 1.5; with
// a decimal point 1,5 fails). Optional sign, digits, one separator, optional
// exponent. Returns false and leaves `value` alone on failure.
bool textToNumber(const QString& text, double& value, QChar decimalSeparator);
// The same with the decimal separator of the user's locale (platform::Platform).
bool textToNumber(const QString& text, double& value);

}  // namespace fieldtext
