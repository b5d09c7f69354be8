// The main window's import handlers: choosing, typing, picking or re-reading a
// data file, the recent-files list of the file-name box, the header-row field
// that follows the first-row field, and the import template commands. The
// work is done by the import library; the window supplies fields and dialogs.
#include "app/main_window.h"

#include "app/dialog_texts.h"

#include "app/error_report.h"
#include "app/program_start.h"
#include "import/header_row.h"
#include "import/import_file.h"
#include "import/import_template.h"
#include "components/platform/platform.h"
#include "components/platform/profile.h"
#include "import/recent_files.h"
#include "components/sheetview/sheet_view.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>

#include <memory>

namespace app {

namespace {

// An import that takes longer than this shows a progress bar.
constexpr qint64 kProgressDelayMs = 500;


}  // namespace

dataimport::ImportFields MainWindow::importFields() const
{
    dataimport::ImportFields f;
    f.separator = separatorBox->currentText();
    f.startColumn = startColumnEdit->text();
    f.endColumn = endColumnEdit->text();
    f.firstRow = firstRowEdit->text();
    f.lastRow = lastRowEdit->text();
    f.xColumn = xColumnEdit->text();
    f.headerRow = headerRowSpin->value();
    f.fileName = fileNameBox->currentText();
    f.graphTitle = chartTitleEdit->text();
    f.xTitle = xTitleEdit->text();
    f.yTitle = yTitleEdit->text();
    return f;
}

// In the template's order: the first row before the header row, so the header
// row's limits are in place when its value arrives.
void MainWindow::applyImportFields(const dataimport::ImportFields& f)
{
    separatorBox->setEditText(f.separator);
    startColumnEdit->setText(f.startColumn);
    endColumnEdit->setText(f.endColumn);
    firstRowEdit->setText(f.firstRow);
    lastRowEdit->setText(f.lastRow);
    xColumnEdit->setText(f.xColumn);
    headerRowSpin->setValue(f.headerRow);
    fileNameBox->setEditText(f.fileName);
    chartTitleEdit->setText(f.graphTitle);
    xTitleEdit->setText(f.xTitle);
    yTitleEdit->setText(f.yTitle);
}

// --- the recent-files list ------------------------------------------------------

void MainWindow::setRecentEntries(const QStringList& entries)
{
    // Replacing the list must not replace the typed file name.
    const QString text = fileNameBox->currentText();
    fileNameBox->clear();
    fileNameBox->addItems(entries);
    fileNameBox->setCurrentIndex(-1);
    fileNameBox->setEditText(text);
}

QStringList MainWindow::recentEntries() const
{
    QStringList entries;
    for (int i = 0; i < fileNameBox->count(); ++i) entries << fileNameBox->itemText(i);
    return entries;
}

void MainWindow::loadRecentFiles()
{
    dataimport::RecentFiles recent;
    recent.load(dataimport::RecentFiles::defaultLoadPath());
    // The box keeps at most 11 entries; a longer hand-made file is cut, not refused.
    fileNameBox->setMaxCount(std::max(dataimport::RecentFiles::kMaxEntries, recent.count()));
    setRecentEntries(recent.entries());
}

void MainWindow::saveRecentFiles()
{
    dataimport::RecentFiles recent;
    recent.setEntries(recentEntries());
    QString error;
    if (!recent.save(dataimport::RecentFiles::defaultPath(), &error)) reportError(error);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && watched == fileNameBox->view())
        return fileNameBoxKeyPressed(static_cast<QKeyEvent*>(event));
    return QMainWindow::eventFilter(watched, event);
}

// Delete on an entry of the open list removes that entry; other keys go on as usual.
bool MainWindow::fileNameBoxKeyPressed(QKeyEvent* key)
{
    if (key->key() != Qt::Key_Delete) return false;
    const int index = fileNameBox->view()->currentIndex().row();
    if (index >= 0) {
        const QString text = fileNameBox->currentText();
        fileNameBox->removeItem(index);
        fileNameBox->setEditText(text);
    }
    return true;
}

// --- import -----------------------------------------------------------------

void MainWindow::openDataFile()
{
    if (pages->currentIndex() != 0) pages->setCurrentIndex(0);
    const QString path = m_askOpenFile(this, dialogText(DialogText::DataFileTitle, m_state.language), dataDialogDir,
                                       dialogText(DialogText::DataFileFilter, m_state.language));
    if (path.isEmpty()) return;
    dataDialogDir = QFileInfo(path).absolutePath();
    importChosenFile(path);
}

void MainWindow::openFile(const QString& path, OpenedFrom from)
{
    const QString reason = unopenableFileReason(path, m_state.language);
    if (!reason.isEmpty()) {
        statusBar()->showMessage(reason);
        return;
    }
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (isImportTemplateFile(absolute)) {
        readImportTemplateFile(absolute);
    } else if (from == OpenedFrom::CommandLine) {
        importChosenFile(absolute);
    } else {
        // A change made by the program: it does not count as the user's and starts no second import.
        fileNameBox->setEditText(absolute);
        readDataFile();
    }
}

