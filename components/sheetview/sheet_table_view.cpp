// The grid's table view: mouse, header and keyboard gestures feed the ordered
// range list, which is then shown through the selection model.
#include "components/sheetview/sheet_table_view.h"

#include <QHelpEvent>
#include <QToolTip>

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

namespace sheetview {

SheetTableView::SheetTableView(QWidget* parent) : QTableView(parent)
{
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setWordWrap(false);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);

    // Uniform rows: the view never asks the model for per-row sizes, which keeps
    // a million rows as cheap as a hundred.
    QHeaderView* rows = verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(fontMetrics().height() + 6);
    QHeaderView* columns = horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Interactive);
    columns->setDefaultSectionSize(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 10 + 12);

    // Header presses reach us as sectionPressed/sectionEntered, which carry no
    // modifiers; the filter notes them from the press itself.
    columns->viewport()->installEventFilter(this);
    rows->viewport()->installEventFilter(this);
    connect(columns, &QHeaderView::sectionPressed, this, &SheetTableView::columnPressed);
    connect(columns, &QHeaderView::sectionEntered, this, &SheetTableView::columnEntered);
    connect(rows, &QHeaderView::sectionPressed, this, &SheetTableView::rowPressed);
    connect(rows, &QHeaderView::sectionEntered, this, &SheetTableView::rowEntered);
}

QItemSelectionModel::SelectionFlags SheetTableView::selectionCommand(const QModelIndex&,
                                                                     const QEvent*) const
{
    // The item view only moves the current cell; the selection is ours.
    return QItemSelectionModel::NoUpdate;
}

RangeTracker::Gesture SheetTableView::gestureFor(Qt::KeyboardModifiers modifiers)
{
    if (modifiers & Qt::ShiftModifier)
        return RangeTracker::Gesture::ExtendLast;
    if (modifiers & Qt::ControlModifier)
        return RangeTracker::Gesture::AddRange;
    return RangeTracker::Gesture::NewSelection;
}

QModelIndex SheetTableView::clampedIndexAt(const QPoint& viewportPos) const
{
    // While dragging beyond the viewport the pointer has no cell; take the
    // nearest visible one so the range follows the pointer to the edge.
    const int x = std::clamp(viewportPos.x(), 0, std::max(viewport()->width() - 1, 0));
    const int y = std::clamp(viewportPos.y(), 0, std::max(viewport()->height() - 1, 0));
    int row = rowAt(y);
    int col = columnAt(x);
    if (!model())
        return QModelIndex();
    if (row < 0)
        row = model()->rowCount() - 1;
    if (col < 0)
        col = model()->columnCount() - 1;
    return model()->index(row, col);
}

void SheetTableView::mousePressEvent(QMouseEvent* event)
{
    QTableView::mousePressEvent(event);
    m_cellDrag = false;
    if (event->button() != Qt::LeftButton)
        return;
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid())
        return;
    m_tracker.pressCell(index.row() + 1, index.column() + 1, gestureFor(event->modifiers()));
    m_cellDrag = true;
    changed();
}

void SheetTableView::mouseMoveEvent(QMouseEvent* event)
{
    QTableView::mouseMoveEvent(event);
    if (!m_cellDrag || !(event->buttons() & Qt::LeftButton))
        return;
    const QModelIndex index = clampedIndexAt(event->position().toPoint());
    if (!index.isValid())
        return;
    const QVector<SelectionRange> before = m_tracker.ranges();
    m_tracker.dragTo(index.row() + 1, index.column() + 1);
    if (m_tracker.ranges() != before)
        changed();
}

void SheetTableView::mouseReleaseEvent(QMouseEvent* event)
{
    QTableView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        m_cellDrag = false;
}

