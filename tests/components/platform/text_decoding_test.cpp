// Undeclared text encodings: valid UTF-8 wins, anything else is Windows-1252.
#include "components/platform/text_decoding.h"

#include <gtest/gtest.h>

using platform::decodeText;

TEST(TextDecoding, Utf8WithAndWithoutByteOrderMark)
{
    EXPECT_EQ(decodeText("Gr\xC3\xB6\xC3\x9F" "e"), QString::fromUtf8("Größe"));
    EXPECT_EQ(decodeText("\xEF\xBB\xBF" "Ma\xC3\x9F"), QString::fromUtf8("Maß"));
}

TEST(TextDecoding, InvalidUtf8IsWindows1252)
{
    // "Größe" and the euro sign in Windows-1252.
    EXPECT_EQ(decodeText("Gr\xF6\xDF" "e \x80"), QString::fromUtf8("Größe €"));
    EXPECT_EQ(decodeText("\x93quoted\x94"), QString::fromUtf8("“quoted”"));
}
