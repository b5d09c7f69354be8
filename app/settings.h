// The settings file "Plotwise.INI": every value the main window keeps from one
// run to the next, with the keys, defaults, read order and write order of each
// section. Widget-free: the window copies these values to and from its
// controls, so the file handling can be tested without a display.
#pragma once

#include "chart/chart_look_settings.h"
#include "import/import_fields.h"

#include <QString>

namespace platform { class Profile; }

namespace app {

// Section names; the import section "ImportDef" is the import template's
// (dataimport::kImportTemplateSection). Section and key names match without
// regard to case, so the graph section read as "Graphdef" is the one written
// as "GraphDef".
inline constexpr const char* kMainSection = "frmovtChart";
inline constexpr const char* kGraphSectionRead = "Graphdef";
inline constexpr const char* kGraphSectionWritten = chart::kChartLookSection;
inline constexpr const char* kControlChartSection = "frmtxtChart";
inline constexpr const char* kComparisonSection = "frmxyCompare";

inline constexpr const char* kSettingsFileName = "Plotwise.INI";

// Position and size of a window as the settings file keeps them.
struct WindowGeometry {
    int top = 0;
    int left = 0;
    int width = 0;
    int height = 0;
    bool operator==(const WindowGeometry&) const = default;
};

// Default geometry of the three windows, before any settings file exists.
inline constexpr WindowGeometry kMainWindowDefault{59, 209, 664, 625};
inline constexpr WindowGeometry kControlChartDefault{127, 186, 736, 627};
inline constexpr WindowGeometry kComparisonDefault{123, 168, 768, 562};
inline constexpr int kImportPanelDefaultHeight = 181;

// Main window section "frmovtChart".
struct MainWindowSettings {
    int language = 0;               // 0: first start, 1 English, 2 German
    bool appHint = true;            // tool tips on
    bool toolbarFile = true;        // fileToolBarAction: fileToolBar, band 0
    bool toolbarEdit = true;        // editToolBarAction: editToolBar, band 1
    bool toolbarSettings = true;    // settingsToolBarAction: settingsToolBar, band 2
    bool toolbarHelp = true;        // helpToolBarAction: helpToolBar, band 3
    bool coolBarShown = true;       // toolBarsShownAction
    bool coolBarOnTop = true;       // toolBarsOnTopAction, stored as "mnuToben"
    WindowGeometry geometry = kMainWindowDefault;
    int importPanelHeight = kImportPanelDefaultHeight;  // "panel1height"
};

// Import section "ImportDef": the import fields with the same keys an import
// template holds, plus the folders the data and template dialogs start in.
struct ImportSettings {
    dataimport::ImportFields fields;
    QString dataDirectory;      // "ImpDir": the data file dialog's folder
    QString templateDirectory;  // "TemplateDir": the import template dialogs' folder
};

// Graph section: the graph template dialogs' directories. The chosen template
// files ("XYFile", "VglFile") are written at the moment of choice and read by
// the chart windows themselves.
struct GraphSettings {
    QString xyDir;
    QString vglDir;
};

struct Settings {
    MainWindowSettings main;
    ImportSettings import;
    GraphSettings graph;

    // Reads the three sections in the order the window applies them. The
    // geometry and panel height already held are the defaults of their keys
    // (the window's current values); every other key has its fixed default.
    // "TemplateDir" defaults to userFolder + "ImportTemplates" (the folder of
    // the user's files, with its trailing '/').
    void read(const platform::Profile& profile, const QString& userFolder);

    // Writes the main window section, then "ImportDef", then "GraphDef", every
    // key whatever its value. Throws platform::ProfileWriteError on a refused write.
    void write(platform::Profile& profile) const;
};

// A chart window's section ("frmtxtChart" or "frmxyCompare"): keys "Height",
// "width", "top", "left", each defaulting to the value in current.
WindowGeometry readWindowGeometry(const platform::Profile& profile, const QString& section,
                                  const WindowGeometry& current);
void writeWindowGeometry(platform::Profile& profile, const QString& section,
                         const WindowGeometry& geometry);

// The graph template choice, written at once: "XYFile" for the control chart,
// "VglFile" for the comparison chart, in "GraphDef".
enum class GraphTemplateKind { ControlChart, Comparison };
void writeGraphTemplate(platform::Profile& profile, GraphTemplateKind kind, const QString& path);

}  // namespace app