void MainWindow::importChosenFile(const QString& path)
{
    if (pages->currentIndex() != 0) pages->setCurrentIndex(0);
    dataimport::RecentFiles recent;
    recent.setEntries(recentEntries());
    recent.add(path);
    setRecentEntries(recent.entries());
    // Changes made here are the program's: they start no import of their own.
    fileNameBox->setCurrentIndex(0);
    fileNameBox->setEditText(path);
    readDataFile();
}

void MainWindow::readDataFile()
{
    if (pages->currentIndex() != 0) pages->setCurrentIndex(0);
    QString path = fileNameBox->currentText();
    // A bare name that is not in the working folder (the shipped templates name
    // the sample data so) is looked up among the shipped files.
    if (!path.isEmpty() && QFileInfo(path).isRelative() && !QFileInfo::exists(path)
        && QFileInfo::exists(m_state.shippedFile(path)))
        path = QDir::cleanPath(m_state.shippedFile(path));

    QElapsedTimer clock;
    clock.start();
    std::unique_ptr<QProgressDialog> progressBar;
    const dataimport::ProgressCallback progress = [&](qint64 done, qint64 total) {
        if (!progressBar && clock.elapsed() > kProgressDelayMs) {
            progressBar = std::make_unique<QProgressDialog>(QFileInfo(path).fileName(), dialogText(DialogText::CancelImport, m_state.language),
                                                            0, 1000, this);
            progressBar->setWindowModality(Qt::WindowModal);
            progressBar->setMinimumDuration(0);
        }
        if (progressBar) {
            progressBar->setValue(total > 0 ? int(done * 1000 / total) : 0);
            QCoreApplication::processEvents();
            return !progressBar->wasCanceled();
        }
        return true;
    };

    dataimport::ImportEnvironment environment;
    environment.scratchGrid = &m_scratchGrid;
    environment.decimalSeparator = platform::Platform::decimalSeparator();
    const dataimport::ImportResult result =
        dataimport::importFile(path, importFields(), m_importGrid, progress, environment);
    if (result.lastDataRow) m_state.job.lastDataRow = *result.lastDataRow;
    progressBar.reset();
    importSheet->applyDisplaySwitches();
    if (result.status == dataimport::ImportResult::Status::Failed && !result.errorText.isEmpty())
        reportError(result.errorText);
}

void MainWindow::fileNameChanged()
{
    // A typed name is imported once it names a file, so that typing a path
    // does not report every unfinished name as an error; a picked entry is
    // imported at once.
    if (sender() == fileNameBox->lineEdit() && !QFileInfo(fileNameBox->currentText()).isFile()) return;
    readDataFile();
}

void MainWindow::firstRowChanged()
{
    const dataimport::HeaderRowLimits limits = dataimport::headerRowLimits(firstRowEdit->text());
    if (!limits.applies) return;
    if (!limits.enabled) {
        if (limits.resetToZero) headerRowSpin->setValue(0);
        headerRowSpin->setEnabled(false);
    } else {
        headerRowSpin->setMaximum(limits.maximum);
        headerRowSpin->setEnabled(true);
    }
}

// --- import templates ---------------------------------------------------------

void MainWindow::openImportTemplate()
{
    const QString path = m_askOpenFile(this, dialogText(DialogText::TemplateOpenTitle, m_state.language), templateOpenDialogDir,
                                       dialogText(DialogText::TemplateFilter, m_state.language));
    if (path.isEmpty()) return;
    readImportTemplateFile(path);
}

void MainWindow::readImportTemplateFile(const QString& path)
{
    m_currentTemplatePath = path;
    templateOpenDialogDir = dataimport::templateDirectoryOf(path);
    templateSaveDialogDir = templateOpenDialogDir;
    const platform::Profile profile(m_currentTemplatePath);
    QString importDir;
    const dataimport::ImportFields fields = dataimport::readImportTemplate(profile, &importDir);
    applyImportFields(fields);
    dataDialogDir = importDir;
}

void MainWindow::saveImportTemplate()
{
    const QString chosen = m_askSaveFile(this, dialogText(DialogText::TemplateSaveTitle, m_state.language),
                                         templateSaveDialogDir, dialogText(DialogText::TemplateFilter, m_state.language));
    if (chosen.isEmpty()) return;
    templateSaveDialogDir = dataimport::templateDirectoryOf(chosen);
    templateOpenDialogDir = templateSaveDialogDir;
    platform::Profile profile(dataimport::templateSavePath(chosen));
    // A refused write reaches the error report through the application.
    dataimport::writeImportTemplate(profile, importFields(), dataDialogDir, templateOpenDialogDir);
}

void MainWindow::restoreDefaultSettings()
{
    const QString path = m_state.shippedFile(dataimport::defaultTemplateName(m_state.language));
    applyImportFields(dataimport::readImportTemplate(platform::Profile(path)));
}

}  // namespace app
