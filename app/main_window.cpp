// The main window's life: construction of the controls, the creation steps in
// their order, the settings moving between the file and the controls, and the
// close that saves everything.
#include "app/main_window.h"

#include "app/about_box.h"
#include "app/context_help.h"
#include "app/language_applier.h"
#include "app/qt_translations.h"
#include "components/platform/control_tags.h"
#include "app/cool_bar.h"
#include "app/error_report.h"
#include "app/file_drop_hook.h"
#include "components/platform/platform.h"
#include "components/platform/profile.h"
#include "components/sheetview/save_dialog.h"
#include "components/sheetview/sheet_view.h"
#include "chart/statistics_template.h"
#include "app/tooltip_switch.h"
#include "app/window_geometry.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
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
// Set on a chart window whose place the settings file does not hold yet.
constexpr const char* kFirstPlacementProperty = "placeBesideMainWindow";
constexpr int kFileBand = 0;  // band indexes of the four tool bars
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

// The placeholder of a chart window that has no factory: hidden, empty, never
// shown, holding only its name and geometry so the settings round trip stays whole.
QWidget* makeStandInWindow(const char* name, const WindowGeometry& defaultGeometry)
{
    auto* window = new QWidget;
    window->setObjectName(QLatin1String(name));
    window->setWindowTitle(QLatin1String(name));
    window->setProperty(kStandInProperty, true);
    applyGeometry(*window, defaultGeometry, defaultGeometry);
    return window;
}

}  // namespace

MainWindow::MainWindow(ChartWindowFactories factories, QWidget* parent)
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
    for (sheet::Spreadsheet* grid : {&m_importGrid, &m_statisticsGrid, &m_scratchGrid})
        grid->setDecimalSeparator(separator);

    buildMenu();
    buildCoolBar();
    buildPages();
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("ClientArea"));
    m_centralLayout = new QVBoxLayout(central);
    m_centralLayout->setContentsMargins(0, 0, 0, 0);
    m_centralLayout->setSpacing(2);
    m_centralLayout->addWidget(coolBar);
    m_centralLayout->addWidget(pages, 1);
    setCentralWidget(central);
    // A standard status bar for short notes, e.g. a chart look file that could not be read.
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    m_state.showNote = [this](const QString& note) { statusBar()->showMessage(note); };
    applyGeometry(*this, kMainWindowDefault, kMainWindowDefault);
    importSplitter->setSizes({kImportPanelDefaultHeight, kMainWindowDefault.height});

    m_toolTips = new ToolTipSwitch(this);
    m_qtTranslations = new QtTranslations(this);
    m_contextHelp = new ContextHelp([this](QWidget* focus) { return f1Situation(focus); }, this);
    connectHandlers();
    keepStateInStep();
    runCreationSteps();
}

MainWindow::~MainWindow()
{
    // Closing destroys the chart windows; a window destroyed without closing must not leave them behind.
    delete m_controlChartWindow.data();
    delete m_comparisonWindow.data();
}

