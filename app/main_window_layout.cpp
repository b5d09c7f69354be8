// The two pages of the main window: the import field panel above the import
// grid (with a splitter between them), and the statistics page with its button
// strip above the statistics grid. Every label and button carries its tag, every
// field its help context.
#include "app/main_window.h"

#include "components/platform/control_tags.h"
#include "components/sheet/cell_address.h"
#include "components/sheetview/sheet_view.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace app {

namespace {

// Highest header row the spin box offers before the first-row field narrows it.
constexpr int kHeaderRowLimit = sheet::kMaxRows;

QLabel* makeLabel(QWidget* parent, const char* name, const QString& caption, int tag)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    if (tag) platform::setTag(label, tag);
    return label;
}

QLineEdit* makeEdit(QWidget* parent, const char* name, int helpContext)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    platform::setHelpContext(edit, helpContext);
    return edit;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, int tag)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    platform::setTag(button, tag);
    return button;
}

// A caption over its field, in one cell of the panel's grid.
void addField(QGridLayout* grid, int row, int column, QLabel* label, QWidget* field, int span = 1)
{
    label->setBuddy(field);
    grid->addWidget(label, row, column, 1, span);
    grid->addWidget(field, row + 1, column, 1, span);
}

}  // namespace

void MainWindow::buildPages()
{
    pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("pages"));
    // F1 on the tab bar while the import page is shown opens the page's topic.
    platform::setHelpContext(pages, 100);

    importPage = new QWidget(pages);
    importPage->setObjectName(QStringLiteral("importPage"));
    platform::setTag(importPage, 100);
    platform::setHelpContext(importPage, 100);
    auto* page1 = new QVBoxLayout(importPage);
    page1->setContentsMargins(2, 2, 2, 2);
    importSplitter = new QSplitter(Qt::Vertical, importPage);
    importSplitter->setObjectName(QStringLiteral("importSplitter"));
    importSplitter->setChildrenCollapsible(false);
    importSplitter->addWidget(buildImportPanel());
    importSheet = new sheetview::SheetView(m_importGrid, importSplitter);
    importSheet->setObjectName(QStringLiteral("importSheet"));
    platform::setHelpContext(importSheet, 28);
    importSplitter->addWidget(importSheet);
    importSplitter->setStretchFactor(0, 0);
    importSplitter->setStretchFactor(1, 1);
    page1->addWidget(importSplitter);
    pages->addTab(importPage, QStringLiteral("&1 Datenimport und Werteauswahl"));

    statisticsPage = buildStatisticsPage();
    pages->addTab(statisticsPage, QStringLiteral("&2 Statistik aus Regelkarte"));
}

QWidget* MainWindow::buildImportPanel()
{
    importPanel = new QFrame(importSplitter);
    importPanel->setObjectName(QStringLiteral("importPanel"));
    importPanel->setFrameShape(QFrame::StyledPanel);
    importPanel->setMinimumHeight(60);
    auto* grid = new QGridLayout(importPanel);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(2);
    addDataFileRow(grid);
    addRowAndColumnFields(grid);
    addTitleFields(grid);
    addLimitFields(grid);
    addChartCommandButtons(grid);

    statusLabel = makeLabel(importPanel, "statusLabel", QString(), 0);
    grid->addWidget(statusLabel, 6, 0, 1, 7);

    grid->setColumnStretch(0, 2);
    for (int c = 1; c <= 6; ++c) grid->setColumnStretch(c, 1);
    grid->setRowStretch(6, 1);
    return importPanel;
}

