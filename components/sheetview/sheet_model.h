// SheetModel: the table model of an Spreadsheet for a QTableView. It shows the used
// area plus an empty margin to scroll and type into, letters and numbers in the
// headers, each cell's displayed text (or its formula while the book's
// ShowFormulas switch is on), and turns the user's edits into cell values.
//
// The model listens to the book's change notification. Notifications are
// collected and applied once per turn of the event loop, so an import that
// sets a million cells costs the view one update, not a million.
#pragma once

#include "components/sheet/cell_address.h"
#include "components/sheet/spreadsheet.h"

#include <QAbstractTableModel>
#include <QHash>

namespace sheetview {

class SheetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Rows and columns offered beyond the used area, and the least offered.
    static constexpr int kRowMargin = 100;
    static constexpr int kMinRows = 1000;
    static constexpr int kColumnMargin = 10;
    static constexpr int kMinColumns = 26;
    // The sheet's own extent: cells beyond it cannot be set.
    static constexpr int kSheetRows = sheet::kMaxRows;
    static constexpr int kSheetColumns = sheet::kMaxCols;

    // The model takes the book's change listener (a book has one); after the
    // model is destroyed that listener does nothing. The destructor does not
    // touch the book, so a window may hold its books as members and its views
    // as child widgets, which Qt deletes after the members. Otherwise the book
    // must outlive the model.
    explicit SheetModel(sheet::Spreadsheet& book, QObject* parent = nullptr);
    ~SheetModel() override;

    sheet::Spreadsheet& book() const { return m_book; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // A heading typed by the user; refused unless the book's AllowEditHeaders is
    // on. Headings belong to the view only: they are not cells and not saved.
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                       int role = Qt::EditRole) override;

    // The text a cell is edited as: a formula with its "=", a number in the
    // general format with the book's decimal separator (so that editing never
    // loses digits to a display format), TRUE/FALSE, an error's name, a text.
    QString editText(int row, int col) const;  // one-based

    // Stores what the user typed: "=..." is a formula, TRUE/FALSE a boolean,
    // an error name an error, a numeric text a number, "" empties the cell,
    // anything else is text. A formula that does not parse leaves the cell as
    // it was and is reported through editFailed; returns false then.
    bool setCellFromUserText(int row, int col, const QString& text);  // one-based

    // Applies the book changes collected so far (normally done by the event
    // loop right after the change).
    void flushChanges();
    // Redraws every cell and heading, e.g. after a display switch changed.
    void refreshDisplay();

signals:
    void editFailed(int row, int col, const QString& message);
    // Emitted after collected book changes were applied to the model.
    void bookChanged(bool structural);

private:
    void onBookChange(const sheet::Range& range);
    int wantedRows() const;
    int wantedColumns() const;
    void growToBook();

    sheet::Spreadsheet& m_book;
    int m_rows = 0;
    int m_columns = 0;
    bool m_flushQueued = false;
    bool m_changePending = false;
    bool m_structuralPending = false;
    QHash<int, QString> m_columnHeadings;  // zero-based section -> typed heading
    QHash<int, QString> m_rowHeadings;
};

}  // namespace sheetview