void MainWindow::connectHandlers()
{
    connect(openAction, &QAction::triggered, this, &MainWindow::openDataFile);
    connect(readAction, &QAction::triggered, this, &MainWindow::readDataFile);
    connect(exitAction, &QAction::triggered, this, &MainWindow::exitProgram);
    connect(controlChartAction, &QAction::triggered, this, &MainWindow::showControlChart);
    connect(comparisonChartAction, &QAction::triggered, this, &MainWindow::showComparisonChart);
    connect(saveStatisticsAction, &QAction::triggered, this, &MainWindow::saveStatistics);
    connect(printStatisticsAction, &QAction::triggered, this, &MainWindow::printStatistics);
    connect(printSetupAction, &QAction::triggered, this, &MainWindow::printSetup);
    connect(saveTemplateAction, &QAction::triggered, this, &MainWindow::saveImportTemplate);
    connect(openTemplateAction, &QAction::triggered, this, &MainWindow::openImportTemplate);
    connect(defaultSettingsAction, &QAction::triggered, this, &MainWindow::restoreDefaultSettings);
    connect(controlChartLookAction, &QAction::triggered, this, &MainWindow::chooseControlChartLook);
    connect(comparisonChartLookAction, &QAction::triggered, this, &MainWindow::chooseComparisonChartLook);
    connect(fileToolBarAction, &QAction::triggered, this, &MainWindow::toggleFileToolBar);
    connect(editToolBarAction, &QAction::triggered, this, &MainWindow::toggleEditToolBar);
    connect(settingsToolBarAction, &QAction::triggered, this, &MainWindow::toggleSettingsToolBar);
    connect(helpToolBarAction, &QAction::triggered, this, &MainWindow::toggleHelpToolBar);
    connect(toolBarsOnTopAction, &QAction::triggered, this, &MainWindow::toggleToolBarsOnTop);
    connect(toolBarsShownAction, &QAction::triggered, this, &MainWindow::toggleToolBarsShown);
    connect(helpContentsAction, &QAction::triggered, this, &MainWindow::showHelpContents);
    connect(whatsThisAction, &QAction::triggered, this, &MainWindow::enterWhatsThisMode);
    connect(aboutAction, &QAction::triggered, this, &MainWindow::showAbout);
    connect(switchLanguageAction, &QAction::triggered, this, &MainWindow::switchLanguage);
    connect(hintsAction, &QAction::triggered, this, &MainWindow::toggleHints);

    connect(openFileButton, &QToolButton::clicked, this, &MainWindow::openDataFile);
    connect(readFileButton, &QPushButton::clicked, this, &MainWindow::readDataFile);
    connect(controlChartButton, &QPushButton::clicked, this, &MainWindow::showControlChart);
    connect(comparisonChartButton, &QPushButton::clicked, this, &MainWindow::showComparisonChart);
    // The chart window writes the statistics while another page is shown: fit them when they come into view.
    connect(pages, &QTabWidget::currentChanged, this, [this](int page) {
        if (page == 1) fitStatisticsColumns();
    });
    connect(saveStatisticsButton, &QPushButton::clicked, this, &MainWindow::saveStatistics);
    connect(printStatisticsButton, &QPushButton::clicked, this, &MainWindow::printStatistics);
    connect(printSetupButton, &QPushButton::clicked, this, &MainWindow::printSetup);

    // Only the user's own changes of the file name start an import: typing
    // and picking a list entry; the program's changes do not.
    connect(fileNameBox->lineEdit(), &QLineEdit::textEdited, this, &MainWindow::fileNameChanged);
    connect(fileNameBox, &QComboBox::activated, this, &MainWindow::fileNameChanged);
    // Every change of the first row adjusts the header row, the program's included.
    connect(firstRowEdit, &QLineEdit::textChanged, this, &MainWindow::firstRowChanged);

    fileNameBox->view()->installEventFilter(this);
    connect(importSheet, &sheetview::SheetView::objectClicked, this, &MainWindow::importSheetClicked);
    connect(importSplitter, &QSplitter::splitterMoved, this, [this] { m_importPanelHeight = importSplitter->sizes().value(0); });
}

void MainWindow::keepStateInStep()
{
    connect(fileNameBox, &QComboBox::editTextChanged, this,
            [this](const QString& text) { m_state.fileNameText = text; });
    connect(xTitleEdit, &QLineEdit::textChanged, this, [this](const QString& text) { m_state.xTitleText = text; });
    connect(yTitleEdit, &QLineEdit::textChanged, this, [this](const QString& text) { m_state.yTitleText = text; });
}

// --- creation --------------------------------------------------------------

void MainWindow::runCreationSteps()
{
    // 2. The settings file lives beside a portable copy, else in the user's configuration folder.
    m_state.applicationDirectory = platform::Platform::applicationDirectory();
    m_state.shippedFolders = platform::Platform::shippedFolders();
    const QString userFolder = platform::Platform::writableDirectory();
    m_state.settingsPath = userFolder + QLatin1String(kSettingsFileName);

    // 3. and 4.
    {
        const platform::Profile profile(m_state.settingsPath);
        Settings settings = currentSettings();
        settings.read(profile, userFolder);
        applySettings(settings);
    }
    if (m_toolTips->isEnabled()) hintsAction->setChecked(true);

    // 5.
    loadRecentFiles();

    // 6.
    m_dropHook = new FileDropHook(importSheet, [this](const QString& path) { dropFile(path); }, this);

    // 7. First start: the language of the user's locale.
    if (!m_languageChosen) {
        m_state.language = platform::languageForLocale(platform::Platform::localeId());
        m_languageChosen = true;
        restoreDefaultSettings();
    }

    // 8.
    loadLanguageResources();
    // 9.
    applyLanguageTo(*this, &m_taggedTexts);

    // 10.
    createChartWindows();

    // 11.
    pages->setCurrentIndex(0);

    // 12.
    readSampleData();
}

