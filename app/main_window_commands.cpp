// The main window's command handlers. The tool bar switches, the graph
// template choice, the about box and the file drop are the application shell's
// own; the other handlers call the shared code of their feature.
#include "app/main_window.h"

#include "app/about_box.h"
#include "app/context_help.h"
#include "app/qt_translations.h"
#include "chart/computation_fill.h"
#include "chart/widgets/control_chart_window.h"
#include "components/platform/control_tags.h"
#include "app/dialog_texts.h"
#include "chart/chart_commands.h"
#include "app/cool_bar.h"
#include "app/error_report.h"
#include "components/sheetview/print_book.h"
#include "components/platform/profile.h"
#include "components/sheetview/save_dialog.h"
#include "components/sheetview/sheet_view.h"
#include "app/tooltip_switch.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QSpinBox>
#include <QTabWidget>
#include <QLineEdit>
#include <QTabBar>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>

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
    const QString path = m_askOpenFile(this, dialogText(DialogText::ChartLookTitle, m_state.language), dialogDir,
                                       dialogText(DialogText::ChartLookFilter, m_state.language));
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
    const platform::Language next = m_state.language == platform::Language::English ? platform::Language::German
                                                                                      : platform::Language::English;
    // The statistics template of the new language first: one that cannot be
    // read is reported and leaves the whole program in the old language.
    if (!readStatisticsTemplate(next)) return;
    m_state.language = next;
    m_languageChosen = true;
    copyShownStatisticsAgain();
    m_qtTranslations->load(next);
    m_contextHelp->setLanguage(next, m_state.shippedFileFolders());
    applyLanguageTo(*this, &m_taggedTexts);
    limitFieldsChanged();   // a red limit field says why in the new language
    if (m_comparisonWindow) applyLanguageTo(*m_comparisonWindow);
    if (m_controlChartWindow) applyLanguageTo(*m_controlChartWindow);
}

// The template replaced the statistics; those of the last chart come back
// from the control chart window's computation grid, under the new labels.
void MainWindow::copyShownStatisticsAgain()
{
    auto* window = qobject_cast<ControlChartWindow*>(m_controlChartWindow.data());
    if (!window || window->lastComputationRow() <= chart::kHeaderRow) return;
    try {
        window->copyStatistics();
    } catch (const std::exception& error) {
        reportError(QString::fromUtf8(error.what()));
    }
}

void MainWindow::showHelpContents() { m_contextHelp->showContents(); }

void MainWindow::enterWhatsThisMode() { m_contextHelp->enterWhatsThisMode(); }

F1Situation MainWindow::f1Situation(QWidget* focus) const
{
    F1Situation s;
    s.statisticsPageActive = pages->currentIndex() == 1;
    s.pageControlContext = platform::helpContextOf(pages);
    if (const QWidget* active = QApplication::activeWindow()) s.activeWindowName = active->objectName();
    if (!focus) return s;
    auto within = [focus](const QWidget* control) { return control == focus || control->isAncestorOf(focus); };
    if (within(separatorBox) || within(startColumnEdit) || within(endColumnEdit))
        s.item = F1Item::SeparatorOrColumnField;
    else if (within(importSheet))
        s.item = F1Item::ImportGrid;
    else if (within(statisticsSheet))
        s.item = F1Item::StatisticsGrid;
    else if (focus == pages || focus == pages->tabBar())
        s.item = F1Item::PageControl;
    else if (within(fileNameBox) || within(openFileButton) || within(readFileButton))
        s.item = F1Item::DataFileControl;
    return s;
}

}  // namespace app
