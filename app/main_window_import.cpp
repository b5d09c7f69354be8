// The main window's import handlers: choosing, typing, picking or re-reading a
// data file, the recent-files list of the file-name box, the header-row field
// that follows the first-row field, and the import template commands. The
// work is done by the import library; the window supplies fields and dialogs.
#include "main_window.h"

#include "error_report.h"
#include "header_row.h"
#include "import_file.h"
#include "import_template.h"
#include "platform.h"
#include "profile.h"
#include "recent_files.h"
#include "sheet_view.h"

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
#include <QTabWidget>

#include <memory>

namespace app {

namespace {

// An import that takes longer than this shows a progress bar.
constexpr qint64 kProgressDelayMs = 500;

const QString kDataFileFilter = QStringLiteral(
    "ChartFiles (xls, vts, txt, csv) (*.xls *.vts *.txt *.csv *.xlsx *.ods);;"
    "Textfiles (txt, csv) (*.txt *.csv);;Excel (*.xls *.xlsx);;Vts (*.vts);;Alle (*)");
const QString kTemplateFilter = QStringLiteral("Import Templates(ctpl) (*.ctpl);;Alle (*)");

}  // namespace

dataimport::ImportFields TfrmovtChart::importFields() const
{
    dataimport::ImportFields f;
    f.separator = ComboBox1->currentText();
    f.startColumn = Edit1->text();
    f.endColumn = Edit2->text();
    f.firstRow = Edit3->text();
    f.lastRow = Edit4->text();
    f.xColumn = Xcol->text();
    f.headerRow = SpinEdit1->value();
    f.fileName = cboSelfile->currentText();
    f.graphTitle = txtGraphTitle->text();
    f.xTitle = txtXtitle->text();
    f.yTitle = txtYtitle->text();
    return f;
}

// In the template's order: the first row before the header row, so the header
// row's limits are in place when its value arrives.
void TfrmovtChart::applyImportFields(const dataimport::ImportFields& f)
{
    ComboBox1->setEditText(f.separator);
    Edit1->setText(f.startColumn);
    Edit2->setText(f.endColumn);
    Edit3->setText(f.firstRow);
    Edit4->setText(f.lastRow);
    Xcol->setText(f.xColumn);
    SpinEdit1->setValue(f.headerRow);
    cboSelfile->setEditText(f.fileName);
    txtGraphTitle->setText(f.graphTitle);
    txtXtitle->setText(f.xTitle);
    txtYtitle->setText(f.yTitle);
}

// --- the recent-files list ------------------------------------------------------

void TfrmovtChart::setRecentEntries(const QStringList& entries)
{
    // Replacing the list must not replace the typed file name.
    const QString text = cboSelfile->currentText();
    cboSelfile->clear();
    cboSelfile->addItems(entries);
    cboSelfile->setCurrentIndex(-1);
    cboSelfile->setEditText(text);
}

QStringList TfrmovtChart::recentEntries() const
{
    QStringList entries;
    for (int i = 0; i < cboSelfile->count(); ++i) entries << cboSelfile->itemText(i);
    return entries;
}

void TfrmovtChart::loadRecentFiles()
{
    dataimport::RecentFiles recent;
    recent.load(dataimport::RecentFiles::defaultLoadPath());
    // The box keeps at most 11 entries; a longer hand-made file is cut, not refused.
    cboSelfile->setMaxCount(std::max(dataimport::RecentFiles::kMaxEntries, recent.count()));
    setRecentEntries(recent.entries());
}

void TfrmovtChart::saveRecentFiles()
{
    dataimport::RecentFiles recent;
    recent.setEntries(recentEntries());
    QString error;
    if (!recent.save(dataimport::RecentFiles::defaultPath(), &error)) reportError(error);
}

bool TfrmovtChart::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && watched == cboSelfile->view())
        return cboSelfileKeyDown(static_cast<QKeyEvent*>(event));
    return QMainWindow::eventFilter(watched, event);
}

// Delete on an entry of the open list removes that entry; other keys go on as usual.
bool TfrmovtChart::cboSelfileKeyDown(QKeyEvent* key)
{
    if (key->key() != Qt::Key_Delete) return false;
    const int index = cboSelfile->view()->currentIndex().row();
    if (index >= 0) {
        const QString text = cboSelfile->currentText();
        cboSelfile->removeItem(index);
        cboSelfile->setEditText(text);
    }
    return true;
}