void MainWindow::applySettings(const Settings& s)
{
    // A stored 0 marks a first start: the locale chooses the language in step 7.
    m_languageChosen = s.main.language != 0;
    if (m_languageChosen)
        m_state.language = platform::languageFromStoredNumber(s.main.language);
    m_toolTips->setEnabled(s.main.appHint);
    applyToolbarSwitch(fileToolBarAction, kFileBand, s.main.toolbarFile);
    applyToolbarSwitch(editToolBarAction, kEditBand, s.main.toolbarEdit);
    applyToolbarSwitch(settingsToolBarAction, kSettingsBand, s.main.toolbarSettings);
    applyToolbarSwitch(helpToolBarAction, kHelpBand, s.main.toolbarHelp);
    toolBarsShownAction->setChecked(s.main.coolBarShown);
    coolBar->setVisible(s.main.coolBarShown);
    toolBarsOnTopAction->setChecked(s.main.coolBarOnTop);
    placeCoolBar(s.main.coolBarOnTop);
    applyGeometry(*this, s.main.geometry, kMainWindowDefault);
    m_importPanelHeight = s.main.importPanelHeight;
    importSplitter->setSizes({m_importPanelHeight, std::max(1, height() - m_importPanelHeight)});

    applyImportFields(s.import.fields);
    dataDialogDir = s.import.dataDirectory;
    templateOpenDialogDir = s.import.templateDirectory;
    templateSaveDialogDir = templateOpenDialogDir;

    xyDialogDir = s.graph.xyDir;
    vglDialogDir = s.graph.vglDir;
}

Settings MainWindow::currentSettings() const
{
    Settings s;
    s.main.language = m_languageChosen ? platform::storedLanguageNumber(m_state.language) : 0;
    s.main.appHint = m_toolTips->isEnabled();
    s.main.toolbarFile = fileToolBarAction->isChecked();
    s.main.toolbarEdit = editToolBarAction->isChecked();
    s.main.toolbarSettings = settingsToolBarAction->isChecked();
    s.main.toolbarHelp = helpToolBarAction->isChecked();
    s.main.coolBarShown = toolBarsShownAction->isChecked();
    s.main.coolBarOnTop = toolBarsOnTopAction->isChecked();
    s.main.geometry = geometryOf(*this);
    s.main.importPanelHeight = isVisible() ? importSplitter->sizes().value(0, m_importPanelHeight) : m_importPanelHeight;

    s.import.fields = importFields();
    s.import.dataDirectory = dataDialogDir;
    s.import.templateDirectory = templateOpenDialogDir;

    s.graph.xyDir = xyDialogDir;
    s.graph.vglDir = vglDialogDir;
    return s;
}

void MainWindow::createChartWindows()
{
    const platform::Profile profile(m_state.settingsPath);
    auto create = [&](const ChartWindowFactory& factory, const char* section, const WindowGeometry& defaultGeometry) {
        QWidget* window = factory ? factory(m_state) : makeStandInWindow(section, defaultGeometry);
        window->hide();
        const QString name = QLatin1String(section);
        applyGeometry(*window, readWindowGeometry(profile, name, geometryOf(*window)), defaultGeometry);
        const bool stored = profile.valueExists(name, QStringLiteral("top")) || profile.valueExists(name, QStringLiteral("left"));
        window->setProperty(kFirstPlacementProperty, !stored);
        applyLanguageTo(*window);
        return window;
    };
    m_controlChartWindow = create(m_factories.controlChart, kControlChartSection, kControlChartDefault);
    m_comparisonWindow = create(m_factories.comparison, kComparisonSection, kComparisonDefault);
}

void MainWindow::loadLanguageResources()
{
    // The window still opens without the statistics template, with both chart
    // windows: the chart commands rely on them.
    readStatisticsTemplate(m_state.language);
    m_qtTranslations->load(m_state.language);
    m_contextHelp->setLanguage(m_state.language, m_state.shippedFileFolders());
}

bool MainWindow::readStatisticsTemplate(platform::Language language)
{
    const QString path = chart::statisticsTemplatePath(m_state, language);
    try {
        // A grid that cannot be read keeps what it held.
        m_statisticsGrid.read(path);
    } catch (const std::exception& error) {
        reportError(QString::fromUtf8(error.what()));
        return false;
    }
    statisticsSheet->applyDisplaySwitches();
    widenStatisticsColumns();
    return true;
}

