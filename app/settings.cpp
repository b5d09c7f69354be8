// Reading and writing the settings file, key by key in the documented order.
#include "app/settings.h"

#include "components/platform/profile.h"

namespace app {

namespace {

QString s(const char* text) { return QString::fromLatin1(text); }

}  // namespace

void Settings::read(const platform::Profile& p, const QString& applicationDirectory)
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
    main.panel1Height = p.readInteger(mainSection, s("panel1height"), main.panel1Height);

    const QString importSection = s(kImportSection);
    import.importSep = p.readString(importSection, s("ImportSep"), QString());
    import.respos1 = p.readString(importSection, s("Respos1"), s("1"));
    import.respos2 = p.readString(importSection, s("Respos2"), QString());
    import.firstLine = p.readString(importSection, s("FirstLine"), s("1"));
    import.lastLine = p.readString(importSection, s("LastLine"), QString());
    import.xcol = p.readString(importSection, s("Xcol"), QString());
    import.headerLine = p.readInteger(importSection, s("HeaderLine"), 0);
    import.impFile = p.readString(importSection, s("ImpFile"), QString());
    import.impDir = p.readString(importSection, s("ImpDir"), QString());
    import.graphTitle = p.readString(importSection, s("GraphTitle"), s("Auswertung"));
    import.xtitle = p.readString(importSection, s("Xtitle"), s("Zeitraum"));
    import.ytitle = p.readString(importSection, s("Ytitle"), s("Werte"));
    import.templateDir = p.readString(importSection, s("TemplateDir"),
                                      applicationDirectory + s("ImportTemplates"));

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
    p.writeInteger(mainSection, s("panel1height"), main.panel1Height);
    p.writeBool(mainSection, s("mnuTDatei"), main.toolbarFile);
    p.writeBool(mainSection, s("mnuTBearbeiten"), main.toolbarEdit);
    p.writeBool(mainSection, s("mnuTEinstellungen"), main.toolbarSettings);
    p.writeBool(mainSection, s("mnuTHilfe"), main.toolbarHelp);
    p.writeBool(mainSection, s("mnuToben"), main.coolBarOnTop);
    p.writeBool(mainSection, s("mnuTAus"), main.coolBarShown);

    const QString importSection = s(kImportSection);
    p.writeString(importSection, s("ImportSep"), import.importSep);
    p.writeString(importSection, s("Respos1"), import.respos1);
    p.writeString(importSection, s("Respos2"), import.respos2);
    p.writeString(importSection, s("FirstLine"), import.firstLine);
    p.writeString(importSection, s("LastLine"), import.lastLine);
    p.writeString(importSection, s("Xcol"), import.xcol);
    p.writeInteger(importSection, s("HeaderLine"), import.headerLine);
    p.writeString(importSection, s("ImpFile"), import.impFile);
    p.writeString(importSection, s("ImpDir"), import.impDir);
    p.writeString(importSection, s("GraphTitle"), import.graphTitle);
    p.writeString(importSection, s("Xtitle"), import.xtitle);
    p.writeString(importSection, s("Ytitle"), import.ytitle);
    p.writeString(importSection, s("TemplateDir"), import.templateDir);

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
    const QString key = kind == GraphTemplateKind::ControlChart ? s("XYFile") : s("VglFile");
    p.writeString(s(kGraphSectionWritten), key, path);
}

}  // namespace app
