// The two pages of the main window: the import field panel above the import
// grid (with a splitter between them), and the statistics page with its button
// strip above the statistics grid. Every label and button carries its tag, every
// field its help context.
#include "main_window.h"

#include "control_tags.h"
#include "sheet_view.h"

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
constexpr int kHeaderRowLimit = 1048576;

QLabel* makeLabel(QWidget* parent, const char* name, const QString& caption, int tag)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    if (tag) setTag(label, tag);
    return label;
}

QLineEdit* makeEdit(QWidget* parent, const char* name, int helpContext)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    setHelpContext(edit, helpContext);
    return edit;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, int tag)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    setTag(button, tag);
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

void TfrmovtChart::buildPages()
{
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));

    TabSheet1 = new QWidget(PageControl1);
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    setTag(TabSheet1, 100);
    setHelpContext(TabSheet1, 100);
    auto* page1 = new QVBoxLayout(TabSheet1);
    page1->setContentsMargins(2, 2, 2, 2);
    Splitter1 = new QSplitter(Qt::Vertical, TabSheet1);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setChildrenCollapsible(false);
    Splitter1->addWidget(buildImportPanel());
    sheet1 = new sheetview::SheetView(m_importGrid, Splitter1);
    sheet1->setObjectName(QStringLiteral("sheet1"));
    setHelpContext(sheet1, 28);
    Splitter1->addWidget(sheet1);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    page1->addWidget(Splitter1);
    PageControl1->addTab(TabSheet1, QStringLiteral("&1 Datenimport und Werteauswahl"));

    TabSheet2 = buildStatisticsPage();
    PageControl1->addTab(TabSheet2, QStringLiteral("&2 Statistik aus Regelkarte"));
}

