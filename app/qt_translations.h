// Qt's own translations for the program's language, so that the buttons of
// the standard dialogs (file, print, message boxes) and of the help window's
// search speak the language of the rest of the program. English is Qt's own
// language: no translation is installed for it.
#pragma once

#include "components/platform/language.h"

#include <QObject>
#include <QString>

class QTranslator;

namespace app {

class QtTranslations : public QObject {
public:
    explicit QtTranslations(QObject* parent = nullptr);

    // Replaces the installed translations by those of `language`; returns
    // whether every one of them was found (the folder of the distribution's
    // Qt translations unless overridden).
    bool load(platform::Language language);

    static QString translationsDirectory();

private:
    QList<QTranslator*> m_installed;
};

}  // namespace app
