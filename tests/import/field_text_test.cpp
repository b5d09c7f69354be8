// The text helpers nextField, stripQuotes and textToNumber.
#include "import/field_scan.h"
#include "import/field_text.h"

#include <gtest/gtest.h>

#include <charconv>
#include <string>

using namespace fieldtext;

TEST(nextField, SplitsAtTheFirstSeparatorAndTrimsTheField)
{
    const FieldAndRest r = nextField(";", QStringLiteral("  a \t;b;c"));
    EXPECT_EQ(r.field, "a");
    EXPECT_EQ(r.rest, "b;c");
}

TEST(nextField, EmptyFieldsAndLineEnds)
{
    FieldAndRest r = nextField(";", QString());
    EXPECT_TRUE(r.field.isEmpty());
    EXPECT_TRUE(r.rest.isEmpty());

    r = nextField(";", QStringLiteral(";b"));  // separator first: empty field
    EXPECT_TRUE(r.field.isEmpty());
    EXPECT_EQ(r.rest, "b");

    r = nextField(";", QStringLiteral("a;"));  // separator last: no rest, so no empty last field
    EXPECT_EQ(r.field, "a");
    EXPECT_TRUE(r.rest.isEmpty());

    r = nextField(";", QStringLiteral(" whole line \x01"));
    EXPECT_EQ(r.field, "whole line");
    EXPECT_TRUE(r.rest.isEmpty());
}

TEST(nextField, EmptyAndLongSeparators)
{
    FieldAndRest r = nextField(QString(), QStringLiteral("a;b"));
    EXPECT_EQ(r.field, "a;b");
    EXPECT_TRUE(r.rest.isEmpty());

    // The rest starts behind the separator's first character only.
    r = nextField("::", QStringLiteral("a::b"));
    EXPECT_EQ(r.field, "a");
    EXPECT_EQ(r.rest, ":b");
}

TEST(stripQuotes, RemovesEnclosingQuotesOnly)
{
    auto stripped = [](QString s) {
        stripQuotes(s);
        return s;
    };
    EXPECT_EQ(stripped("\"abc\""), "abc");
    EXPECT_EQ(stripped("abc\""), "abc");
    EXPECT_EQ(stripped("\"abc"), "abc");
    EXPECT_EQ(stripped("\"a\"b\""), "a\"b\"");  // a further quote inside keeps the closing one
    EXPECT_EQ(stripped("\"\""), "");
    EXPECT_EQ(stripped("\""), "\"");             // shorter than two characters
    EXPECT_EQ(stripped("plain"), "plain");
}

TEST(textToNumber, DecimalPoint)
{
    double v = -7;
    EXPECT_TRUE(textToNumber("12.5", v, u'.'));
    EXPECT_DOUBLE_EQ(v, 12.5);
    EXPECT_TRUE(textToNumber(" -1e3 ", v, u'.'));
    EXPECT_DOUBLE_EQ(v, -1000);
    EXPECT_TRUE(textToNumber("+.5", v, u'.'));
    EXPECT_DOUBLE_EQ(v, 0.5);
    EXPECT_TRUE(textToNumber("2.5E-2", v, u'.'));
    EXPECT_DOUBLE_EQ(v, 0.025);

    v = -7;
    for (const char* bad : {"1,5", "1.2.3", "", "-", ".", "abc", "1e", "e5", "inf", "nan", "0x10", "1 000", "1e400", "12a"}) {
        EXPECT_FALSE(textToNumber(QString::fromLatin1(bad), v, u'.')) << bad;
    }
    EXPECT_EQ(v, -7);  // untouched on failure
}

TEST(textToNumber, DecimalCommaTakesBothMarksButOnlyOne)
{
    double v = 0;
    EXPECT_TRUE(textToNumber("1,5", v, u','));
    EXPECT_DOUBLE_EQ(v, 1.5);
    EXPECT_TRUE(textToNumber("1.5", v, u','));
    EXPECT_DOUBLE_EQ(v, 1.5);
    EXPECT_FALSE(textToNumber("1.234,5", v, u','));
    EXPECT_FALSE(textToNumber("1,2,3", v, u','));
}

TEST(textToNumber, EveryDecimalReadsToTheNearestDouble)
{
    // The short-number fast path must give exactly what a full conversion gives.
    std::uint64_t seed = 99;
    auto next = [&] { seed = seed * 6364136223846793005ULL + 1442695040888963407ULL; return seed >> 33; };
    for (int i = 0; i < 200000; ++i) {
        const std::string digits = std::to_string(next() % 100000000);
        const std::size_t point = static_cast<std::size_t>(next() % (digits.size() + 1));
        std::string text;
        if (next() % 3 == 0) text.push_back('-');
        if (next() % 4 == 0) {
            text.append("0.000").append(digits);
        } else {
            text.append(digits, 0, point).append(".").append(digits, point, std::string::npos);
        }
        if (next() % 5 == 0) text.append("e").append(std::to_string(static_cast<int>(next() % 40) - 20));
        double fast = 0;
        ASSERT_TRUE(dataimport::parseNumberBytes(text, ".", fast)) << text;
        double exact = 0;
        std::from_chars(text.data(), text.data() + text.size(), exact);
        ASSERT_EQ(fast, exact) << text;
    }
}