// Columns as wide as their longest text, within reason: the chart title and
// the file name the chart window writes are long; what still does not fit
// shows as a tool tip. Done once the view has taken new content (it does so
// on the next turn of the event loop).
void MainWindow::widenStatisticsColumns()
{
    QTimer::singleShot(0, statisticsSheet, [this] { fitStatisticsColumns(); });
}

void MainWindow::fitStatisticsColumns()
{
    constexpr int kWidestColumn = 480;
    QTableView* table = statisticsSheet->tableView();
    for (int column = 0; column < m_statisticsGrid.lastCol(); ++column) {
        // Never narrower than before: the value columns fill later.
        const int before = table->columnWidth(column);
        table->resizeColumnToContents(column);
        table->setColumnWidth(column, std::max(before, std::min(table->columnWidth(column), kWidestColumn)));
    }
}

void MainWindow::applyLanguageTo(QWidget& window, TaggedTexts* taggedTexts)
{
    applyLanguageFile(window, m_state.shippedFile(LanguageTable::fileName(window.objectName())), m_state.language,
                      taggedTexts);
    m_contextHelp->applyPopupTexts(window);
}

void MainWindow::readSampleData()
{
    const QString path = m_state.shippedFile(QStringLiteral("Sampledata_multi.vts"));
    try {
        m_importGrid.read(path);
        m_state.job.lastDataRow = m_importGrid.lastRow();
        m_importGrid.showFormulas = false;
        m_importGrid.showEditBar = false;
        importSheet->applyDisplaySwitches();
    } catch (const std::exception& error) {
        reportError(QString::fromUtf8(error.what()));
    }
}

// --- close -----------------------------------------------------------------

void MainWindow::closeEvent(QCloseEvent* event)
{
    runCloseSteps();
    event->accept();
}

void MainWindow::runCloseSteps()
{
    if (m_closed) return;
    m_closed = true;
    try {
        platform::Profile profile(m_state.settingsPath);
        // One write of the whole file at the end: a refused write loses nothing already on disk.
        profile.beginUpdate();
        if (m_controlChartWindow) writeWindowGeometry(profile, QLatin1String(kControlChartSection), geometryOf(*m_controlChartWindow));
        delete m_controlChartWindow.data();
        if (m_comparisonWindow) writeWindowGeometry(profile, QLatin1String(kComparisonSection), geometryOf(*m_comparisonWindow));
        delete m_comparisonWindow.data();
        currentSettings().write(profile);
        profile.endUpdate();
    } catch (const std::exception& error) {
        // The program still ends; the user learns that the settings were not kept.
        reportError(QString::fromUtf8(error.what()));
    }
    saveRecentFiles();
    // The help goes with the program.
    if (help::HelpWindow* helpWindow = m_contextHelp->helpWindow()) helpWindow->close();
}

// --- tool bars ---------------------------------------------------------------

void MainWindow::applyToolbarSwitch(QAction* item, int band, bool checked)
{
    item->setChecked(checked);
    coolBar->toolBar(band)->setVisible(checked);
    coolBar->setBandVisible(band, checked);
}

void MainWindow::placeCoolBar(bool onTop)
{
    m_centralLayout->removeWidget(coolBar);
    m_centralLayout->insertWidget(onTop ? 0 : m_centralLayout->count(), coolBar);
}

void MainWindow::showChartWindow(QWidget* window)
{
    // A placeholder keeps only the geometry of a window: nothing to show.
    if (!window || window->property(kStandInProperty).toBool()) return;
    if (window->property(kFirstPlacementProperty).toBool()) {
        window->setProperty(kFirstPlacementProperty, false);
        placeBesideThisWindow(*window);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

void MainWindow::placeBesideThisWindow(QWidget& window)
{
    const QScreen* screen = this->screen();
    if (!screen) return;
    const QRect frame = frameGeometry();
    const QSize frameExtra = frame.size() - size();
    const int clientTop = pages->mapToGlobal(QPoint(0, 0)).y();
    // Before it is first shown a window may still be smaller than its layout
    // allows; placed at that size it would grow past the screen's edge.
    const QSize size = window.size().expandedTo(window.minimumSizeHint());
    const WindowGeometry place = placeBesideMainWindow(frame, clientTop, size, frameExtra,
                                                       screen->availableGeometry());
    window.resize(place.width, place.height);
    window.move(place.left, place.top);
}

bool MainWindow::isCoolBarOnTop() const { return m_centralLayout->indexOf(coolBar) == 0; }

}  // namespace app
