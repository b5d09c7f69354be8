// The main window: the import fields, the import grid and the
// statistics grid on two pages, the menu and the cool bar with its four tool
// bars. It owns the program state that the chart windows read (chart job,
// language, application directory, settings path, the three grids) and
// the two chart windows. Creation (runCreationSteps) and close (runCloseSteps)
// run their steps in a fixed order; each handler is named for the user's
// action and calls the shared code of its feature.
#pragma once

#include "app/about_box.h"
#include "app/chart_window_factories.h"
#include "app/f1_context.h"
#include "app/settings.h"
#include "app/tagged_texts.h"

#include "components/sheet/spreadsheet.h"
#include "import/import_fields.h"
#include "chart/program_state.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>

class QAction;
class QComboBox;
class QKeyEvent;
class QFrame;
class QGridLayout;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QSpinBox;
class QSplitter;
class QTabWidget;
class QToolBar;
class QToolButton;
class QVBoxLayout;

namespace sheetview { class SheetView; }
namespace chart { struct ChartCommandFields; }

namespace app {

class ContextHelp;
class CoolBar;
class FileDropHook;
class QtTranslations;
class ToolTipSwitch;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Builds the window and runs the creation steps. Errors of the settings
    // file or the windows propagate (the entry reports them and ends); a
    // workbook that cannot be read is reported and the window still opens.
    explicit MainWindow(ChartWindowFactories factories = {}, QWidget* parent = nullptr);
    ~MainWindow() override;

    chart::ProgramState& state() { return m_state; }
    const chart::ProgramState& state() const { return m_state; }
    void setAboutBox(AboutBox* aboutBox) { m_aboutBox = aboutBox; }

    // The chart windows (null after close).
    QWidget* controlChartWindow() const { return m_controlChartWindow; }
    QWidget* comparisonWindow() const { return m_comparisonWindow; }

    // The settings the controls hold now, as the close writes them.
    Settings currentSettings() const;

    // --- controls, public for the language tables and tests -----------------
    CoolBar* coolBar = nullptr;
    QToolBar* fileToolBar = nullptr;
    QToolBar* editToolBar = nullptr;
    QToolBar* settingsToolBar = nullptr;
    QToolBar* helpToolBar = nullptr;
    QTabWidget* pages = nullptr;
    QWidget* importPage = nullptr;
    QWidget* statisticsPage = nullptr;
    QSplitter* importSplitter = nullptr;
    QFrame* importPanel = nullptr;
    QComboBox* separatorBox = nullptr;
    QLineEdit* startColumnEdit = nullptr;
    QLineEdit* endColumnEdit = nullptr;
    QLineEdit* firstRowEdit = nullptr;
    QLineEdit* lastRowEdit = nullptr;
    QSpinBox* headerRowSpin = nullptr;
    QLineEdit* xColumnEdit = nullptr;
    QComboBox* fileNameBox = nullptr;
    QLineEdit* chartTitleEdit = nullptr;
    QLineEdit* xTitleEdit = nullptr;
    QLineEdit* yTitleEdit = nullptr;
    QLabel* statusLabel = nullptr;
    QPushButton* controlChartButton = nullptr;
    QPushButton* comparisonChartButton = nullptr;
    QToolButton* openFileButton = nullptr;
    QPushButton* readFileButton = nullptr;
    QPushButton* saveStatisticsButton = nullptr;
    QPushButton* printStatisticsButton = nullptr;
    QPushButton* printSetupButton = nullptr;
    sheetview::SheetView* importSheet = nullptr;
    sheetview::SheetView* statisticsSheet = nullptr;

