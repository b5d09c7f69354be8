// The main window TfrmovtChart: the import fields, the import grid and the
// statistics grid on two pages, the menu and the cool bar with its four tool
// bars. It owns the program state that the chart windows read (chart job,
// language code, application directory, settings path, the three grids) and
// the two chart windows. Creation (FormCreate) and close (FormClose) run their
// steps in a fixed order; each handler keeps the design's name and calls the
// shared code of its feature.
#pragma once

#include "about_box.h"
#include "chart_window_factories.h"
#include "settings.h"

#include "f1book.h"
#include "import_fields.h"
#include "program_state.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>

class QAction;
class QComboBox;
class QKeyEvent;
class QFrame;
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

class CoolBar;
class FileDropHook;
class ToolTipSwitch;

class TfrmovtChart : public QMainWindow {
    Q_OBJECT
public:
    // Builds the window and runs the creation steps. Errors of the settings
    // file or the windows propagate (the entry reports them and ends); a
    // workbook that cannot be read is reported and the window still opens.
    explicit TfrmovtChart(ChartWindowFactories factories = {}, QWidget* parent = nullptr);
    ~TfrmovtChart() override;

    chart::ProgramState& state() { return m_state; }
    const chart::ProgramState& state() const { return m_state; }
    void setAboutBox(TAboutBox* aboutBox) { m_aboutBox = aboutBox; }

    // The chart windows (null after close).
    QWidget* controlChartWindow() const { return frmtxtChart; }
    QWidget* comparisonWindow() const { return frmxyCompare; }

    // The settings the controls hold now, as the close writes them.
    Settings currentSettings() const;

    // --- controls (design names) -------------------------------------------
    CoolBar* CoolBar1 = nullptr;
    QToolBar* ToolBar1 = nullptr;
    QToolBar* ToolBar2 = nullptr;
    QToolBar* ToolBar3 = nullptr;
    QToolBar* ToolBar4 = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;
    QWidget* TabSheet2 = nullptr;
    QSplitter* Splitter1 = nullptr;
    QFrame* Panel1 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QSpinBox* SpinEdit1 = nullptr;
    QLineEdit* Xcol = nullptr;
    QComboBox* cboSelfile = nullptr;
    QLineEdit* txtGraphTitle = nullptr;
    QLineEdit* txtXtitle = nullptr;
    QLineEdit* txtYtitle = nullptr;
    QLineEdit* txtAktTemplate = nullptr;
    QLabel* LblTitle = nullptr;
    QLabel* lblmess = nullptr;
    QLabel* lblstatistik = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* btnChart = nullptr;
    QPushButton* btnChartVgl = nullptr;
    QToolButton* btnOeffnen = nullptr;
    QPushButton* btnEinlesen = nullptr;
    QPushButton* btnStatSpeichern = nullptr;
    QPushButton* btnStatDrucken = nullptr;
    QPushButton* btnPrintSetup = nullptr;
    sheetview::SheetView* sheet1 = nullptr;
    sheetview::SheetView* sheet2 = nullptr;

    // --- menu items (design names) -----------------------------------------
    QMenu* mnudatei = nullptr;
    QAction* mnuoeffnen = nullptr;
    QAction* mnulesen = nullptr;
    QAction* mnubeenden = nullptr;
    QMenu* mnuBearbeiten = nullptr;
    QAction* mnuRegelkarte = nullptr;
    QAction* mnuVglkarte = nullptr;
    QAction* mnuStatSpeichern = nullptr;
    QAction* mnuStatDrucken = nullptr;
    QAction* mnuPrintSetup = nullptr;
    QMenu* mnuEinstellungen = nullptr;
    QAction* mnuEinstSpeichern = nullptr;
    QAction* mnuTemplate = nullptr;
    QAction* mnuDefault = nullptr;
    QAction* mnuXYTemplate = nullptr;
    QAction* mnuVglTemplate = nullptr;
    QMenu* mnuToolbars = nullptr;
    QAction* mnuTDatei = nullptr;
    QAction* mnuTBearbeiten = nullptr;
    QAction* mnuTEinstellungen = nullptr;
    QAction* mnuTHilfe = nullptr;
    QAction* mnuTOben = nullptr;
    QAction* mnuTAus = nullptr;
    QMenu* mnuHilfe = nullptr;
    QAction* mnuInhalt = nullptr;
    QAction* mnuPopup = nullptr;
    QAction* mnuInfo = nullptr;
    QAction* mnuLang = nullptr;
    QAction* mnuHints = nullptr;

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
    using SaveGridAsker = std::function<bool(QWidget* parent, const QString& title, QString* path, int* format)>;
    void setSaveGridAsker(SaveGridAsker asker) { m_askSaveGrid = std::move(asker); }