// --- import -----------------------------------------------------------------

void TfrmovtChart::btnOeffnenClick()
{
    if (PageControl1->currentIndex() != 0) PageControl1->setCurrentIndex(0);
    const QString path = m_askOpenFile(this, QStringLiteral("Datenimport"), dataDialogDir, kDataFileFilter);
    if (path.isEmpty()) return;
    dataDialogDir = QFileInfo(path).absolutePath();

    dataimport::RecentFiles recent;
    recent.setEntries(recentEntries());
    recent.add(path);
    setRecentEntries(recent.entries());
    // Changes made here are the program's: they start no import of their own.
    cboSelfile->setCurrentIndex(0);
    cboSelfile->setEditText(path);
    btnEinlesenClick();
}

void TfrmovtChart::btnEinlesenClick()
{
    if (PageControl1->currentIndex() != 0) PageControl1->setCurrentIndex(0);
    QString path = cboSelfile->currentText();
    // A bare name that is not in the working folder (the shipped templates name
    // the sample data so) is looked up in the application directory.
    if (!path.isEmpty() && QFileInfo(path).isRelative() && !QFileInfo::exists(path)
        && QFileInfo::exists(m_state.applicationDirectory + path))
        path = QDir::cleanPath(m_state.applicationDirectory + path);

    QElapsedTimer clock;
    clock.start();
    std::unique_ptr<QProgressDialog> progressBar;
    const dataimport::ProgressCallback progress = [&](qint64 done, qint64 total) {
        if (!progressBar && clock.elapsed() > kProgressDelayMs) {
            progressBar = std::make_unique<QProgressDialog>(QFileInfo(path).fileName(), QStringLiteral("Abbrechen"),
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
        dataimport::importFile(path, importFields(), m_importGrid, m_state.job, progress, environment);
    progressBar.reset();
    sheet1->applyDisplaySwitches();
    if (result.status == dataimport::ImportResult::Status::Failed && !result.errorText.isEmpty())
        reportError(result.errorText);
}

void TfrmovtChart::cboSelfileChange()
{
    // A typed name is imported once it names a file, so that typing a path
    // does not report every unfinished name as an error; a picked entry is
    // imported at once.
    if (sender() == cboSelfile->lineEdit() && !QFileInfo(cboSelfile->currentText()).isFile()) return;
    btnEinlesenClick();
}

void TfrmovtChart::Edit3Change()
{
    const dataimport::HeaderRowLimits limits = dataimport::headerRowLimits(Edit3->text());
    if (!limits.applies) return;
    if (!limits.enabled) {
        if (limits.resetToZero) SpinEdit1->setValue(0);
        SpinEdit1->setEnabled(false);
    } else {
        SpinEdit1->setMaximum(limits.maximum);
        SpinEdit1->setEnabled(true);
    }
}

// --- import templates ---------------------------------------------------------

void TfrmovtChart::mnuTemplateClick()
{
    const QString path = m_askOpenFile(this, QStringLiteral("Importeinstellungen lesen"), templateOpenDialogDir,
                                       kTemplateFilter);
    if (path.isEmpty()) return;
    txtAktTemplate->setText(path);
    templateOpenDialogDir = dataimport::templateDirectoryOf(path);
    templateSaveDialogDir = templateOpenDialogDir;
    const platform::Profile profile(txtAktTemplate->text());
    QString importDir;
    const dataimport::ImportFields fields = dataimport::readImportTemplate(profile, &importDir);
    applyImportFields(fields);
    dataDialogDir = importDir;
}

void TfrmovtChart::mnuEinstSpeichernClick()
{
    const QString chosen = m_askSaveFile(this, QStringLiteral("Importeinstellungen speichern"),
                                         templateSaveDialogDir, kTemplateFilter);
    if (chosen.isEmpty()) return;
    templateSaveDialogDir = dataimport::templateDirectoryOf(chosen);
    templateOpenDialogDir = templateSaveDialogDir;
    platform::Profile profile(dataimport::templateSavePath(chosen));
    // A refused write reaches the error report through the application.
    dataimport::writeImportTemplate(profile, importFields(), dataDialogDir, templateOpenDialogDir);
}

void TfrmovtChart::mnuDefaultClick()
{
    applyImportFields(dataimport::readDefaultTemplate(m_state.applicationDirectory, m_state.languageCode));
}

}  // namespace app
