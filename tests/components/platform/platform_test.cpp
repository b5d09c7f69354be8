// Locale identifiers and the separators that follow from them.
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
