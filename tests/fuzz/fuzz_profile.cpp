// Profile files: the settings file and import templates. The input is the
// file, read as the settings and as a template; the import fields written back
// must read again as the same fields (a template saved is the template read).
#include "tests/fuzz/fuzz_support.h"

#include "app/settings.h"
#include "components/platform/profile.h"
#include "import/import_template.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString path = fuzz::scratchFile(QStringLiteral("input.ini"), fuzz::bytes(data, size));
    platform::Profile profile(path);

    app::Settings settings;
    settings.read(profile, QStringLiteral("/opt/plotwise/"));
    (void)app::readWindowGeometry(profile, QString::fromLatin1(app::kControlChartSection),
                                  app::kControlChartDefault);
    for (const QString& section : profile.sections())
        for (const QString& key : profile.keys(section)) (void)profile.readInteger(section, key, 7);

    QString importDir, templateDir;
    const dataimport::ImportFields fields = dataimport::readImportTemplate(profile, &importDir, &templateDir);
    dataimport::writeImportTemplate(profile, fields, importDir, templateDir);
    platform::Profile reread(path);
    QString importDir2, templateDir2;
    const dataimport::ImportFields fields2 = dataimport::readImportTemplate(reread, &importDir2, &templateDir2);
    if (!(fields2 == fields) || importDir2 != importDir || templateDir2 != templateDir) abort();
    return 0;
}
