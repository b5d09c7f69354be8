// Column letter names at the edges of the one- and two-letter ranges.
#include "column_letters.h"

#include <gtest/gtest.h>

TEST(ColumnLetters, NamesOneAndTwoLetterColumns)
{
    EXPECT_EQ(chart::ColumnLetters(1), "A");
    EXPECT_EQ(chart::ColumnLetters(26), "Z");
    EXPECT_EQ(chart::ColumnLetters(27), "AA");
    EXPECT_EQ(chart::ColumnLetters(28), "AB");
    EXPECT_EQ(chart::ColumnLetters(52), "AZ");
    EXPECT_EQ(chart::ColumnLetters(53), "BA");
    EXPECT_EQ(chart::ColumnLetters(60), "BH");
    EXPECT_EQ(chart::ColumnLetters(256), "IV");
}

TEST(ColumnLetters, ColumnsOutsideTheGridHaveNoName)
{
    EXPECT_EQ(chart::ColumnLetters(0), "");
    EXPECT_EQ(chart::ColumnLetters(-3), "");
    EXPECT_EQ(chart::ColumnLetters(257), "");
}