// Data file: name box with the recent files, open button, read again.
void MainWindow::addDataFileRow(QGridLayout* grid)
{
    fileNameBox = new QComboBox(importPanel);
    fileNameBox->setObjectName(QStringLiteral("fileNameBox"));
    fileNameBox->setEditable(true);
    fileNameBox->setInsertPolicy(QComboBox::NoInsert);
    fileNameBox->setMaxCount(11);
    fileNameBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    fileNameBox->setMinimumContentsLength(30);
    platform::setHelpContext(fileNameBox, 30);
    addField(grid, 0, 0, makeLabel(importPanel, "fileNameLabel", QStringLiteral("Dateiname"), 112), fileNameBox, 5);

    openFileButton = new QToolButton(importPanel);
    openFileButton->setObjectName(QStringLiteral("openFileButton"));
    openFileButton->setIcon(QIcon(QStringLiteral(":/icons/open.svg")));
    openFileButton->setAutoRaise(true);
    platform::setTag(openFileButton, 120);
    grid->addWidget(openFileButton, 1, 5);
    readFileButton = makeButton(importPanel, "readFileButton", QStringLiteral("&Neu Lesen"), 113);
    readFileButton->setIcon(QIcon(QStringLiteral(":/icons/reload.svg")));
    grid->addWidget(readFileButton, 1, 6);
}

// Columns and rows of the data, and the x column.
void MainWindow::addRowAndColumnFields(QGridLayout* grid)
{
    separatorBox = new QComboBox(importPanel);
    separatorBox->setObjectName(QStringLiteral("separatorBox"));
    separatorBox->setEditable(true);
    separatorBox->setInsertPolicy(QComboBox::NoInsert);
    separatorBox->addItems({QStringLiteral(";"), QStringLiteral(","), QStringLiteral("|")});
    separatorBox->setCurrentIndex(-1);
    platform::setHelpContext(separatorBox, 24);
    addField(grid, 2, 0, makeLabel(importPanel, "separatorLabel", QStringLiteral("Spaltentrenner"), 102), separatorBox);
    startColumnEdit = makeEdit(importPanel, "startColumnEdit", 241);
    addField(grid, 2, 1, makeLabel(importPanel, "startColumnLabel", QStringLiteral("Startspalte"), 103), startColumnEdit);
    endColumnEdit = makeEdit(importPanel, "endColumnEdit", 242);
    addField(grid, 2, 2, makeLabel(importPanel, "endColumnLabel", QStringLiteral("Endespalte"), 104), endColumnEdit);
    firstRowEdit = makeEdit(importPanel, "firstRowEdit", 26);
    addField(grid, 2, 3, makeLabel(importPanel, "firstRowLabel", QStringLiteral("Startzeile"), 105), firstRowEdit);
    lastRowEdit = makeEdit(importPanel, "lastRowEdit", 261);
    addField(grid, 2, 4, makeLabel(importPanel, "lastRowLabel", QStringLiteral("Endezeile"), 106), lastRowEdit);
    headerRowSpin = new QSpinBox(importPanel);
    headerRowSpin->setObjectName(QStringLiteral("headerRowSpin"));
    headerRowSpin->setRange(0, kHeaderRowLimit);
    platform::setHelpContext(headerRowSpin, 262);
    addField(grid, 2, 5, makeLabel(importPanel, "headerRowLabel", QStringLiteral("Spaltennamen  aus Zeile"), 108),
             headerRowSpin);
    xColumnEdit = makeEdit(importPanel, "xColumnEdit", 263);
    addField(grid, 2, 6, makeLabel(importPanel, "xColumnLabel", QStringLiteral("Spalte für X-Achse"), 109), xColumnEdit);
}

// Titles of the chart.
void MainWindow::addTitleFields(QGridLayout* grid)
{
    chartTitleEdit = makeEdit(importPanel, "chartTitleEdit", 265);
    addField(grid, 4, 0, makeLabel(importPanel, "chartTitleLabel", QStringLiteral("Graphiktitel"), 114), chartTitleEdit, 3);
    xTitleEdit = makeEdit(importPanel, "xTitleEdit", 266);
    addField(grid, 4, 3, makeLabel(importPanel, "xTitleLabel", QStringLiteral("Text X-Achse"), 115), xTitleEdit, 2);
    yTitleEdit = makeEdit(importPanel, "yTitleEdit", 267);
    addField(grid, 4, 5, makeLabel(importPanel, "yTitleLabel", QStringLiteral("Text Y-Achse"), 116), yTitleEdit, 2);
}

