// The main window's command handlers. The tool bar switches, the graph
// template choice, the about box and the file drop are the application shell's
// own; the other handlers call the shared code of their feature.
#include "app/main_window.h"

#include "app/about_box.h"
#include "chart/chart_commands.h"
#include "app/cool_bar.h"
#include "app/error_report.h"
#include "components/sheetview/print_book.h"
#include "components/platform/profile.h"
#include "components/sheetview/save_dialog.h"
#include "app/tooltip_switch.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QSpinBox>
#include <QTabWidget>
#include <QLineEdit>
#include <QToolBar>

namespace app {

void MainWindow::exitProgram() { close(); }

// The four tool bar switches run after the click has inverted the check mark:
// the tool bar and its band follow the new mark.
void MainWindow::toggleBand(QAction* item, int band)
{
    const bool shown = item->isChecked();
    coolBar->toolBar(band)->setVisible(shown);
    coolBar->setBandVisible(band, shown);
    coolBar->realign();
}

void MainWindow::toggleFileToolBar() { toggleBand(fileToolBarAction, 0); }
void MainWindow::toggleEditToolBar() { toggleBand(editToolBarAction, 1); }
void MainWindow::toggleSettingsToolBar() { toggleBand(settingsToolBarAction, 2); }
void MainWindow::toggleHelpToolBar() { toggleBand(helpToolBarAction, 3); }

void MainWindow::toggleToolBarsOnTop() { placeCoolBar(toolBarsOnTopAction->isChecked()); }

// The whole bar: the bands keep their own state for when it comes back.
void MainWindow::toggleToolBarsShown() { coolBar->setVisible(toolBarsShownAction->isChecked()); }

void MainWindow::toggleHints() { m_toolTips->setEnabled(hintsAction->isChecked()); }

void MainWindow::showAbout()
{
    if (!m_aboutBox) m_aboutBox = new AboutBox(this);
    m_aboutBox->exec();
}

// --- graph templates -------------------------------------------------------

void MainWindow::chooseGraphTemplate(QString& dialogDir, GraphTemplateKind kind)
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

void MainWindow::chooseControlChartLook() { chooseGraphTemplate(xyDialogDir, GraphTemplateKind::ControlChart); }
void MainWindow::chooseComparisonChartLook() { chooseGraphTemplate(vglDialogDir, GraphTemplateKind::Comparison); }

// --- dropped files -----------------------------------------------------------

void MainWindow::dropFile(const QString& path)
{
    emit fileDropped(path);
    openFile(path, OpenedFrom::Drop);
}

// There are no embedded objects in the grid; the object operation does nothing.
void MainWindow::importSheetClicked() {}

// --- chart commands ----------------------------------------------------------

chart::ChartCommandFields MainWindow::chartCommandFields() const
{
    // The header row as the spin box shows it: a cleared box reads as no header row.
    return chart::chartCommandFieldsOf(firstRowEdit->text(), lastRowEdit->text(), headerRowSpin->text(),
                                       xColumnEdit->text(), chartTitleEdit->text(),
                                       m_taggedTexts.text(TaggedTexts::kTitleCaption));
}

// Errors of the import grid while the selection is read reach the error report.
void MainWindow::showControlChart()
{
    if (chart::runControlChartCommand(m_state, chartCommandFields())) showChartWindow(m_controlChartWindow);
}

void MainWindow::showComparisonChart()
{
    if (chart::runComparisonCommand(m_state, chartCommandFields())) showChartWindow(m_comparisonWindow);
}

// --- statistics output -------------------------------------------------------

// The statistics grid while its page is shown, the import grid otherwise.
sheet::Spreadsheet& MainWindow::outputGrid()
{
    return pages->currentIndex() == 1 ? m_statisticsGrid : m_importGrid;
}

QString MainWindow::outputTitle() const
{
    return m_taggedTexts.text(pages->currentIndex() == 1 ? TaggedTexts::kStatisticsSaveTitle : TaggedTexts::kImportSaveTitle);
}

void MainWindow::saveStatistics()
{
    sheet::FileFormat format = sheet::FileFormat::Xlsx;
    QString path;
    if (!m_askSaveGrid(this, outputTitle(), &path, &format)) return;  // cancelled: nothing written, nothing said
    try {
        sheetview::writeBook(outputGrid(), path, format);
    } catch (const std::exception& error) {
        // A file the user asked for and did not get is worth a message.
        reportError(QString::fromUtf8(error.what()));
    }
}

void MainWindow::printStatistics()
{
    // Printing errors reach the error report.
    sheetview::printBook(this, outputGrid(), false);
}

void MainWindow::printSetup()
{
    try {
        sheetview::printSetup(this);
        sheetview::printBook(this, outputGrid(), true);
    } catch (const std::exception&) {
        // The set-up and its print dialog end silently on any error.
    }
}

// --- language and help -------------------------------------------------------

void MainWindow::switchLanguage()
{
    // The program has no language tables to switch: nothing happens.
}

void MainWindow::showHelpContents()
{
    // The program has no help file to open: nothing happens.
}

void MainWindow::enterWhatsThisMode()
{
    // No help texts to show in "What's this?" mode: nothing happens.
}

}  // namespace app
