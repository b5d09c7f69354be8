// Limit field texts: the locale's decimal comma, the point always, blanks for
// no limit, and text that is no number flagged while the limit counts as empty.
#include "capability/capability_figures.h"
#include "capability/limit_text.h"

#include <gtest/gtest.h>

using capability::parseLimitText;

TEST(LimitText, NumbersBlanksAndText)
{
    EXPECT_EQ(parseLimitText(QStringLiteral(" 9,4 "), u',').value, 9.4);
    EXPECT_EQ(parseLimitText(QStringLiteral("10.7"), u',').value, 10.7);
    EXPECT_EQ(parseLimitText(QStringLiteral("-1e-3"), u'.').value, -1e-3);
    EXPECT_FALSE(parseLimitText(QStringLiteral("  "), u',').value);
    EXPECT_FALSE(parseLimitText(QStringLiteral("  "), u',').invalid);
    for (const char* bad : {"abc", "1,5", "inf", "nan", "1.2.3", "12 mm"}) {
        const auto limit = parseLimitText(QString::fromLatin1(bad), u'.');
        EXPECT_TRUE(limit.invalid) << bad;
        EXPECT_FALSE(limit.value) << bad;
    }

    const auto limits = capability::specificationLimitsOf(QStringLiteral("1,5"), QStringLiteral("x"),
                                                          QString(), u',');
    EXPECT_EQ(limits.lower, 1.5);
    EXPECT_FALSE(limits.upper);
    EXPECT_FALSE(limits.target);
}

TEST(LimitText, FieldsCheckedTogether)
{
    auto check = capability::checkLimitFields(QStringLiteral("10"), QStringLiteral("10"), QStringLiteral("x"), u'.');
    EXPECT_TRUE(check.inverted);
    EXPECT_TRUE(check.targetInvalid);
    EXPECT_FALSE(check.lowerInvalid);
    check = capability::checkLimitFields(QStringLiteral("11"), QStringLiteral(""), QStringLiteral("12"), u'.');
    EXPECT_FALSE(check.inverted) << "one limit cannot be inverted";
    EXPECT_EQ(check.limits.target, 12.0);
}
