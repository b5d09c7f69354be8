// The main window's tagged texts: German defaults under their tags, and a
// language table's texts reaching only the tags the table holds.
#include "app/tagged_texts.h"

#include <gtest/gtest.h>

using app::TaggedTexts;

TEST(TaggedTexts, StartWithTheGermanTextsOfTheirTags)
{
    const TaggedTexts texts;
    EXPECT_EQ(texts.tags(), (QList<int>{TaggedTexts::kImportSaveTitle, TaggedTexts::kStatisticsSaveTitle,
                                         TaggedTexts::kTitleCaption}));
    EXPECT_EQ(texts.text(107), QString::fromUtf8("Auswertung über")) << "as the language table has it: trimmed";
    EXPECT_EQ(texts.text(56), QStringLiteral("lblmess"));
    EXPECT_EQ(texts.text(57), QStringLiteral("lblmess"));
    EXPECT_EQ(texts.text(1), QString());
}

TEST(TaggedTexts, SetTextChangesOnlyTheTagsTheTableHolds)
{
    TaggedTexts texts;
    EXPECT_TRUE(texts.setText(TaggedTexts::kTitleCaption, QStringLiteral("Evaluation of ")));
    EXPECT_TRUE(texts.setText(TaggedTexts::kStatisticsSaveTitle, QString()));
    EXPECT_FALSE(texts.setText(58, QStringLiteral("stray")));
    EXPECT_EQ(texts.text(107), QStringLiteral("Evaluation of "));
    EXPECT_EQ(texts.text(57), QString()) << "an empty text is a text";
    EXPECT_EQ(texts.text(56), QStringLiteral("lblmess")) << "the other tags keep theirs";
    EXPECT_EQ(texts.text(58), QString());
    EXPECT_EQ(texts.tags().size(), 3);
}
