// The specification limit fields of the main window: typed limits reach the
// chart job at once, text and inverted limits turn the fields red with a
// reason (in the language switched to), and an import template keeps the
// limits.
#include "tests/app/window_fixture.h"

#include <QDir>
#include <QLineEdit>

namespace {

bool isMarked(const QLineEdit* edit)
{
    return !edit->styleSheet().isEmpty() && !edit->toolTip().isEmpty();
}

}  // namespace

TEST_F(WindowTest, LimitFieldsReachTheJobAndSayWhatIsWrong)
{
    auto w = openWindow();
    const auto& limits = w->state().job.specificationLimits;
    w->lowerLimitEdit->setText(QStringLiteral("9.5"));
    w->upperLimitEdit->setText(QStringLiteral("10.5"));
    w->targetEdit->setText(QStringLiteral("11"));   // outside the limits: allowed
    EXPECT_EQ(limits.lower, 9.5);
    EXPECT_EQ(limits.upper, 10.5);
    EXPECT_EQ(limits.target, 11.0);
    for (const QLineEdit* edit : {w->lowerLimitEdit, w->upperLimitEdit, w->targetEdit})
        EXPECT_FALSE(isMarked(edit)) << edit->objectName().toStdString();

    w->upperLimitEdit->setText(QStringLiteral("zehn"));
    EXPECT_TRUE(isMarked(w->upperLimitEdit));
    EXPECT_FALSE(limits.upper) << "text counts as no limit";
    EXPECT_FALSE(isMarked(w->lowerLimitEdit));

    w->upperLimitEdit->setText(QStringLiteral("9.5"));   // equal to the lower limit
    EXPECT_TRUE(isMarked(w->lowerLimitEdit));
    EXPECT_TRUE(isMarked(w->upperLimitEdit));
    EXPECT_EQ(w->lowerLimitEdit->toolTip(), w->upperLimitEdit->toolTip());

    w->upperLimitEdit->clear();   // one-sided is fine
    EXPECT_FALSE(isMarked(w->lowerLimitEdit));
    EXPECT_FALSE(isMarked(w->upperLimitEdit));
    EXPECT_FALSE(limits.upper);
}

TEST_F(WindowTest, ImportTemplatesKeepTheLimits)
{
    auto w = openWindow();
    const QString chosen = appDir.filePath(QStringLiteral("limits.ctpl"));
    w->setSaveFileAsker([&](QWidget*, const QString&, const QString&, const QString&) { return chosen; });
    w->lowerLimitEdit->setText(QStringLiteral("24.99"));
    w->upperLimitEdit->setText(QStringLiteral("25.02"));
    w->targetEdit->setText(QStringLiteral("25"));
    w->saveTemplateAction->trigger();
    ASSERT_TRUE(QFile::exists(chosen));

    for (QLineEdit* edit : {w->lowerLimitEdit, w->upperLimitEdit, w->targetEdit})
        edit->clear();
    w->setOpenFileAsker([&](QWidget*, const QString&, const QString&, const QString&) { return chosen; });
    w->openTemplateAction->trigger();
    EXPECT_EQ(w->lowerLimitEdit->text(), QStringLiteral("24.99"));
    EXPECT_EQ(w->upperLimitEdit->text(), QStringLiteral("25.02"));
    EXPECT_EQ(w->targetEdit->text(), QStringLiteral("25"));
    EXPECT_EQ(w->state().job.specificationLimits.upper, 25.02);
}

TEST_F(WindowTest, RedLimitFieldsSayWhyInTheLanguageSwitchedTo)
{
    copySampleData();   // the switch reads the other statistics template
    auto w = openWindow();
    w->lowerLimitEdit->setText(QStringLiteral("10"));
    w->upperLimitEdit->setText(QStringLiteral("9"));
    w->targetEdit->setText(QStringLiteral("zehn"));
    const QString inverted = w->lowerLimitEdit->toolTip();
    const QString notANumber = w->targetEdit->toolTip();

    w->switchLanguage();
    const bool english = w->state().language == platform::Language::English;
    EXPECT_EQ(w->lowerLimitEdit->toolTip(),
              english ? QStringLiteral("The lower specification limit must lie below the upper one; no indices are computed.")
                      : QStringLiteral("Die untere Toleranzgrenze muss unter der oberen liegen; es werden keine Kennzahlen berechnet."));
    EXPECT_EQ(w->upperLimitEdit->toolTip(), w->lowerLimitEdit->toolTip());
    EXPECT_EQ(w->targetEdit->toolTip(), english ? QStringLiteral("Not a number: the field counts as empty.")
                                                : QStringLiteral("Keine Zahl: das Feld zählt als leer."));
    EXPECT_TRUE(isMarked(w->lowerLimitEdit));
    EXPECT_FALSE(w->state().job.specificationLimits.target);

    w->switchLanguage();
    EXPECT_EQ(w->lowerLimitEdit->toolTip(), inverted);
    EXPECT_EQ(w->targetEdit->toolTip(), notANumber);
    EXPECT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
}
