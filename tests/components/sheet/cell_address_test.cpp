// Column letters, A1 addresses and defined-name validity at the sheet's edges.
#include "components/sheet/cell_address.h"

#include <gtest/gtest.h>

#include <string>

using namespace sheet;

TEST(ColumnLetters, FollowTheSpreadsheetNaming)
{
    EXPECT_EQ(columnLetters(1), "A");
    EXPECT_EQ(columnLetters(26), "Z");
    EXPECT_EQ(columnLetters(27), "AA");
    EXPECT_EQ(columnLetters(52), "AZ");
    EXPECT_EQ(columnLetters(53), "BA");
    EXPECT_EQ(columnLetters(256), "IV");
    EXPECT_EQ(columnLetters(702), "ZZ");
    EXPECT_EQ(columnLetters(703), "AAA");
    EXPECT_EQ(columnLetters(kMaxCols), "XFD");
    EXPECT_EQ(columnLetters(0), "");
    EXPECT_EQ(columnLetters(-1), "");
    EXPECT_EQ(columnLetters(kMaxCols + 1), "");
    EXPECT_EQ(cellAddress(12, 28), "AB12");
}

TEST(ColumnLetters, HonourTheGivenLastColumn)
{
    EXPECT_EQ(columnLetters(256, 256), "IV");
    EXPECT_EQ(columnLetters(257, 256), "");
    EXPECT_EQ(columnNumber(u"IV", 256), 256);
    EXPECT_EQ(columnNumber(u"IW", 256), 0);
    EXPECT_EQ(columnNumber(u"ZZZ", 1 << 20), 18278);
    EXPECT_EQ(columnNumber(std::string_view("AAAA"), 1 << 20), 18279);
}

TEST(ColumnLetters, RoundTripOverEveryColumn)
{
    for (int col = 1; col <= kMaxCols; ++col) {
        const QString letters = columnLetters(col);
        ASSERT_EQ(columnNumber(letters), col) << letters.toStdString();
        ASSERT_EQ(columnNumber(letters.toLower()), col) << letters.toStdString();
        std::string bytes;
        appendColumnLetters(bytes, col);
        ASSERT_EQ(bytes, letters.toStdString());
        ASSERT_EQ(columnNumber(std::string_view(bytes)), col);
    }
}

TEST(ColumnLetters, RefuseWhatNamesNoColumn)
{
    EXPECT_EQ(columnNumber(u"XFD"), kMaxCols);
    EXPECT_EQ(columnNumber(u"xfd"), kMaxCols);
    EXPECT_EQ(columnNumber(u"XFE"), 0);
    EXPECT_EQ(columnNumber(u"AAAA"), 0);
    EXPECT_EQ(columnNumber(u""), 0);
    EXPECT_EQ(columnNumber(u"A1"), 0);
    EXPECT_EQ(columnNumber(u"Ä"), 0);
    EXPECT_EQ(columnNumber(std::string_view("B-")), 0);
    std::string none;
    appendColumnLetters(none, 0);
    appendColumnLetters(none, kMaxCols + 1);
    EXPECT_EQ(none, "");
}

TEST(CellAddressParse, ReadsAbsoluteFlagsAndEitherCase)
{
    const auto plain = parseCellAddress(u"B7");
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->row, 7);
    EXPECT_EQ(plain->col, 2);
    EXPECT_FALSE(plain->rowAbsolute);
    EXPECT_FALSE(plain->colAbsolute);

    const auto both = parseCellAddress(u"$e$16");
    ASSERT_TRUE(both);
    EXPECT_EQ(both->row, 16);
    EXPECT_EQ(both->col, 5);
    EXPECT_TRUE(both->rowAbsolute);
    EXPECT_TRUE(both->colAbsolute);

    const auto rowOnly = parseCellAddress(std::string_view("E$16"));
    ASSERT_TRUE(rowOnly);
    EXPECT_TRUE(rowOnly->rowAbsolute);
    EXPECT_FALSE(rowOnly->colAbsolute);

    const auto colOnly = parseCellAddress(std::string_view("$E16"));
    ASSERT_TRUE(colOnly);
    EXPECT_FALSE(colOnly->rowAbsolute);
    EXPECT_TRUE(colOnly->colAbsolute);

    // Leading zeros are part of the eight digits an address may have.
    EXPECT_EQ(parseCellAddress(u"A00000001")->row, 1);
    EXPECT_FALSE(parseCellAddress(u"A000000001"));
}

