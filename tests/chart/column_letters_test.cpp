// Column letter names at the edges of the one- and two-letter ranges.
#include "chart/column_letters.h"

#include <gtest/gtest.h>

TEST(columnLetters, NamesOneAndTwoLetterColumns)
{
    EXPECT_EQ(chart::columnLetters(1), "A");
    EXPECT_EQ(chart::columnLetters(26), "Z");
    EXPECT_EQ(chart::columnLetters(27), "AA");
    EXPECT_EQ(chart::columnLetters(28), "AB");
    EXPECT_EQ(chart::columnLetters(52), "AZ");
    EXPECT_EQ(chart::columnLetters(53), "BA");
    EXPECT_EQ(chart::columnLetters(60), "BH");
    EXPECT_EQ(chart::columnLetters(256), "IV");
}

TEST(columnLetters, ColumnsOutsideTheGridHaveNoName)
{
    EXPECT_EQ(chart::columnLetters(0), "");
    EXPECT_EQ(chart::columnLetters(-3), "");
    EXPECT_EQ(chart::columnLetters(257), "");
}
