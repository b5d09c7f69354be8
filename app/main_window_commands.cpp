// The main window's command handlers. The tool bar switches, the graph
// template choice, the about box and the file drop are the application shell's
// own; the other handlers call the shared code of their feature.
#include "main_window.h"

#include "about_box.h"
#include "chart_commands.h"
#include "cool_bar.h"
#include "error_report.h"
#include "print_book.h"
#include "profile.h"
#include "save_dialog.h"
#include "tooltip_switch.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QSpinBox>
#include <QTabWidget>
#include <QLineEdit>
#include <QToolBar>

namespace app {

void TfrmovtChart::mnubeendenClick() { close(); }

// The four tool bar switches run after the click has inverted the check mark:
// the tool bar and its band follow the new mark.
void TfrmovtChart::toggleBand(QAction* item, int band)
{
    const bool shown = item->isChecked();
    CoolBar1->toolBar(band)->setVisible(shown);
    CoolBar1->setBandVisible(band, shown);
    CoolBar1->realign();
}

void TfrmovtChart::mnuTDateiClick() { toggleBand(mnuTDatei, 0); }
void TfrmovtChart::mnuTBearbeitenClick() { toggleBand(mnuTBearbeiten, 1); }
void TfrmovtChart::mnuTEinstellungenClick() { toggleBand(mnuTEinstellungen, 2); }
void TfrmovtChart::mnuTHilfeClick() { toggleBand(mnuTHilfe, 3); }

void TfrmovtChart::mnuTObenClick() { placeCoolBar(mnuTOben->isChecked()); }

// The whole bar: the bands keep their own state for when it comes back.
void TfrmovtChart::mnuTAusClick() { CoolBar1->setVisible(mnuTAus->isChecked()); }

void TfrmovtChart::mnuHintsClick() { m_toolTips->setEnabled(mnuHints->isChecked()); }

void TfrmovtChart::mnuInfoClick()
{
    if (!m_aboutBox) m_aboutBox = new TAboutBox(this);
    m_aboutBox->exec();
}

// --- graph templates -------------------------------------------------------

void TfrmovtChart::chooseGraphTemplate(QString& dialogDir, GraphTemplateKind kind)
{
    const QString path = m_askOpenFile(this, QStringLiteral("Importeinstellungen lesen"), dialogDir,
                                       QStringLiteral("Graph Templates(vtc) (*.vtc)"));
    if (path.isEmpty()) return;
    const QFileInfo chosen(path);
    dialogDir = chosen.absolutePath();
    // Written at once, unlike the other settings: the chart window reads it when it next draws.
    platform::Profile profile(m_state.settingsPath);
    writeGraphTemplate(profile, kind, chosen.absoluteFilePath());
}

void TfrmovtChart::mnuXYTemplateClick() { chooseGraphTemplate(xyDialogDir, GraphTemplateKind::ControlChart); }
void TfrmovtChart::mnuVglTemplateClick() { chooseGraphTemplate(vglDialogDir, GraphTemplateKind::Comparison); }

// --- dropped files -----------------------------------------------------------

void TfrmovtChart::dropFile(const QString& path)
{
    // A change made by the program: it does not count as the user's and starts no second import.
    cboSelfile->setEditText(path);
    emit fileDropped(path);
    btnEinlesenClick();
}

// There are no embedded objects in the grid; the object operation does nothing.
void TfrmovtChart::sheet1ObjClick() {}

// --- chart commands ----------------------------------------------------------

chart::ChartCommandFields TfrmovtChart::chartCommandFields() const
{
    chart::ChartCommandFields fields;
    fields.firstRowText = Edit3->text();
    fields.lastRowText = Edit4->text();
    fields.headerRowText = SpinEdit1->text();
    fields.xColumnText = Xcol->text();
    fields.titleText = txtGraphTitle->text();
    fields.titleCaption = LblTitle->text();
    return fields;
}

// Errors of the import grid while the selection is read reach the error report.
void TfrmovtChart::btnChartClick()
{
    if (chart::runControlChartCommand(m_state, chartCommandFields())) showChartWindow(frmtxtChart);
}

void TfrmovtChart::btnChartVglClick()
{
    if (chart::runComparisonCommand(m_state, chartCommandFields())) showChartWindow(frmxyCompare);
}

// --- statistics output -------------------------------------------------------

// The statistics grid while its page is shown, the import grid otherwise.
sheet::F1Book& TfrmovtChart::outputGrid()
{
    return PageControl1->currentIndex() == 1 ? m_statisticsGrid : m_importGrid;
}

QString TfrmovtChart::outputTitle() const
{
    return PageControl1->currentIndex() == 1 ? lblstatistik->text() : lblmess->text();
}

void TfrmovtChart::mnuStatSpeichernClick()
{
    int format = sheet::FormatXlsx;
    QString path;
    if (!m_askSaveGrid(this, outputTitle(), &path, &format)) return;  // cancelled: nothing written, nothing said
    try {
        sheetview::writeBook(outputGrid(), path, format);
    } catch (const std::exception& error) {
        // A file the user asked for and did not get is worth a message.
        reportError(QString::fromUtf8(error.what()));
    }
}

void TfrmovtChart::mnuStatDruckenClick()
{
    // Printing errors reach the error report.
    sheetview::printBook(this, outputGrid(), false);
}

void TfrmovtChart::mnuPrintSetupClick()
{
    try {
        sheetview::printSetup(this);
        sheetview::printBook(this, outputGrid(), true);
    } catch (const std::exception&) {
        // The set-up and its print dialog end silently on any error.
    }
}

// --- language and help -------------------------------------------------------

void TfrmovtChart::mnuLangClick()
{
    // Wired when language tables land.
}

void TfrmovtChart::mnuInhaltClick()
{
    // Wired when help lands.
}

void TfrmovtChart::mnuPopupClick()
{
    // Wired when help lands ("What's this?" mode).
}

}  // namespace app
