// What the desktop platform gives the program: the user's locale (its
// numeric identifier and decimal separator), the application directory and
// the per-user configuration directory. Tests set the locale explicitly.
#pragma once

#include <QChar>
#include <QString>

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
    static void overrideApplicationDirectory(const QString& dir);  // tests and the report tool
    // Where writable per-user files live: the application directory when it
    // is writable, else the user's configuration folder (created on demand); trailing '/'.
    static QString writableDirectory();
};

}  // namespace platform
