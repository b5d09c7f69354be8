// Byte-level field splitting and number reading for the text import. They
// work on the raw bytes of a line (UTF-8 or Windows-1252), so a million-line
// file is split and parsed without building a QString per field; the QString
// helpers of ovt_lib.h are thin wrappers over them, so both behave alike.
#pragma once

#include <string_view>

namespace dataimport {

// Blanks and control characters (every byte up to 0x20) removed at both ends.
std::string_view trimBlanks(std::string_view text);

// One step of splitting a line at a separator given as bytes. `firstCharBytes`
// is the byte length of the separator's first character: after a match the
// rest of the line starts behind that character, so with a separator of
// several characters the rest begins with the separator's remaining ones.
// An empty separator never matches: the whole line is the field.
struct FieldStep {
    std::string_view field;  // trimmed
    std::string_view rest;
};
FieldStep nextFieldBytes(std::string_view separator, std::size_t firstCharBytes, std::string_view line);

// Removes one leading double quote, then a double quote that is the only one
// left and stands last. Texts shorter than two bytes are left alone.
std::string_view stripQuotesBytes(std::string_view text);

// Reads a number: optional sign, digits, at most one decimal mark, optional
// exponent; surrounding blanks ignored. The decimal mark is "." or the bytes
// of the locale's decimal separator (the first "." stands for the separator),
// but only one mark may occur. No thousands separators, "inf", "nan" or hex.
// False when the text is no such number or does not fit a double.
bool parseNumberBytes(std::string_view text, std::string_view decimalSeparator, double& value);

}  // namespace dataimport
