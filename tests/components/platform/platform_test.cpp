// Locale identifiers, the separators and the language that follow from them.
#include "components/platform/language.h"
#include "components/platform/platform.h"

#include <gtest/gtest.h>

using platform::Platform;

TEST(Platform, LocaleIdentifiers)
{
    EXPECT_EQ(platform::localeIdForName("de_DE"), 1031);
    EXPECT_EQ(platform::localeIdForName("de_AT.UTF-8"), 3079);
    EXPECT_EQ(platform::localeIdForName("de-CH"), 2055);
    EXPECT_EQ(platform::localeIdForName("en_US"), 1033);
    EXPECT_EQ(platform::localeIdForName("de_BE"), 1031);  // unknown country: the language's first entry
    EXPECT_EQ(platform::localeIdForName("C"), 1033);
}

TEST(Platform, OverriddenLocaleGivesIdAndDecimalSeparator)
{
    Platform::overrideLocale("de_AT");
    EXPECT_EQ(Platform::localeId(), 3079);
    EXPECT_EQ(Platform::decimalSeparator(), QChar(u','));
    Platform::overrideLocale("en_GB");
    EXPECT_EQ(Platform::decimalSeparator(), QChar(u'.'));
    Platform::overrideLocale(QString());
}

TEST(Language, EveryGermanLocaleChoosesGermanAndStoredNumbersRoundTrip)
{
    using platform::Language;
    for (int german : {1031, 3079, 2055, 4103, 5127})
        EXPECT_EQ(platform::languageForLocale(german), Language::German) << german;
    for (int other : {1033, 2057, 1036, 1040, 1043})
        EXPECT_EQ(platform::languageForLocale(other), Language::English) << other;
    EXPECT_EQ(platform::languageForLocale(platform::localeIdForName("de_BE")), Language::German);

    for (Language language : {Language::English, Language::German})
        EXPECT_EQ(platform::languageFromStoredNumber(platform::storedLanguageNumber(language)), language);
    EXPECT_EQ(platform::storedLanguageNumber(Language::English), 1);
    EXPECT_EQ(platform::storedLanguageNumber(Language::German), 2);
    EXPECT_EQ(platform::languageFromStoredNumber(3), Language::German) << "only 1 is English";
}
