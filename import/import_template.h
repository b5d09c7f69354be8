// Import templates: a complete set of import fields kept in a small INI file
// (".ctpl", section "ImportDef"), and the default template of each language.
// The settings file's import section uses the same keys, so the settings code
// may read and write it with these functions too.
#pragma once

#include "components/platform/language.h"
#include "import/import_fields.h"

#include <QString>

namespace platform { class Profile; }

namespace dataimport {

inline constexpr const char* kImportTemplateSection = "ImportDef";

// Which directory keys a read takes besides the fields.
struct TemplateDirectories {
    QString importDir;    // "ImpDir": initial directory of the data file dialog
    QString templateDir;  // "TemplateDir": directory the template was saved in
};

// Reads the fields in the order the window applies them: "ImportSep",
// "Respos1", "Respos2", "FirstLine", "LastLine", "Xcol", "HeaderLine",
// "ImpFile", then "GraphTitle", "Xtitle", "Ytitle". A missing key (or file)
// gives its default. The window must apply firstRow before headerRow, so the
// header-row field's limits are in place when its value arrives.
// `importDir`, when given, receives "ImpDir" (empty when missing);
// `templateDir`, when given, receives "TemplateDir" (templates read by the
// user never take it; the settings file does).
ImportFields readImportTemplate(const platform::Profile& profile, QString* importDir = nullptr,
                                QString* templateDir = nullptr);

// Writes every key in order, ending with "ImpDir" and "TemplateDir"; other
// sections and keys of the file stay. The file is replaced once, atomically.
// Throws platform::ProfileWriteError ("nach <path> kann nicht geschrieben werden").
void writeImportTemplate(platform::Profile& profile, const ImportFields& fields, const QString& importDir,
                         const QString& templateDir);

// The template file a user's chosen save name stands for: ".ctpl" is appended
// when the name has no extension (nothing after a last "." behind the last
// path delimiter); any other name is used unchanged.
QString templateSavePath(const QString& chosenName);

// Directory of a template file (without trailing delimiter): where both
// template dialogs start after it was read or saved.
QString templateDirectoryOf(const QString& templatePath);

// Default template of a language: "sampledata_multi_e.ctpl" in English,
// "sampledata_multi_g.ctpl" in German; its path in the application directory
// (with its trailing delimiter).
QString defaultTemplateName(platform::Language language);
QString defaultTemplatePath(const QString& applicationDirectory, platform::Language language);

// Reads the default template of the language (no directory keys). A missing
// file gives the defaults of every field.
ImportFields readDefaultTemplate(const QString& applicationDirectory, platform::Language language);

}  // namespace dataimport
