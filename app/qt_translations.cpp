// Installing Qt's translations; see qt_translations.h.
#include "app/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace app {

QtTranslations::QtTranslations(QObject* parent) : QObject(parent) {}

QString QtTranslations::translationsDirectory()
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

bool QtTranslations::load(platform::Language language)
{
    for (QTranslator* translator : m_installed) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    m_installed.clear();
    if (language == platform::Language::English) return true;

    bool all = true;
    for (const char* catalogue : {"qtbase_de", "qt_help_de"}) {
        auto* translator = new QTranslator(this);
        if (translator->load(QLatin1String(catalogue), translationsDirectory())) {
            QCoreApplication::installTranslator(translator);
            m_installed.append(translator);
        } else {
            all = false;
            delete translator;
        }
    }
    return all;
}

}  // namespace app