    // --- menu items ---------------------------------------------------------
    QMenu* fileMenu = nullptr;
    QAction* openAction = nullptr;
    QAction* readAction = nullptr;
    QAction* exitAction = nullptr;
    QMenu* editMenu = nullptr;
    QAction* controlChartAction = nullptr;
    QAction* comparisonChartAction = nullptr;
    QAction* saveStatisticsAction = nullptr;
    QAction* printStatisticsAction = nullptr;
    QAction* printSetupAction = nullptr;
    QMenu* settingsMenu = nullptr;
    QAction* saveTemplateAction = nullptr;
    QAction* openTemplateAction = nullptr;
    QAction* defaultSettingsAction = nullptr;
    QAction* controlChartLookAction = nullptr;
    QAction* comparisonChartLookAction = nullptr;
    QMenu* toolBarsMenu = nullptr;
    QAction* fileToolBarAction = nullptr;
    QAction* editToolBarAction = nullptr;
    QAction* settingsToolBarAction = nullptr;
    QAction* helpToolBarAction = nullptr;
    QAction* toolBarsOnTopAction = nullptr;
    QAction* toolBarsShownAction = nullptr;
    QMenu* helpMenu = nullptr;
    QAction* helpContentsAction = nullptr;
    QAction* whatsThisAction = nullptr;
    QAction* aboutAction = nullptr;
    QAction* switchLanguageAction = nullptr;
    QAction* hintsAction = nullptr;

    // --- initial directories of the file dialogs (kept in the settings) -----
    QString dataDialogDir;          // data files ("ImpDir")
    QString templateOpenDialogDir;  // import templates, open ("TemplateDir")
    QString templateSaveDialogDir;  // import templates, save
    QString xyDialogDir;            // control chart graph templates ("XYDir")
    QString vglDialogDir;           // comparison chart graph templates ("VglDir")

    // Asks the user for a file to open; returns an empty text on cancel.
    // Tests replace it to answer without a dialog.
    using OpenFileAsker = std::function<QString(QWidget* parent, const QString& title,
                                                const QString& directory, const QString& filter)>;
    void setOpenFileAsker(OpenFileAsker asker) { m_askOpenFile = std::move(asker); }
    // Likewise for a file to save.
    void setSaveFileAsker(OpenFileAsker asker) { m_askSaveFile = std::move(asker); }

    // Asks for the path and format of a grid to save; false on cancel.
    using SaveGridAsker = std::function<bool(QWidget* parent, const QString& title, QString* path, sheet::FileFormat* format)>;
    void setSaveGridAsker(SaveGridAsker asker) { m_askSaveGrid = std::move(asker); }

    // The import fields as the import and the templates take them.
    dataimport::ImportFields importFields() const;
    void applyImportFields(const dataimport::ImportFields& fields);
    // Entries of the file-name box's list, most recent first.
    QStringList recentEntries() const;

    // Opens a file named on the command line or dropped on the import grid:
    // an import template (.ctpl) is read as the template menu reads it; any
    // other file is imported as the file-name box would, and a file of the
    // command line joins the recent files (a dropped one does not). A file
    // that is missing or cannot be read changes nothing; the status bar says why.
    enum class OpenedFrom { CommandLine, Drop };
    void openFile(const QString& path, OpenedFrom from = OpenedFrom::CommandLine);

    // Texts the commands use that no control shows, by language-table tag.
    TaggedTexts& taggedTexts() { return m_taggedTexts; }
    const TaggedTexts& taggedTexts() const { return m_taggedTexts; }
    // The import template last read (empty before any).
    QString currentTemplatePath() const { return m_currentTemplatePath; }

    // Where the cool bar is placed now (toolBarsOnTopAction).
    bool isCoolBarOnTop() const;

    // F1, "What's this?" and the help window.
    ContextHelp& contextHelp() { return *m_contextHelp; }
    // What the F1 rules see around a control of any of the program's windows.
    F1Situation f1Situation(QWidget* focus) const;

signals:
    // A file was dropped onto the import grid; it is about to be imported.
    void fileDropped(const QString& path);

public slots:
    // The application shell.
    void exitProgram();
    void toggleFileToolBar();
    void toggleEditToolBar();
    void toggleSettingsToolBar();
    void toggleHelpToolBar();
    void toggleToolBarsOnTop();
    void toggleToolBarsShown();
    void toggleHints();
    void showAbout();
    void chooseControlChartLook();
    void chooseComparisonChartLook();
    void importSheetClicked();
    void dropFile(const QString& path);