// Tolerance limits (LSL, USL) and target of the capability figures.
void MainWindow::addLimitFields(QGridLayout* grid)
{
    lowerLimitEdit = makeEdit(importPanel, "lowerLimitEdit", 268);
    addField(grid, 6, 0, makeLabel(importPanel, "lowerLimitLabel", QStringLiteral("Untere Toleranzgrenze"), 121),
             lowerLimitEdit);
    upperLimitEdit = makeEdit(importPanel, "upperLimitEdit", 269);
    addField(grid, 6, 1, makeLabel(importPanel, "upperLimitLabel", QStringLiteral("Obere Toleranzgrenze"), 122),
             upperLimitEdit);
    targetEdit = makeEdit(importPanel, "targetEdit", 270);
    addField(grid, 6, 2, makeLabel(importPanel, "targetLabel", QStringLiteral("Sollwert"), 123), targetEdit);
    for (QLineEdit* edit : {lowerLimitEdit, upperLimitEdit, targetEdit})
        connect(edit, &QLineEdit::textChanged, this, &MainWindow::limitFieldsChanged);
}

// The two chart commands, at the right.
void MainWindow::addChartCommandButtons(QGridLayout* grid)
{
    controlChartButton = makeButton(importPanel, "controlChartButton", QStringLiteral("Regelkarte"), 110);
    controlChartButton->setIcon(QIcon(QStringLiteral(":/icons/chart.svg")));
    comparisonChartButton = makeButton(importPanel, "comparisonChartButton", QStringLiteral("Vergleich"), 111);
    comparisonChartButton->setIcon(QIcon(QStringLiteral(":/icons/compare.svg")));
    for (QPushButton* b : {controlChartButton, comparisonChartButton}) {
        b->setIconSize(QSize(22, 22));
        b->setMinimumHeight(34);
    }
    auto* commands = new QVBoxLayout;
    commands->addWidget(controlChartButton);
    commands->addWidget(comparisonChartButton);
    commands->addStretch(1);
    grid->addLayout(commands, 0, 7, 8, 1);
}

QWidget* MainWindow::buildStatisticsPage()
{
    auto* page = new QWidget(pages);
    page->setObjectName(QStringLiteral("statisticsPage"));
    platform::setTag(page, 101);
    platform::setHelpContext(page, 101);

    saveStatisticsButton = makeButton(page, "saveStatisticsButton", QStringLiteral("&Speichern"), 117);
    saveStatisticsButton->setIcon(QIcon(QStringLiteral(":/icons/save.svg")));
    printStatisticsButton = makeButton(page, "printStatisticsButton", QStringLiteral("&Ausdrucken"), 118);
    printStatisticsButton->setIcon(QIcon(QStringLiteral(":/icons/print.svg")));
    printSetupButton = makeButton(page, "printSetupButton", QStringLiteral("&Print Setup"), 119);
    printSetupButton->setIcon(QIcon(QStringLiteral(":/icons/printsetup.svg")));
    auto* strip = new QHBoxLayout;
    strip->addStretch(1);
    strip->addWidget(saveStatisticsButton);
    strip->addWidget(printStatisticsButton);
    strip->addWidget(printSetupButton);

    statisticsSheet = new sheetview::SheetView(m_statisticsGrid, page);
    statisticsSheet->setObjectName(QStringLiteral("statisticsSheet"));
    platform::setHelpContext(statisticsSheet, 29);

    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(2, 4, 2, 2);
    layout->addLayout(strip);
    layout->addWidget(statisticsSheet, 1);
    return page;
}

}  // namespace app
