// SheetView: the on-screen grid of an Spreadsheet (the import and statistics grids):
// the optional edit bar above a SheetTableView over a SheetModel.
//
// The book's selection is kept equal to the ranges the user made, in the order
// made: a click starts a new selection, Ctrl+click or Ctrl+drag adds a range at
// the end, Shift stretches the last range, a click on a column heading takes
// whole columns (Ctrl adds them as a new range). Whole columns are reported to
// the book as rows 1..LastRow of the book at that moment (row 1 for an empty
// sheet); the chart commands look only at the columns of each range. A
// selection or current cell set by code (Spreadsheet::selectRange, setSelection,
// setRow, setCol) is shown within a fifth of a second: the book reports no
// change for these, so a visible view compares them on a short timer (a few
// integers). syncFromBook() shows them at once.
//
// The display switches of the book are honoured: ShowFormulas (formula texts
// instead of values), ShowEditBar, AllowEditHeaders (double-click a heading to
// rename it). Set them through the setters here, or set the book's fields and
// call applyDisplaySwitches().
#pragma once

#include "components/sheet/spreadsheet.h"

#include <QWidget>

class QTableView;
class QTimer;

namespace sheetview {

class EditBar;
class SheetModel;
class SheetTableView;

class SheetView : public QWidget {
    Q_OBJECT
public:
    // The book must outlive the view's use; the view's destructor does not
    // touch it (see SheetModel).
    explicit SheetView(sheet::Spreadsheet& book, QWidget* parent = nullptr);
    ~SheetView() override;

    sheet::Spreadsheet& book() const { return m_book; }
    SheetModel* model() const { return m_model; }
    QTableView* tableView() const;
    EditBar* editBar() const { return m_editBar; }

    // The user's ranges in the order made, as the book holds them.
    QVector<sheet::Range> selectionRanges() const { return m_reported; }

    void setShowFormulas(bool on);
    void setShowEditBar(bool on);
    void setAllowEditHeaders(bool on);
    // Re-reads the book's display switches after they were set on the book.
    void applyDisplaySwitches();
    // Shows the selection and current cell the book holds (set by code).
    void syncFromBook();

    // Whether a formula that does not parse is reported in a message box (on by
    // default); editFailed is emitted either way.
    void setReportEditErrors(bool on) { m_reportEditErrors = on; }

    // The component's object operation. Grids here hold no embedded objects, so
    // there is nothing to run; the hook exists so that the host's object-click
    // handler has its counterpart. objectClicked() is never emitted for the same
    // reason.
    void runObjectOperation();

signals:
    void objectClicked();
    // The user changed the selection; selectionRanges() gives it.
    void selectionChanged();
    void editFailed(const QString& message);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void pushSelectionToBook();
    void currentCellMoved(const QModelIndex& current);
    void updateEditBar();
    void commitEditBar(const QString& text);
    void reportEditError(int row, int col, const QString& message);
    void clearSelectedCells();
    void renameHeading(Qt::Orientation orientation, int section);

    sheet::Spreadsheet& m_book;
    SheetModel* m_model;
    SheetTableView* m_table;
    EditBar* m_editBar;
    QTimer* m_syncTimer;
    QVector<sheet::Range> m_reported;  // last selection handed to the book
    bool m_shownFormulas = false;      // switch states last applied
    bool m_reportEditErrors = true;
};

}  // namespace sheetview