void SheetTableView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete && state() != QAbstractItemView::EditingState &&
        event->modifiers() == Qt::NoModifier) {
        emit clearRequested();
        event->accept();
        return;
    }
    const QModelIndex before = currentIndex();
    QTableView::keyPressEvent(event);
    const QModelIndex after = currentIndex();
    if (!after.isValid() || after == before || state() == QAbstractItemView::EditingState)
        return;
    // The cursor keys move the current cell; with Shift they stretch the last range.
    if ((event->modifiers() & Qt::ShiftModifier) && !m_tracker.isEmpty())
        m_tracker.dragTo(after.row() + 1, after.column() + 1);
    else
        m_tracker.pressCell(after.row() + 1, after.column() + 1, RangeTracker::Gesture::NewSelection);
    changed();
}

bool SheetTableView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress &&
        (watched == horizontalHeader()->viewport() || watched == verticalHeader()->viewport()))
        m_headerModifiers = static_cast<QMouseEvent*>(event)->modifiers();
    return QTableView::eventFilter(watched, event);
}

void SheetTableView::columnPressed(int section)
{
    m_cellDrag = false;
    m_tracker.pressColumn(section + 1, gestureFor(m_headerModifiers));
    changed();
}

void SheetTableView::columnEntered(int section)
{
    // Also emitted on the press itself; only a real move changes the range.
    const QVector<SelectionRange> before = m_tracker.ranges();
    m_tracker.dragTo(1, section + 1);
    if (m_tracker.ranges() != before)
        changed();
}

void SheetTableView::rowPressed(int section)
{
    m_cellDrag = false;
    m_tracker.pressRow(section + 1, gestureFor(m_headerModifiers));
    changed();
}

void SheetTableView::rowEntered(int section)
{
    const QVector<SelectionRange> before = m_tracker.ranges();
    m_tracker.dragTo(section + 1, 1);
    if (m_tracker.ranges() != before)
        changed();
}

void SheetTableView::selectAll()
{
    m_tracker.selectAll();
    changed();
}

void SheetTableView::adoptRanges(const QVector<sheet::Range>& ranges)
{
    m_tracker.adopt(ranges);
    showRanges();
}

void SheetTableView::changed()
{
    showRanges();
    emit rangesChanged();
}

void SheetTableView::showRanges()
{
    QItemSelectionModel* selection = selectionModel();
    QAbstractItemModel* itemModel = model();
    if (!selection || !itemModel)
        return;
    const int rows = itemModel->rowCount();
    const int cols = itemModel->columnCount();
    QItemSelection shown;
    for (const SelectionRange& r : m_tracker.ranges()) {
        int top = r.wholeColumns ? 0 : r.row1 - 1;
        int bottom = r.wholeColumns ? rows - 1 : r.row2 - 1;
        int left = r.wholeRows ? 0 : r.col1 - 1;
        int right = r.wholeRows ? cols - 1 : r.col2 - 1;
        // A range set by code may reach beyond what the model offers.
        if (top >= rows || left >= cols)
            continue;
        bottom = std::min(bottom, rows - 1);
        right = std::min(right, cols - 1);
        shown.select(itemModel->index(top, left), itemModel->index(bottom, right));
    }
    selection->select(shown, QItemSelectionModel::ClearAndSelect);
}

}  // namespace sheetview

namespace sheetview {

QString SheetTableView::cutTextTip(const QPoint& viewportPos) const
{
    const QModelIndex index = indexAt(viewportPos);
    if (!index.isValid())
        return QString();
    const QString text = index.data(Qt::DisplayRole).toString();
    if (text.isEmpty())
        return QString();
    constexpr int kCellPadding = 6;  // the item view's text margins on both sides
    const int needed = fontMetrics().horizontalAdvance(text) + kCellPadding;
    return needed > visualRect(index).width() ? text : QString();
}

bool SheetTableView::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = cutTextTip(help->pos());
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, viewport(), visualRect(indexAt(help->pos())));
        return true;
    }
    return QTableView::viewportEvent(event);
}

}  // namespace sheetview
