// The tolerance limit fields (LSL, USL, target) of the main window: every change is read
// into the chart job at once, so the next chart run computes against it; a
// field that holds text, or a lower limit not below the upper one, turns
// red and says why in its tool tip.
#include "app/main_window.h"

#include "capability/limit_text.h"
#include "components/platform/platform.h"

#include <QLineEdit>

namespace app {

namespace {

QString notANumberText(platform::Language language)
{
    return language == platform::Language::English ? QStringLiteral("Not a number: the field counts as empty.")
                                                   : QStringLiteral("Keine Zahl: das Feld zählt als leer.");
}

QString invertedText(platform::Language language)
{
    return language == platform::Language::English
               ? QStringLiteral("The lower specification limit must lie below the upper one; no indices are computed.")
               : QStringLiteral("Die untere Toleranzgrenze muss unter der oberen liegen; es werden keine Kennzahlen berechnet.");
}

void markField(QLineEdit* edit, bool bad, const QString& reason)
{
    edit->setStyleSheet(bad ? QStringLiteral("QLineEdit { background: #ffc8c8; color: #a00000; }") : QString());
    edit->setToolTip(bad ? reason : QString());
}

}  // namespace

void MainWindow::limitFieldsChanged()
{
    const capability::LimitFieldsCheck check =
        capability::checkLimitFields(lowerLimitEdit->text(), upperLimitEdit->text(), targetEdit->text(),
                                     platform::Platform::decimalSeparator());
    m_state.job.specificationLimits = check.limits;
    const platform::Language language = m_state.language;
    markField(lowerLimitEdit, check.lowerInvalid || check.inverted,
              check.lowerInvalid ? notANumberText(language) : invertedText(language));
    markField(upperLimitEdit, check.upperInvalid || check.inverted,
              check.upperInvalid ? notANumberText(language) : invertedText(language));
    markField(targetEdit, check.targetInvalid, notANumberText(language));
}

}  // namespace app
