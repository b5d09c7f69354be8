// What the desktop platform gives the program: the user's locale (its
// numeric identifier and decimal separator), the application directory, the
// folders of the shipped files and the folder of the user's files. Tests set
// the locale and the application directory explicitly.
#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

namespace platform {

// Locale identifiers as desktop platforms number them: de_DE 1031, en_US 1033,
// de_AT 3079, de_CH 2055, en_GB 2057, fr_FR 1036, ... (0x0409 style LCIDs).
int localeIdForName(const QString& localeName);   // "de_DE" -> 1031; unknown -> 1033

class Platform {
public:
    // The user's locale identifier and decimal separator; from the system
    // locale unless overridden (tests, PLOTWISE_LOCALE is not read).
    static int localeId();
    static QChar decimalSeparator();
    static void overrideLocale(const QString& localeName);  // e.g. "de_AT"; empty: back to the system's
    static QString localeName();

    // Folder of the executable, with a trailing '/'.
    static QString applicationDirectory();
    // Tests: the program runs as a portable copy in dir, whose shipped files lie there alone.
    static void overrideApplicationDirectory(const QString& dir);

    // The folders searched for shipped files, in order (install_layout.h).
    static QStringList shippedFolders();
    // The first of them holding name; when none does, the path it would have
    // in the first, so that the reader's error names a place.
    static QString shippedFile(const QString& name);

    // The path of a helper program (install_layout.h: beside the executable,
    // then in ../libexec/plotwise).
    static QString helperProgram(const QString& name);

    // Where the user's files live (settings, recent files, changed templates
    // and chart looks): the application directory of a portable copy
    // (install_layout.h) while it is writable, else the user's configuration folder ($XDG_CONFIG_HOME/Plotwise,
    // created on demand); trailing '/'.
    static QString writableDirectory();
};

}  // namespace platform
