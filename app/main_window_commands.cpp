// The main window's command handlers. The tool bar switches, the graph
// template choice, the about box and the file drop are the application shell's
// own; the other handlers call the shared code of their feature.
#include "main_window.h"

#include "about_box.h"
#include "cool_bar.h"
#include "profile.h"
#include "tooltip_switch.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
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

// --- import ----------------------------------------------------------------

void TfrmovtChart::btnOeffnenClick()
{
    // Wired when the import lands.
}

void TfrmovtChart::btnEinlesenClick()
{
    // Wired when the import lands.
}

void TfrmovtChart::cboSelfileChange()
{
    // Wired when the import lands.
}

void TfrmovtChart::Edit3Change()
{
    // Wired when the import lands (header-row limits from the first row).
}

// --- chart commands ----------------------------------------------------------

void TfrmovtChart::btnChartClick()
{
    // Wired when the control chart window lands.
}

void TfrmovtChart::btnChartVglClick()
{
    // Wired when the comparison window lands.
}

// --- statistics output -------------------------------------------------------

void TfrmovtChart::mnuStatSpeichernClick()
{
    // Wired when statistics output lands.
}

void TfrmovtChart::mnuStatDruckenClick()
{
    // Wired when statistics output lands.
}

void TfrmovtChart::mnuPrintSetupClick()
{
    // Wired when statistics output lands.
}

// --- import templates --------------------------------------------------------

void TfrmovtChart::mnuEinstSpeichernClick()
{
    // Wired when import templates land.
}

void TfrmovtChart::mnuTemplateClick()
{
    // Wired when import templates land.
}

void TfrmovtChart::mnuDefaultClick()
{
    // Wired when import templates land.
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
