// The main window's life: construction of the design, the creation steps in
// their order, the settings moving between the file and the controls, and the
// close that saves everything.
#include "main_window.h"

#include "about_box.h"
#include "control_tags.h"
#include "cool_bar.h"
#include "error_report.h"
#include "file_drop_hook.h"
#include "platform.h"
#include "profile.h"
#include "save_dialog.h"
#include "sheet_view.h"
#include "statistics_template.h"
#include "tooltip_switch.h"
#include "window_geometry.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QTimer>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

// The icons are compiled into this static library; the linker keeps them only when asked.
static void initIconResources() { Q_INIT_RESOURCE(icons); }

namespace app {

namespace {

constexpr const char* kStandInProperty = "standIn";
constexpr int kControlChartBand = 0;  // band indexes of the four tool bars
constexpr int kEditBand = 1;
constexpr int kSettingsBand = 2;
constexpr int kHelpBand = 3;

QString defaultOpenFile(QWidget* parent, const QString& title, const QString& directory,
                        const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, title, directory, filter);
}

// No overwrite question: saving a template over an existing one keeps its other keys.
QString defaultSaveFile(QWidget* parent, const QString& title, const QString& directory,
                        const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, title, directory, filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

// A chart window whose feature has not landed: hidden, empty, never shown,
// holding only its name and geometry so the settings round trip stays whole.
QWidget* makeStandInWindow(const char* name, const WindowGeometry& design)
{
    auto* window = new QWidget;
    window->setObjectName(QLatin1String(name));
    window->setWindowTitle(QLatin1String(name));
    window->setProperty(kStandInProperty, true);
    applyGeometry(*window, design, design);
    return window;
}

}  // namespace

TfrmovtChart::TfrmovtChart(ChartWindowFactories factories, QWidget* parent)
    : QMainWindow(parent),
      m_factories(std::move(factories)),
      m_askOpenFile(defaultOpenFile),
      m_askSaveFile(defaultSaveFile),
      m_askSaveGrid(sheetview::saveAsDialog)
{
    initIconResources();
    setObjectName(QStringLiteral("frmovtChart"));
    // Replaced by the language table's caption row.
    setWindowTitle(QStringLiteral("Plotwise"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/plotwise.svg")));

    m_state.importGrid = &m_importGrid;
    m_state.statisticsGrid = &m_statisticsGrid;
    m_state.scratchGrid = &m_scratchGrid;
    const QChar separator = platform::Platform::decimalSeparator();
    for (sheet::F1Book* grid : {&m_importGrid, &m_statisticsGrid, &m_scratchGrid})
        grid->setDecimalSeparator(separator);

    buildMenu();
    buildCoolBar();
    buildPages();
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("ClientArea"));
    m_centralLayout = new QVBoxLayout(central);
    m_centralLayout->setContentsMargins(0, 0, 0, 0);
    m_centralLayout->setSpacing(2);
    m_centralLayout->addWidget(CoolBar1);
    m_centralLayout->addWidget(PageControl1, 1);
    setCentralWidget(central);
    applyGeometry(*this, kMainWindowDesign, kMainWindowDesign);
    Splitter1->setSizes({kPanel1DesignHeight, kMainWindowDesign.height});

    m_toolTips = new ToolTipSwitch(this);
    connectHandlers();
    keepStateInStep();
    FormCreate();
}

TfrmovtChart::~TfrmovtChart()
{
    // Closing destroys the chart windows; a window destroyed without closing must not leave them behind.
    delete frmtxtChart.data();
    delete frmxyCompare.data();
}

void TfrmovtChart::connectHandlers()
{
    connect(mnuoeffnen, &QAction::triggered, this, &TfrmovtChart::btnOeffnenClick);
    connect(mnulesen, &QAction::triggered, this, &TfrmovtChart::btnEinlesenClick);
    connect(mnubeenden, &QAction::triggered, this, &TfrmovtChart::mnubeendenClick);
    connect(mnuRegelkarte, &QAction::triggered, this, &TfrmovtChart::btnChartClick);
    connect(mnuVglkarte, &QAction::triggered, this, &TfrmovtChart::btnChartVglClick);
    connect(mnuStatSpeichern, &QAction::triggered, this, &TfrmovtChart::mnuStatSpeichernClick);
    connect(mnuStatDrucken, &QAction::triggered, this, &TfrmovtChart::mnuStatDruckenClick);
    connect(mnuPrintSetup, &QAction::triggered, this, &TfrmovtChart::mnuPrintSetupClick);
    connect(mnuEinstSpeichern, &QAction::triggered, this, &TfrmovtChart::mnuEinstSpeichernClick);
    connect(mnuTemplate, &QAction::triggered, this, &TfrmovtChart::mnuTemplateClick);
    connect(mnuDefault, &QAction::triggered, this, &TfrmovtChart::mnuDefaultClick);
    connect(mnuXYTemplate, &QAction::triggered, this, &TfrmovtChart::mnuXYTemplateClick);
    connect(mnuVglTemplate, &QAction::triggered, this, &TfrmovtChart::mnuVglTemplateClick);
    connect(mnuTDatei, &QAction::triggered, this, &TfrmovtChart::mnuTDateiClick);
    connect(mnuTBearbeiten, &QAction::triggered, this, &TfrmovtChart::mnuTBearbeitenClick);
    connect(mnuTEinstellungen, &QAction::triggered, this, &TfrmovtChart::mnuTEinstellungenClick);
    connect(mnuTHilfe, &QAction::triggered, this, &TfrmovtChart::mnuTHilfeClick);
    connect(mnuTOben, &QAction::triggered, this, &TfrmovtChart::mnuTObenClick);
    connect(mnuTAus, &QAction::triggered, this, &TfrmovtChart::mnuTAusClick);
    connect(mnuInhalt, &QAction::triggered, this, &TfrmovtChart::mnuInhaltClick);
    connect(mnuPopup, &QAction::triggered, this, &TfrmovtChart::mnuPopupClick);
    connect(mnuInfo, &QAction::triggered, this, &TfrmovtChart::mnuInfoClick);
    connect(mnuLang, &QAction::triggered, this, &TfrmovtChart::mnuLangClick);
    connect(mnuHints, &QAction::triggered, this, &TfrmovtChart::mnuHintsClick);

    connect(btnOeffnen, &QToolButton::clicked, this, &TfrmovtChart::btnOeffnenClick);
    connect(btnEinlesen, &QPushButton::clicked, this, &TfrmovtChart::btnEinlesenClick);
    connect(btnChart, &QPushButton::clicked, this, &TfrmovtChart::btnChartClick);
    connect(btnChartVgl, &QPushButton::clicked, this, &TfrmovtChart::btnChartVglClick);
    connect(btnStatSpeichern, &QPushButton::clicked, this, &TfrmovtChart::mnuStatSpeichernClick);
    connect(btnStatDrucken, &QPushButton::clicked, this, &TfrmovtChart::mnuStatDruckenClick);
    connect(btnPrintSetup, &QPushButton::clicked, this, &TfrmovtChart::mnuPrintSetupClick);

    // Only the user's own changes of the file name start an import: typing
    // and picking a list entry; the program's changes do not.
    connect(cboSelfile->lineEdit(), &QLineEdit::textEdited, this, &TfrmovtChart::cboSelfileChange);
    connect(cboSelfile, &QComboBox::activated, this, &TfrmovtChart::cboSelfileChange);
    // Every change of the first row adjusts the header row, the program's included.
    connect(Edit3, &QLineEdit::textChanged, this, &TfrmovtChart::Edit3Change);

    cboSelfile->view()->installEventFilter(this);
    connect(sheet1, &sheetview::SheetView::objectClicked, this, &TfrmovtChart::sheet1ObjClick);
    connect(Splitter1, &QSplitter::splitterMoved, this, [this] { m_panel1Height = Splitter1->sizes().value(0); });
}

void TfrmovtChart::keepStateInStep()
{
    connect(cboSelfile, &QComboBox::editTextChanged, this,
            [this](const QString& text) { m_state.fileNameText = text; });
    connect(txtXtitle, &QLineEdit::textChanged, this, [this](const QString& text) { m_state.xTitleText = text; });
    connect(txtYtitle, &QLineEdit::textChanged, this, [this](const QString& text) { m_state.yTitleText = text; });
}

// --- creation --------------------------------------------------------------

void TfrmovtChart::FormCreate()
{
    // 1.
    F1Pressed = false;

    // 2. The settings file lives beside the program unless that folder is read-only.
    m_state.applicationDirectory = platform::Platform::applicationDirectory();
    m_state.settingsPath = platform::Platform::writableDirectory() + QLatin1String(kSettingsFileName);

    // 3. and 4.
    {
        const platform::Profile profile(m_state.settingsPath);
        Settings settings = currentSettings();
        settings.read(profile, m_state.applicationDirectory);
        applySettings(settings);
    }
    if (m_toolTips->isEnabled()) mnuHints->setChecked(true);

    // 5.
    loadRecentFiles();

    // 6.
    m_dropHook = new FileDropHook(sheet1, [this](const QString& path) { dropFile(path); }, this);

    // 7. First start: the language of the user's locale.
    if (m_state.languageCode == 0) {
        m_state.languageCode = platform::Platform::localeId() == 1031 ? 2 : 1;
        mnuDefaultClick();
    }

    // 8.
    loadLanguageResources();
    // 9. Language table of the main window: wired when language tables land.

    // 10.
    createChartWindows();

    // 11.
    PageControl1->setCurrentIndex(0);

    // 12.
    readSampleData();
}

void TfrmovtChart::applySettings(const Settings& s)
{
    m_state.languageCode = s.main.language;
    m_toolTips->setEnabled(s.main.appHint);
    applyToolbarSwitch(mnuTDatei, kControlChartBand, s.main.toolbarFile);
    applyToolbarSwitch(mnuTBearbeiten, kEditBand, s.main.toolbarEdit);
    applyToolbarSwitch(mnuTEinstellungen, kSettingsBand, s.main.toolbarSettings);
    applyToolbarSwitch(mnuTHilfe, kHelpBand, s.main.toolbarHelp);
    mnuTAus->setChecked(s.main.coolBarShown);
    CoolBar1->setVisible(s.main.coolBarShown);
    mnuTOben->setChecked(s.main.coolBarOnTop);
    placeCoolBar(s.main.coolBarOnTop);
    applyGeometry(*this, s.main.geometry, kMainWindowDesign);
    m_panel1Height = s.main.panel1Height;
    Splitter1->setSizes({m_panel1Height, std::max(1, height() - m_panel1Height)});

    ComboBox1->setEditText(s.import.importSep);
    Edit1->setText(s.import.respos1);
    Edit2->setText(s.import.respos2);
    Edit3->setText(s.import.firstLine);
    Edit4->setText(s.import.lastLine);
    Xcol->setText(s.import.xcol);
    SpinEdit1->setValue(s.import.headerLine);
    cboSelfile->setEditText(s.import.impFile);
    dataDialogDir = s.import.impDir;
    txtGraphTitle->setText(s.import.graphTitle);
    txtXtitle->setText(s.import.xtitle);
    txtYtitle->setText(s.import.ytitle);
    templateOpenDialogDir = s.import.templateDir;
    templateSaveDialogDir = templateOpenDialogDir;

    xyDialogDir = s.graph.xyDir;
    vglDialogDir = s.graph.vglDir;
}

Settings TfrmovtChart::currentSettings() const
{
    Settings s;
    s.main.language = m_state.languageCode;
    s.main.appHint = m_toolTips->isEnabled();
    s.main.toolbarFile = mnuTDatei->isChecked();
    s.main.toolbarEdit = mnuTBearbeiten->isChecked();
    s.main.toolbarSettings = mnuTEinstellungen->isChecked();
    s.main.toolbarHelp = mnuTHilfe->isChecked();
    s.main.coolBarShown = mnuTAus->isChecked();
    s.main.coolBarOnTop = mnuTOben->isChecked();
    s.main.geometry = geometryOf(*this);
    s.main.panel1Height = isVisible() ? Splitter1->sizes().value(0, m_panel1Height) : m_panel1Height;

    s.import.importSep = ComboBox1->currentText();
    s.import.respos1 = Edit1->text();
    s.import.respos2 = Edit2->text();
    s.import.firstLine = Edit3->text();
    s.import.lastLine = Edit4->text();
    s.import.xcol = Xcol->text();
    s.import.headerLine = SpinEdit1->value();
    s.import.impFile = cboSelfile->currentText();
    s.import.impDir = dataDialogDir;
    s.import.graphTitle = txtGraphTitle->text();
    s.import.xtitle = txtXtitle->text();
    s.import.ytitle = txtYtitle->text();
    s.import.templateDir = templateOpenDialogDir;

    s.graph.xyDir = xyDialogDir;
    s.graph.vglDir = vglDialogDir;
    return s;
}

void TfrmovtChart::createChartWindows()
{
    const platform::Profile profile(m_state.settingsPath);
    auto create = [&](const ChartWindowFactory& factory, const char* section, const WindowGeometry& design) {
        QWidget* window = factory ? factory(m_state) : makeStandInWindow(section, design);
        window->hide();
        applyGeometry(*window, readWindowGeometry(profile, QLatin1String(section), geometryOf(*window)), design);
        // Language table of the chart window: wired when language tables land.
        return window;
    };
    frmtxtChart = create(m_factories.controlChart, kControlChartSection, kControlChartDesign);
    frmxyCompare = create(m_factories.comparison, kComparisonSection, kComparisonDesign);
}

void TfrmovtChart::loadLanguageResources()
{
    // The statistics grid's template of the language; the help file follows when help lands.
    const QString path = chart::statisticsTemplatePath(m_state);
    try {
        m_statisticsGrid.read(path);
    } catch (const std::exception& error) {
        // The window still opens, with both chart windows: the chart commands rely on them.
        reportError(QString::fromUtf8(error.what()));
    }
    sheet2->applyDisplaySwitches();
    // The template's labels are long; widen their columns to them once the view
    // has taken the new content (it does so on the next turn of the event loop).
    QTimer::singleShot(0, sheet2, [this] {
        constexpr int kWidestColumn = 320;
        QTableView* table = sheet2->tableView();
        for (int column = 0; column < m_statisticsGrid.lastCol(); ++column) {
            // Never narrower than before: the value columns fill later.
            const int before = table->columnWidth(column);
            table->resizeColumnToContents(column);
            table->setColumnWidth(column, std::max(before, std::min(table->columnWidth(column), kWidestColumn)));
        }
    });
}

void TfrmovtChart::readSampleData()
{
    const QString path = m_state.applicationDirectory + QStringLiteral("Sampledata_multi.vts");
    try {
        m_importGrid.read(path);
        m_state.job.LastDataRow = m_importGrid.lastRow();
        m_importGrid.showFormulas = false;
        m_importGrid.showEditBar = false;
        sheet1->applyDisplaySwitches();
    } catch (const std::exception& error) {
        reportError(QString::fromUtf8(error.what()));
    }
}

// --- close -----------------------------------------------------------------

void TfrmovtChart::closeEvent(QCloseEvent* event)
{
    FormClose();
    event->accept();
}

void TfrmovtChart::FormClose()
{
    if (m_closed) return;
    m_closed = true;
    try {
        platform::Profile profile(m_state.settingsPath);
        // One write of the whole file at the end: a refused write loses nothing already on disk.
        profile.beginUpdate();
        if (frmtxtChart) writeWindowGeometry(profile, QLatin1String(kControlChartSection), geometryOf(*frmtxtChart));
        delete frmtxtChart.data();
        if (frmxyCompare) writeWindowGeometry(profile, QLatin1String(kComparisonSection), geometryOf(*frmxyCompare));
        delete frmxyCompare.data();
        currentSettings().write(profile);
        profile.endUpdate();
    } catch (const std::exception& error) {
        // The program still ends; the user learns that the settings were not kept.
        reportError(QString::fromUtf8(error.what()));
    }
    saveRecentFiles();
}

// --- tool bars ---------------------------------------------------------------

void TfrmovtChart::applyToolbarSwitch(QAction* item, int band, bool checked)
{
    item->setChecked(checked);
    CoolBar1->toolBar(band)->setVisible(checked);
    CoolBar1->setBandVisible(band, checked);
}

void TfrmovtChart::placeCoolBar(bool onTop)
{
    m_centralLayout->removeWidget(CoolBar1);
    m_centralLayout->insertWidget(onTop ? 0 : m_centralLayout->count(), CoolBar1);
}

void TfrmovtChart::showChartWindow(QWidget* window)
{
    // A stand-in keeps only the geometry of a window that has not landed yet: nothing to show.
    if (!window || window->property(kStandInProperty).toBool()) return;
    window->show();
    window->raise();
    window->activateWindow();
}

bool TfrmovtChart::isCoolBarOnTop() const { return m_centralLayout->indexOf(CoolBar1) == 0; }

}  // namespace app
