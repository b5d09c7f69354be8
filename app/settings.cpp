// Reading and writing the settings file, key by key in the documented order.
#include "app/settings.h"

#include "components/platform/profile.h"
#include "import/import_template.h"

namespace app {

namespace {

QString s(const char* text) { return QString::fromLatin1(text); }

}  // namespace

void Settings::read(const platform::Profile& p, const QString& userFolder)
{
    const QString mainSection = s(kMainSection);
    main.language = p.readInteger(mainSection, s("Language"), 0);
    main.appHint = p.readBool(mainSection, s("AppHint"), true);
    main.toolbarFile = p.readBool(mainSection, s("mnuTDatei"), true);
    main.toolbarEdit = p.readBool(mainSection, s("mnuTBearbeiten"), true);
    main.toolbarSettings = p.readBool(mainSection, s("mnuTEinstellungen"), true);
    main.toolbarHelp = p.readBool(mainSection, s("mnuTHilfe"), true);
    main.coolBarShown = p.readBool(mainSection, s("mnuTAus"), true);
    main.coolBarOnTop = p.readBool(mainSection, s("mnuToben"), true);
    main.geometry.top = p.readInteger(mainSection, s("top"), main.geometry.top);
    main.geometry.left = p.readInteger(mainSection, s("left"), main.geometry.left);
    main.geometry.width = p.readInteger(mainSection, s("width"), main.geometry.width);
    main.geometry.height = p.readInteger(mainSection, s("height"), main.geometry.height);
    main.importPanelHeight = p.readInteger(mainSection, s("panel1height"), main.importPanelHeight);

    import.fields = dataimport::readImportTemplate(p, &import.dataDirectory);
    import.templateDirectory = p.readString(s(dataimport::kImportTemplateSection), s("TemplateDir"),
                                            userFolder + s("ImportTemplates"));

    const QString graphSection = s(kGraphSectionRead);
    graph.xyDir = p.readString(graphSection, s("XYDir"), QString());
    graph.vglDir = p.readString(graphSection, s("VglDir"), QString());
}

void Settings::write(platform::Profile& p) const
{
    // One replacement of the file for all keys instead of one per key.
    p.beginUpdate();
    const QString mainSection = s(kMainSection);
    p.writeInteger(mainSection, s("Language"), main.language);
    p.writeBool(mainSection, s("AppHint"), main.appHint);
    p.writeInteger(mainSection, s("top"), main.geometry.top);
    p.writeInteger(mainSection, s("left"), main.geometry.left);
    p.writeInteger(mainSection, s("width"), main.geometry.width);
    p.writeInteger(mainSection, s("height"), main.geometry.height);
    p.writeInteger(mainSection, s("panel1height"), main.importPanelHeight);
    p.writeBool(mainSection, s("mnuTDatei"), main.toolbarFile);
    p.writeBool(mainSection, s("mnuTBearbeiten"), main.toolbarEdit);
    p.writeBool(mainSection, s("mnuTEinstellungen"), main.toolbarSettings);
    p.writeBool(mainSection, s("mnuTHilfe"), main.toolbarHelp);
    p.writeBool(mainSection, s("mnuToben"), main.coolBarOnTop);
    p.writeBool(mainSection, s("mnuTAus"), main.coolBarShown);

    dataimport::writeImportTemplate(p, import.fields, import.dataDirectory, import.templateDirectory);

    const QString graphSection = s(kGraphSectionWritten);
    p.writeString(graphSection, s("XYDir"), graph.xyDir);
    p.writeString(graphSection, s("VglDir"), graph.vglDir);
    p.endUpdate();
}

WindowGeometry readWindowGeometry(const platform::Profile& p, const QString& section,
                                  const WindowGeometry& current)
{
    WindowGeometry g;
    g.height = p.readInteger(section, s("Height"), current.height);
    g.width = p.readInteger(section, s("width"), current.width);
    g.top = p.readInteger(section, s("top"), current.top);
    g.left = p.readInteger(section, s("left"), current.left);
    return g;
}

void writeWindowGeometry(platform::Profile& p, const QString& section, const WindowGeometry& g)
{
    p.beginUpdate();
    p.writeInteger(section, s("Height"), g.height);
    p.writeInteger(section, s("width"), g.width);
    p.writeInteger(section, s("top"), g.top);
    p.writeInteger(section, s("left"), g.left);
    p.endUpdate();
}

void writeGraphTemplate(platform::Profile& p, GraphTemplateKind kind, const QString& path)
{
    const QString key = kind == GraphTemplateKind::ControlChart ? s(chart::kControlChartLookKey) : s(chart::kComparisonLookKey);
    p.writeString(s(kGraphSectionWritten), key, path);
}

}  // namespace app
