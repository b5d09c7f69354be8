// Languages and their numbers; see language.h.
#include "components/platform/language.h"

namespace platform {

namespace {

constexpr int kGermanGermanyLocale = 1031;
constexpr int kEnglishNumber = 1;
constexpr int kGermanNumber = 2;

}  // namespace

Language languageForLocale(int localeId)
{
    return localeId == kGermanGermanyLocale ? Language::German : Language::English;
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
