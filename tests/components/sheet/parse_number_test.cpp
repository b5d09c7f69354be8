// Reading typed numbers with the locale's decimal separator: the first "."
// always counts as a decimal point, nothing but a complete number is accepted.
#include "components/sheet/number_format.h"

#include <gtest/gtest.h>

namespace {

bool parse(const char* text, char sep, double* out)
{
    return sheet::parseNumberText(QString::fromUtf8(text), QLatin1Char(sep), out);
}

}  // namespace

TEST(ParseNumberText, CommaLocaleTakesBothPointAndComma)
{
    double v = 0;
    ASSERT_TRUE(parse("1.5", ',', &v));
    EXPECT_EQ(v, 1.5);
    ASSERT_TRUE(parse("1,5", ',', &v));
    EXPECT_EQ(v, 1.5);
    ASSERT_TRUE(parse("-0,25e2", ',', &v));
    EXPECT_EQ(v, -25.0);
    // "1.234,5": the point becomes a comma, two separators: not a number.
    EXPECT_FALSE(parse("1.234,5", ',', &v));
    EXPECT_FALSE(parse("1,2,3", ',', &v));
}

TEST(ParseNumberText, PointLocaleRefusesTheComma)
{
    double v = 7;
    EXPECT_FALSE(parse("1,5", '.', &v));
    EXPECT_EQ(v, 7);  // untouched on failure
    ASSERT_TRUE(parse("1.5", '.', &v));
    EXPECT_EQ(v, 1.5);
    EXPECT_FALSE(parse("1.2.3", '.', &v));
}

TEST(ParseNumberText, AcceptsSignsExponentsAndSurroundingBlanks)
{
    double v = 0;
    ASSERT_TRUE(parse("  +42 ", '.', &v));
    EXPECT_EQ(v, 42);
    ASSERT_TRUE(parse("\t-3E-2", '.', &v));
    EXPECT_EQ(v, -0.03);
    ASSERT_TRUE(parse(".5", '.', &v));
    EXPECT_EQ(v, 0.5);
    ASSERT_TRUE(parse("5.", '.', &v));
    EXPECT_EQ(v, 5);
    ASSERT_TRUE(parse("0.1", '.', &v));
    EXPECT_EQ(v, 0.1);  // correctly rounded, not accumulated digit by digit
    ASSERT_TRUE(parse("1e-400", '.', &v));
    EXPECT_EQ(v, 0.0);  // too small for a double: zero
}

TEST(ParseNumberText, RefusesEverythingElse)
{
    double v = 0;
    for (const char* bad : {"", "  ", "abc", "1 000", "1,000.5", "inf", "NaN", "0x1A", "1e", "1e+",
                            "--1", "+", ".", "12abc", "1.5%", "e5", "1e999", "1_000", "١٢"})
        EXPECT_FALSE(parse(bad, '.', &v)) << bad;
    EXPECT_FALSE(parse("1.000,5", ',', &v));
}