    // The import fields as the import and the templates take them.
    dataimport::ImportFields importFields() const;
    void applyImportFields(const dataimport::ImportFields& fields);
    // Entries of the file-name box's list, most recent first.
    QStringList recentEntries() const;

    // Where the cool bar is placed now (mnuTOben).
    bool isCoolBarOnTop() const;

    // The F1 flag of the help commands.
    bool F1Pressed = false;

signals:
    // A file was dropped onto the import grid; it is about to be imported.
    void fileDropped(const QString& path);

public slots:
    // Part of the application shell.
    void mnubeendenClick();
    void mnuTDateiClick();
    void mnuTBearbeitenClick();
    void mnuTEinstellungenClick();
    void mnuTHilfeClick();
    void mnuTObenClick();
    void mnuTAusClick();
    void mnuHintsClick();
    void mnuInfoClick();
    void mnuXYTemplateClick();
    void mnuVglTemplateClick();
    void sheet1ObjClick();
    void dropFile(const QString& path);

    // Import.
    void btnOeffnenClick();
    void btnEinlesenClick();
    void cboSelfileChange();
    void Edit3Change();
    // Chart commands.
    void btnChartClick();
    void btnChartVglClick();
    // Statistics output.
    void mnuStatSpeichernClick();
    void mnuStatDruckenClick();
    void mnuPrintSetupClick();
    // Import templates.
    void mnuEinstSpeichernClick();
    void mnuTemplateClick();
    void mnuDefaultClick();
    // Language and help.
    void mnuLangClick();
    void mnuInhaltClick();
    void mnuPopupClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Construction of the design (main_window_layout.cpp, main_window_menus.cpp).
    void buildPages();
    QWidget* buildImportPanel();
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
    void FormCreate();
    void FormClose();
    void applySettings(const Settings& settings);
    void applyToolbarSwitch(QAction* item, int band, bool checked);
    void placeCoolBar(bool onTop);
    void createChartWindows();
    void readSampleData();
    void toggleBand(QAction* item, int band);
    void chooseGraphTemplate(QString& dialogDir, GraphTemplateKind kind);
    void loadLanguageResources();
    void showChartWindow(QWidget* window);
    sheet::F1Book& outputGrid();
    chart::ChartCommandFields chartCommandFields() const;
    QString outputTitle() const;

    // The recent-files list (main_window_import.cpp).
    void setRecentEntries(const QStringList& entries);
    void loadRecentFiles();
    bool cboSelfileKeyDown(QKeyEvent* key);
    void saveRecentFiles();

    chart::ProgramState m_state;
    sheet::F1Book m_importGrid;      // sheet1
    sheet::F1Book m_statisticsGrid;  // sheet2
    sheet::F1Book m_scratchGrid;     // CalcSheet, never shown

    ChartWindowFactories m_factories;
    QPointer<QWidget> frmtxtChart;
    QPointer<QWidget> frmxyCompare;
    QPointer<TAboutBox> m_aboutBox;

    QVBoxLayout* m_centralLayout = nullptr;
    ToolTipSwitch* m_toolTips = nullptr;
    FileDropHook* m_dropHook = nullptr;
    OpenFileAsker m_askOpenFile;
    OpenFileAsker m_askSaveFile;
    SaveGridAsker m_askSaveGrid;
    int m_panel1Height = kPanel1DesignHeight;
    bool m_closed = false;
};

}  // namespace app
