// SheetTableView: the QTableView of the grid. It keeps the user's selection as
// an ordered list of ranges (RangeTracker) and shows that list through the
// selection model, instead of letting the item view build an unordered (and,
// with Ctrl, toggling) selection of its own. Sized for a million rows: every
// row has the same fixed height, so nothing is ever computed per row.
#pragma once

#include "components/sheetview/range_tracker.h"

#include <QTableView>

namespace sheetview {

class SheetTableView : public QTableView {
    Q_OBJECT
public:
    explicit SheetTableView(QWidget* parent = nullptr);

    const RangeTracker& tracker() const { return m_tracker; }
    // Replaces the ranges (a selection set by code) without emitting rangesChanged.
    void adoptRanges(const QVector<sheet::Range>& ranges);
    // Shows the tracker's ranges through the selection model again, e.g. after
    // the model grew or was reset.
    void showRanges();
    // The tool tip of the cell at the viewport position: its whole text when
    // the column is too narrow for it, otherwise none.
    QString cutTextTip(const QPoint& viewportPos) const;

public slots:
    void selectAll() override;

signals:
    // The user changed the ordered selection.
    void rangesChanged();
    // Delete pressed outside an editor: the selected cells are to be emptied.
    void clearRequested();

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A cell whose text does not fit its column shows the whole text as a tool tip.
    bool viewportEvent(QEvent* event) override;

private:
    static RangeTracker::Gesture gestureFor(Qt::KeyboardModifiers modifiers);
    QModelIndex clampedIndexAt(const QPoint& viewportPos) const;
    void columnPressed(int section);
    void columnEntered(int section);
    void rowPressed(int section);
    void rowEntered(int section);
    void changed();

    RangeTracker m_tracker;
    bool m_cellDrag = false;                          // left button went down on a cell
    Qt::KeyboardModifiers m_headerModifiers = Qt::NoModifier;  // of the last header press
};

}  // namespace sheetview
