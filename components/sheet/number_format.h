// Number display and number reading of the spreadsheet component: renders a
// cell's number through its format code (General, fixed, percent, scientific,
// dates and times on serial day numbers), reads numeric user text with the
// locale's decimal separator, and gives the exact text form used in files.
#pragma once

#include <QChar>
#include <QString>

namespace sheet {

// The text of `value` as shown under `format` with `decimalSeparator`.
//
// "General" (or an empty code): up to 15 significant digits, trailing zeros
// dropped, scientific ("1E+16", "1E-05") when the magnitude is 1e15 or more
// or below 1e-4. Fixed and percent codes ("0", "0.00", "#,##0.00", "0%",
// "0.00E+00") round half away from zero on the 15-digit decimal form of the
// value, as spreadsheets display it: 1.005 under "0.00" gives "1.01".
// Date and time codes (d dd ddd dddd m mm mmm mmmm yy yyyy h hh mm ss AM/PM,
// other characters literal) read the value as a serial day number of the
// 1900 date system: 1 is 1900-01-01, 60 the fictitious 1900-02-29, 61 is
// 1900-03-01; the fraction is the time of day, rounded to the second.
// Up to three sections "positive;negative;zero" are honoured (an empty one
// shows its values as nothing); quoted text
// and backslash-escaped characters are literal. Non-finite values give
// "#NUM!"; dates before serial 0 or after 9999-12-31 give "########".
QString formatNumber(double value, const QString& format, QChar decimalSeparator);

// Reads a typed number the way the import does: trims surrounding white
// space, replaces the first "." by `decimalSeparator`, then accepts only a
// complete number written with that separator: optional sign, digits, at
// most one separator, optional exponent ("e"/"E", optional sign, digits).
// No thousands separators, "inf", "nan" or hex. False (and *out untouched)
// when the text is not such a number or overflows a double.
bool parseNumberText(const QString& text, QChar decimalSeparator, double* out);

// The shortest text with a "." decimal point that reads back as exactly
// `value` ("0.1", "1.5", "1e+16"). Infinities and NaN give "inf", "-inf", "nan".
QString shortestRoundTrip(double value);

// True when `format` shows numbers as dates or times (tokens d, m, y, h, s
// outside quotes in its first section).
bool isDateTimeFormat(const QString& format);

}  // namespace sheet
