// Import templates; see import_template.h.
#include "import/import_template.h"

#include "components/platform/profile.h"

#include <QDir>
#include <QFileInfo>

namespace dataimport {

namespace {
const QString kSection = QString::fromLatin1(kImportTemplateSection);
}

ImportFields readImportTemplate(const platform::Profile& profile, QString* importDir, QString* templateDir)
{
    const ImportFields defaults;
    ImportFields fields;
    auto text = [&](const char* key, const QString& fallback) {
        return profile.readString(kSection, QString::fromLatin1(key), fallback);
    };
    fields.separator = text("ImportSep", defaults.separator);
    fields.startColumn = text("Respos1", defaults.startColumn);
    fields.endColumn = text("Respos2", defaults.endColumn);
    fields.firstRow = text("FirstLine", defaults.firstRow);
    fields.lastRow = text("LastLine", defaults.lastRow);
    fields.xColumn = text("Xcol", defaults.xColumn);
    fields.headerRow = profile.readInteger(kSection, QStringLiteral("HeaderLine"), defaults.headerRow);
    fields.fileName = text("ImpFile", defaults.fileName);
    if (importDir) *importDir = text("ImpDir", QString());
    fields.graphTitle = text("GraphTitle", defaults.graphTitle);
    fields.xTitle = text("Xtitle", defaults.xTitle);
    fields.yTitle = text("Ytitle", defaults.yTitle);
    if (templateDir) *templateDir = text("TemplateDir", QString());
    return fields;
}

void writeImportTemplate(platform::Profile& profile, const ImportFields& fields, const QString& importDir,
                         const QString& templateDir)
{
    // One atomic replacement of the file instead of thirteen.
    struct Batch {
        platform::Profile& profile;
        bool open = true;
        explicit Batch(platform::Profile& p) : profile(p) { profile.beginUpdate(); }
        void finish() { open = false; profile.endUpdate(); }
        ~Batch()
        {
            if (open) {
                try {
                    profile.endUpdate();
                } catch (...) {
                }
            }
        }
    } batch(profile);
    auto text = [&](const char* key, const QString& value) { profile.writeString(kSection, QString::fromLatin1(key), value); };
    text("ImportSep", fields.separator);
    text("Respos1", fields.startColumn);
    text("Respos2", fields.endColumn);
    text("FirstLine", fields.firstRow);
    text("LastLine", fields.lastRow);
    text("Xcol", fields.xColumn);
    profile.writeInteger(kSection, QStringLiteral("HeaderLine"), fields.headerRow);
    text("ImpFile", fields.fileName);
    text("ImpDir", importDir);
    text("GraphTitle", fields.graphTitle);
    text("Xtitle", fields.xTitle);
    text("Ytitle", fields.yTitle);
    text("TemplateDir", templateDir);
    batch.finish();
}

QString templateSavePath(const QString& chosenName)
{
    const qsizetype dot = chosenName.lastIndexOf(u'.');
    const qsizetype delimiter = std::max(chosenName.lastIndexOf(u'/'), chosenName.lastIndexOf(u'\\'));
    const bool hasExtension = dot > delimiter && dot + 1 < chosenName.size();
    return hasExtension ? chosenName : chosenName + QStringLiteral(".ctpl");
}

QString templateDirectoryOf(const QString& templatePath)
{
    return QFileInfo(templatePath).absolutePath();
}

QString defaultTemplateName(platform::Language language)
{
    return language == platform::Language::English ? QStringLiteral("sampledata_multi_e.ctpl")
                                                   : QStringLiteral("sampledata_multi_g.ctpl");
}

QString defaultTemplatePath(const QString& applicationDirectory, platform::Language language)
{
    return applicationDirectory + defaultTemplateName(language);
}

ImportFields readDefaultTemplate(const QString& applicationDirectory, platform::Language language)
{
    const platform::Profile profile(defaultTemplatePath(applicationDirectory, language));
    return readImportTemplate(profile);
}

}  // namespace dataimport
