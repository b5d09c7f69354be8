// The on-screen grid: wiring between the book, its model, the table view and
// the edit bar.
#include "components/sheetview/sheet_view.h"

#include "components/sheet/cell_address.h"
#include "components/sheetview/edit_bar.h"
#include "components/sheetview/sheet_model.h"
#include "components/sheetview/sheet_table_view.h"

#include <QHeaderView>
#include <QInputDialog>
#include <QMessageBox>
#include <QTimer>
#include <QVBoxLayout>

namespace sheetview {

SheetView::SheetView(sheet::Spreadsheet& book, QWidget* parent)
    : QWidget(parent), m_book(book)
{
    m_model = new SheetModel(book, this);
    m_table = new SheetTableView(this);
    m_table->setModel(m_model);
    m_editBar = new EditBar(this);
    m_syncTimer = new QTimer(this);
    m_syncTimer->setInterval(200);
    connect(m_syncTimer, &QTimer::timeout, this, &SheetView::syncFromBook);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_editBar);
    layout->addWidget(m_table, 1);

    connect(m_table, &SheetTableView::rangesChanged, this, &SheetView::pushSelectionToBook);
    connect(m_table, &SheetTableView::clearRequested, this, &SheetView::clearSelectedCells);
    connect(m_table->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { currentCellMoved(current); });
    connect(m_editBar, &EditBar::committed, this, &SheetView::commitEditBar);
    // Queued: the message box must not open inside the editor's commit.
    connect(m_model, &SheetModel::editFailed, this, &SheetView::reportEditError,
            Qt::QueuedConnection);
    connect(m_model, &SheetModel::bookChanged, this, [this](bool structural) {
        if (structural)
            m_reported.clear();  // the view's selection went with the reset
        syncFromBook();
        applyDisplaySwitches();
        updateEditBar();
    });
    // A grown model offers more rows to whole-column ranges.
    connect(m_model, &QAbstractItemModel::rowsInserted, m_table, &SheetTableView::showRanges);
    connect(m_table->horizontalHeader(), &QHeaderView::sectionDoubleClicked, this,
            [this](int section) { renameHeading(Qt::Horizontal, section); });
    connect(m_table->verticalHeader(), &QHeaderView::sectionDoubleClicked, this,
            [this](int section) { renameHeading(Qt::Vertical, section); });

    m_shownFormulas = m_book.showFormulas;
    m_editBar->setVisible(m_book.showEditBar);
    syncFromBook();
    updateEditBar();
}

SheetView::~SheetView() = default;

QTableView* SheetView::tableView() const
{
    return m_table;
}

void SheetView::setShowFormulas(bool on)
{
    m_book.showFormulas = on;
    applyDisplaySwitches();
}

void SheetView::setShowEditBar(bool on)
{
    m_book.showEditBar = on;
    applyDisplaySwitches();
}

void SheetView::setAllowEditHeaders(bool on)
{
    m_book.allowEditHeaders = on;
    applyDisplaySwitches();
}

void SheetView::applyDisplaySwitches()
{
    if (m_book.showFormulas != m_shownFormulas) {
        m_shownFormulas = m_book.showFormulas;
        m_model->refreshDisplay();
    }
    // isHidden, not isVisible: the bar's own flag, whether or not the view is shown yet.
    if (m_editBar->isHidden() == m_book.showEditBar)
        m_editBar->setVisible(m_book.showEditBar);
}

void SheetView::syncFromBook()
{
    QVector<sheet::Range> held;
    const int count = m_book.selectionCount();
    held.reserve(count);
    for (int i = 0; i < count; ++i)
        held.append(m_book.selection(i));
    if (held != m_reported) {
        m_table->adoptRanges(held);
        m_reported = held;
    }
    const QModelIndex current = m_table->currentIndex();
    const int row = m_book.row();
    const int col = m_book.col();
    if (row >= 1 && col >= 1 && row <= m_model->rowCount() && col <= m_model->columnCount() &&
        (!current.isValid() || current.row() != row - 1 || current.column() != col - 1)) {
        m_table->selectionModel()->setCurrentIndex(m_model->index(row - 1, col - 1),
                                                   QItemSelectionModel::NoUpdate);
    }
}

void SheetView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    m_model->flushChanges();
    syncFromBook();
    applyDisplaySwitches();
    updateEditBar();
    m_syncTimer->start();
}

void SheetView::hideEvent(QHideEvent* event)
{
    m_syncTimer->stop();
    QWidget::hideEvent(event);
}

void SheetView::pushSelectionToBook()
{
    m_reported = m_table->tracker().toBookRanges(m_book.lastRow(), m_book.lastCol());
    m_book.setSelection(m_reported);
    emit selectionChanged();
}

void SheetView::currentCellMoved(const QModelIndex& current)
{
    if (!current.isValid())
        return;
    if (m_book.row() != current.row() + 1)
        m_book.setRow(current.row() + 1);
    if (m_book.col() != current.column() + 1)
        m_book.setCol(current.column() + 1);
    updateEditBar();
}

void SheetView::updateEditBar()
{
    const QModelIndex current = m_table->currentIndex();
    if (!current.isValid()) {
        m_editBar->showCell(QString(), QString());
        return;
    }
    const int row = current.row() + 1;
    const int col = current.column() + 1;
    m_editBar->showCell(sheet::cellAddress(row, col), m_model->editText(row, col));
}

void SheetView::commitEditBar(const QString& text)
{
    const QModelIndex current = m_table->currentIndex();
    if (!current.isValid())
        return;
    if (m_model->setCellFromUserText(current.row() + 1, current.column() + 1, text)) {
        updateEditBar();  // shows the cell as stored, e.g. a number in the general format
        m_table->setFocus();
    }
}

void SheetView::reportEditError(int row, int col, const QString& message)
{
    const QString text = tr("Cell %1: %2").arg(sheet::cellAddress(row, col), message);
    emit editFailed(text);
    if (m_reportEditErrors)
        QMessageBox::warning(this, tr("Formula"), text);
}

void SheetView::clearSelectedCells()
{
    // Values and formulas go, number formats stay, as with Delete in a spreadsheet.
    QVector<sheet::Range> ranges = m_reported;
    const QModelIndex current = m_table->currentIndex();
    if (ranges.isEmpty() && current.isValid())
        ranges.append({current.row() + 1, current.column() + 1, current.row() + 1, current.column() + 1});
    for (const sheet::Range& r : ranges)
        m_book.clearRange(r.row1, r.col1, r.row2, r.col2, sheet::ClearKind::Contents);
}

void SheetView::renameHeading(Qt::Orientation orientation, int section)
{
    if (!m_book.allowEditHeaders)
        return;
    bool accepted = false;
    const QString current = m_model->headerData(section, orientation).toString();
    const QString text = QInputDialog::getText(this, tr("Heading"), tr("Heading text:"),
                                               QLineEdit::Normal, current, &accepted);
    if (accepted)
        m_model->setHeaderData(section, orientation, text);
}

void SheetView::runObjectOperation()
{
}

}  // namespace sheetview