TEST(CellAddressParse, RefusesAddressesOutsideTheSheet)
{
    EXPECT_TRUE(parseCellAddress(u"XFD1048576"));
    EXPECT_FALSE(parseCellAddress(u"XFE1"));
    EXPECT_FALSE(parseCellAddress(u"A1048577"));
    EXPECT_FALSE(parseCellAddress(u"A0"));
    EXPECT_FALSE(parseCellAddress(u"AAAA1"));
    for (const char* text : {"", "A", "1", "$", "A$", "$$A1", "A1 ", " A1", "A1:B2", "A-1", "1A"})
        EXPECT_FALSE(parseCellAddress(std::string_view(text))) << text;
}

TEST(CellAddressParse, MatchesThePrefixOnly)
{
    CellAddress address;
    EXPECT_EQ(matchCellAddress(u"$B$7+1", &address), 4);
    EXPECT_EQ(address.row, 7);
    EXPECT_EQ(address.col, 2);
    EXPECT_EQ(matchCellAddress(std::string_view("R1C1"), &address), 2);
    EXPECT_EQ(matchCellAddress(std::string_view("SUM(A1)"), &address), 0);
}

TEST(CellAddressFormat, RoundTripsWithFlags)
{
    for (const auto& [row, col] : {std::pair{1, 1}, {16, 5}, {kMaxRows, kMaxCols}, {99, 703}}) {
        for (int flags = 0; flags < 4; ++flags) {
            const bool rowAbsolute = flags & 1;
            const bool colAbsolute = flags & 2;
            const QString text = cellAddress(row, col, rowAbsolute, colAbsolute);
            const auto back = parseCellAddress(text);
            ASSERT_TRUE(back) << text.toStdString();
            EXPECT_EQ(back->row, row);
            EXPECT_EQ(back->col, col);
            EXPECT_EQ(back->rowAbsolute, rowAbsolute);
            EXPECT_EQ(back->colAbsolute, colAbsolute);
        }
    }
    EXPECT_EQ(cellAddress(16, 5, true, true), "$E$16");
    EXPECT_EQ(cellAddress(16, 5, true, false), "E$16");
    EXPECT_EQ(cellAddress(16, 5, false, true), "$E16");
}

TEST(DefinedNames, FollowTheWorkbookRules)
{
    for (const char* good : {"Mittel", "mess", "_x", "WU", "a.b", "Grenze_1", "R1C1", "ABCD1", "A1B", "x_1"})
        EXPECT_TRUE(isValidName(QString::fromLatin1(good))) << good;
    for (const char* bad : {"", "A1", "ab12", "x1", "XFD1048576", "1abc", ".x", "a-b", "a b", "$A$1", "\\x", "A1:B2"})
        EXPECT_FALSE(isValidName(QString::fromLatin1(bad))) << bad;
    // Beyond the sheet an address-like text is a name again.
    EXPECT_TRUE(isValidName(u"XFE1"));
    EXPECT_TRUE(isValidName(u"A1048577"));
    EXPECT_TRUE(isValidName(u"Größe"));
    EXPECT_FALSE(isValidName(u"a€"));
}

TEST(DefinedNames, BytesFollowTheSameRules)
{
    for (const char* text : {"Mittel", "_x", "a.b", "R1C1", "A1", "ab12", "1abc", "a-b", "", "\\x", "XFE1",
                             "A00000001", "Größe", "a€", "€"}) {
        const QString decoded = QString::fromUtf8(text);
        EXPECT_EQ(isValidName(std::string_view(text)), isValidName(QStringView(decoded))) << text;
    }
}