    // Import.
    void openDataFile();
    void readDataFile();
    void fileNameChanged();
    void firstRowChanged();
    // Chart commands.
    void showControlChart();
    void showComparisonChart();
    // Statistics output.
    void saveStatistics();
    void printStatistics();
    void printSetup();
    // Import templates.
    void saveImportTemplate();
    void openImportTemplate();
    void restoreDefaultSettings();
    // Language and help.
    void switchLanguage();
    void showHelpContents();
    void enterWhatsThisMode();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Construction of the controls (main_window_layout.cpp, main_window_menus.cpp).
    void buildPages();
    QWidget* buildImportPanel();
    void addDataFileRow(QGridLayout* grid);
    void addRowAndColumnFields(QGridLayout* grid);
    void addTitleFields(QGridLayout* grid);
    void addChartCommandButtons(QGridLayout* grid);
    QWidget* buildStatisticsPage();
    void buildMenu();
    void buildCoolBar();
    QAction* addMenuItem(QMenu* menu, const char* name, const QString& caption, int tag,
                         int helpContext, const QKeySequence& shortcut = {});
    QToolButton* addToolButton(QToolBar* bar, const char* name, int tag, QAction* menuItem,
                               const QString& icon);
    void connectHandlers();
    void keepStateInStep();

    // Creation and close (main_window.cpp).
    void runCreationSteps();
    void runCloseSteps();
    void applySettings(const Settings& settings);
    void applyToolbarSwitch(QAction* item, int band, bool checked);
    void placeCoolBar(bool onTop);
    void createChartWindows();
    void readSampleData();
    void toggleBand(QAction* item, int band);
    void chooseGraphTemplate(QString& dialogDir, GraphTemplateKind kind);
    void loadLanguageResources();
    bool readStatisticsTemplate(platform::Language language);
    void widenStatisticsColumns();
    void applyLanguageTo(QWidget& window, TaggedTexts* taggedTexts = nullptr);
    void copyShownStatisticsAgain();
    void showChartWindow(QWidget* window);
    sheet::Spreadsheet& outputGrid();
    chart::ChartCommandFields chartCommandFields() const;
    QString outputTitle() const;

    // The recent-files list (main_window_import.cpp).
    void setRecentEntries(const QStringList& entries);
    void loadRecentFiles();
    bool fileNameBoxKeyPressed(QKeyEvent* key);
    void saveRecentFiles();
    // A data file the user chose: onto the recent list and imported.
    void importChosenFile(const QString& path);
    // An import template the user chose: its fields into the import panel.
    void readImportTemplateFile(const QString& path);

    chart::ProgramState m_state;
    sheet::Spreadsheet m_importGrid;      // importSheet
    sheet::Spreadsheet m_statisticsGrid;  // statisticsSheet
    sheet::Spreadsheet m_scratchGrid;     // evaluates the "$" references, never shown

    TaggedTexts m_taggedTexts;
    QString m_currentTemplatePath;

    ChartWindowFactories m_factories;
    QPointer<QWidget> m_controlChartWindow;
    QPointer<QWidget> m_comparisonWindow;
    QPointer<AboutBox> m_aboutBox;

    QVBoxLayout* m_centralLayout = nullptr;
    ToolTipSwitch* m_toolTips = nullptr;
    ContextHelp* m_contextHelp = nullptr;
    QtTranslations* m_qtTranslations = nullptr;
    FileDropHook* m_dropHook = nullptr;
    OpenFileAsker m_askOpenFile;
    OpenFileAsker m_askSaveFile;
    SaveGridAsker m_askSaveGrid;
    int m_importPanelHeight = kImportPanelDefaultHeight;
    bool m_closed = false;
    bool m_languageChosen = false;  // false until the settings or a first start chose the language
};

}  // namespace app