QWidget* TfrmovtChart::buildImportPanel()
{
    Panel1 = new QFrame(Splitter1);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::StyledPanel);
    Panel1->setMinimumHeight(60);
    auto* grid = new QGridLayout(Panel1);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(2);

    // Data file: name box with the recent files, open button, read again.
    cboSelfile = new QComboBox(Panel1);
    cboSelfile->setObjectName(QStringLiteral("cboSelfile"));
    cboSelfile->setEditable(true);
    cboSelfile->setInsertPolicy(QComboBox::NoInsert);
    cboSelfile->setMaxCount(11);
    cboSelfile->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cboSelfile->setMinimumContentsLength(30);
    setHelpContext(cboSelfile, 30);
    addField(grid, 0, 0, makeLabel(Panel1, "Label12", QStringLiteral("Dateiname"), 112), cboSelfile, 5);

    btnOeffnen = new QToolButton(Panel1);
    btnOeffnen->setObjectName(QStringLiteral("btnOeffnen"));
    btnOeffnen->setIcon(QIcon(QStringLiteral(":/icons/open.svg")));
    btnOeffnen->setAutoRaise(true);
    setTag(btnOeffnen, 120);
    grid->addWidget(btnOeffnen, 1, 5);
    btnEinlesen = makeButton(Panel1, "btnEinlesen", QStringLiteral("&Neu Lesen"), 113);
    btnEinlesen->setIcon(QIcon(QStringLiteral(":/icons/reload.svg")));
    grid->addWidget(btnEinlesen, 1, 6);

    // Columns and rows of the data.
    ComboBox1 = new QComboBox(Panel1);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->addItems({QStringLiteral(";"), QStringLiteral(","), QStringLiteral("|")});
    ComboBox1->setCurrentIndex(-1);
    setHelpContext(ComboBox1, 24);
    addField(grid, 2, 0, makeLabel(Panel1, "Label2", QStringLiteral("Spaltentrenner"), 102), ComboBox1);
    Edit1 = makeEdit(Panel1, "Edit1", 241);
    addField(grid, 2, 1, makeLabel(Panel1, "Label3", QStringLiteral("Startspalte"), 103), Edit1);
    Edit2 = makeEdit(Panel1, "Edit2", 242);
    addField(grid, 2, 2, makeLabel(Panel1, "Label4", QStringLiteral("Endespalte"), 104), Edit2);
    Edit3 = makeEdit(Panel1, "Edit3", 26);
    addField(grid, 2, 3, makeLabel(Panel1, "Label5", QStringLiteral("Startzeile"), 105), Edit3);
    Edit4 = makeEdit(Panel1, "Edit4", 261);
    addField(grid, 2, 4, makeLabel(Panel1, "Label6", QStringLiteral("Endezeile"), 106), Edit4);
    SpinEdit1 = new QSpinBox(Panel1);
    SpinEdit1->setObjectName(QStringLiteral("SpinEdit1"));
    SpinEdit1->setRange(0, kHeaderRowLimit);
    setHelpContext(SpinEdit1, 262);
    addField(grid, 2, 5, makeLabel(Panel1, "Label8", QStringLiteral("Spaltennamen  aus Zeile"), 108),
             SpinEdit1);
    Xcol = makeEdit(Panel1, "Xcol", 263);
    addField(grid, 2, 6, makeLabel(Panel1, "Label9", QStringLiteral("Spalte für X-Achse"), 109), Xcol);

    // Titles of the chart.
    txtGraphTitle = makeEdit(Panel1, "txtGraphTitle", 265);
    addField(grid, 4, 0, makeLabel(Panel1, "Label14", QStringLiteral("Graphiktitel"), 114), txtGraphTitle, 3);
    txtXtitle = makeEdit(Panel1, "txtXtitle", 266);
    addField(grid, 4, 3, makeLabel(Panel1, "Label15", QStringLiteral("Text X-Achse"), 115), txtXtitle, 2);
    txtYtitle = makeEdit(Panel1, "txtYtitle", 267);
    addField(grid, 4, 5, makeLabel(Panel1, "Label16", QStringLiteral("Text Y-Achse"), 116), txtYtitle, 2);

    // The two chart commands, at the right.
    btnChart = makeButton(Panel1, "btnChart", QStringLiteral("Regelkarte"), 110);
    btnChart->setIcon(QIcon(QStringLiteral(":/icons/chart.svg")));
    btnChartVgl = makeButton(Panel1, "btnChartVgl", QStringLiteral("Vergleich"), 111);
    btnChartVgl->setIcon(QIcon(QStringLiteral(":/icons/compare.svg")));
    for (QPushButton* b : {btnChart, btnChartVgl}) {
        b->setIconSize(QSize(22, 22));
        b->setMinimumHeight(34);
    }
    auto* commands = new QVBoxLayout;
    commands->addWidget(btnChart);
    commands->addWidget(btnChartVgl);
    commands->addStretch(1);
    grid->addLayout(commands, 0, 7, 6, 1);

    // Controls that only carry texts or state for other commands.
    LblTitle = makeLabel(Panel1, "LblTitle", QStringLiteral("Auswertung über "), 107);
    lblmess = makeLabel(Panel1, "lblmess", QStringLiteral("lblmess"), 56);
    lblstatistik = makeLabel(Panel1, "lblstatistik", QStringLiteral("lblmess"), 57);
    txtAktTemplate = makeEdit(Panel1, "txtAktTemplate", 0);
    for (QWidget* hidden : std::initializer_list<QWidget*>{LblTitle, lblmess, lblstatistik, txtAktTemplate})
        hidden->hide();
    Label1 = makeLabel(Panel1, "Label1", QString(), 0);
    grid->addWidget(Label1, 6, 0, 1, 7);

    grid->setColumnStretch(0, 2);
    for (int c = 1; c <= 6; ++c) grid->setColumnStretch(c, 1);
    grid->setRowStretch(6, 1);
    return Panel1;
}

QWidget* TfrmovtChart::buildStatisticsPage()
{
    auto* page = new QWidget(PageControl1);
    page->setObjectName(QStringLiteral("TabSheet2"));
    setTag(page, 101);
    setHelpContext(page, 101);

    btnStatSpeichern = makeButton(page, "btnStatSpeichern", QStringLiteral("&Speichern"), 117);
    btnStatSpeichern->setIcon(QIcon(QStringLiteral(":/icons/save.svg")));
    btnStatDrucken = makeButton(page, "btnStatDrucken", QStringLiteral("&Ausdrucken"), 118);
    btnStatDrucken->setIcon(QIcon(QStringLiteral(":/icons/print.svg")));
    btnPrintSetup = makeButton(page, "btnPrintSetup", QStringLiteral("&Print Setup"), 119);
    btnPrintSetup->setIcon(QIcon(QStringLiteral(":/icons/printsetup.svg")));
    auto* strip = new QHBoxLayout;
    strip->addStretch(1);
    strip->addWidget(btnStatSpeichern);
    strip->addWidget(btnStatDrucken);
    strip->addWidget(btnPrintSetup);

    sheet2 = new sheetview::SheetView(m_statisticsGrid, page);
    sheet2->setObjectName(QStringLiteral("sheet2"));
    setHelpContext(sheet2, 29);

    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(2, 4, 2, 2);
    layout->addLayout(strip);
    layout->addWidget(sheet2, 1);
    return page;
}

}  // namespace app
