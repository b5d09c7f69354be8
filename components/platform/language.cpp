// Languages and their numbers; see language.h.
#include "components/platform/language.h"

namespace platform {

namespace {

// The low ten bits of a locale identifier name its language; 7 is German
// (de_DE 1031, de_CH 2055, de_AT 3079, de_LU 4103, de_LI 5127).
constexpr int kLanguageMask = 0x3FF;
constexpr int kGermanLanguage = 0x07;
constexpr int kEnglishNumber = 1;
constexpr int kGermanNumber = 2;

}  // namespace

Language languageForLocale(int localeId)
{
    return (localeId & kLanguageMask) == kGermanLanguage ? Language::German : Language::English;
}

int storedLanguageNumber(Language language)
{
    return language == Language::English ? kEnglishNumber : kGermanNumber;
}

Language languageFromStoredNumber(int number)
{
    return number == kEnglishNumber ? Language::English : Language::German;
}

}  // namespace platform
