// Table model over an Spreadsheet; see sheet_model.h for what it shows and why
// changes are collected.
#include "components/sheetview/sheet_model.h"

#include "components/sheet/cell_address.h"
#include "components/sheetview/cell_display.h"

#include <QMetaObject>
#include <QPointer>
#include <algorithm>

namespace sheetview {

namespace {

// Shortest text of a number with up to 15 significant digits, as typed back
// into a cell it gives the same number.
QString generalNumberText(double value, QChar decimalSeparator)
{
    QString text = QString::number(value, 'g', 15);
    if (decimalSeparator != u'.')
        text.replace(u'.', decimalSeparator);
    return text;
}

}  // namespace

SheetModel::SheetModel(sheet::Spreadsheet& book, QObject* parent)
    : QAbstractTableModel(parent), m_book(book)
{
    m_rows = wantedRows();
    m_columns = wantedColumns();
    // The guard makes the listener harmless once the model is gone; the model's
    // destructor cannot clear it, since the book may be gone first (see the header).
    m_book.setChangeListener([guard = QPointer<SheetModel>(this)](const sheet::Range& range) {
        if (guard)
            guard->onBookChange(range);
    });
}

SheetModel::~SheetModel() = default;

int SheetModel::wantedRows() const
{
    return std::min(std::max(m_book.lastRow() + kRowMargin, kMinRows), kSheetRows);
}

int SheetModel::wantedColumns() const
{
    return std::min(std::max(m_book.lastCol() + kColumnMargin, kMinColumns), kSheetColumns);
}

int SheetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int SheetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_columns;
}

QString SheetModel::editText(int row, int col) const
{
    if (m_book.kind(row, col) == sheet::CellKind::Formula)
        return m_book.formula(row, col);
    const sheet::CellValue value = m_book.value(row, col);
    switch (value.kind) {
    case sheet::CellKind::Number:
        return generalNumberText(value.number, m_book.decimalSeparator());
    case sheet::CellKind::Text:
        return value.text;
    case sheet::CellKind::Boolean:
        return value.number != 0 ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    case sheet::CellKind::Error:
        return sheet::errorName(value.error);
    case sheet::CellKind::Empty:
    case sheet::CellKind::Formula:
        break;
    }
    return QString();
}

QVariant SheetModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const int row = index.row() + 1;
    const int col = index.column() + 1;
    switch (role) {
    case Qt::DisplayRole:
        return displayText(m_book, row, col);
    case Qt::EditRole:
        return editText(row, col);
    case Qt::TextAlignmentRole:
        return QVariant(displayAlignment(m_book, row, col));
    default:
        return QVariant();
    }
}

bool SheetModel::setCellFromUserText(int row, int col, const QString& text)
{
    try {
        if (text.size() > 1 && text.startsWith(u'=')) {
            m_book.setFormula(row, col, text);
        } else if (text.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0) {
            m_book.setBoolean(row, col, true);
        } else if (text.compare(QLatin1String("FALSE"), Qt::CaseInsensitive) == 0) {
            m_book.setBoolean(row, col, false);
        } else if (const sheet::ErrorCode error = sheet::errorFromName(text.trimmed());
                   error != sheet::ErrorCode::None) {
            m_book.setError(row, col, error);
        } else {
            m_book.setText(row, col, text);
        }
    } catch (const sheet::SheetError& e) {
        emit editFailed(row, col, e.message());
        return false;
    }
    return true;
}

bool SheetModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    if (!setCellFromUserText(index.row() + 1, index.column() + 1, value.toString()))
        return false;
    // The book's notification follows from the event loop; the edited cell is
    // redrawn at once so the editor does not close onto the old text.
    emit dataChanged(index, index);
    return true;
}

Qt::ItemFlags SheetModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

QVariant SheetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::TextAlignmentRole)
        return QVariant(Qt::AlignCenter);
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return QVariant();
    if (orientation == Qt::Horizontal) {
        const auto typed = m_columnHeadings.constFind(section);
        return typed != m_columnHeadings.cend() ? *typed : sheet::columnLetters(section + 1);
    }
    const auto typed = m_rowHeadings.constFind(section);
    return typed != m_rowHeadings.cend() ? *typed : QString::number(section + 1);
}

bool SheetModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                               int role)
{
    if (!m_book.allowEditHeaders || role != Qt::EditRole || section < 0)
        return false;
    QHash<int, QString>& headings = orientation == Qt::Horizontal ? m_columnHeadings : m_rowHeadings;
    const QString text = value.toString();
    if (text.isEmpty())
        headings.remove(section);  // back to the letter or number
    else
        headings.insert(section, text);
    emit headerDataChanged(orientation, section, section);
    return true;
}

void SheetModel::onBookChange(const sheet::Range& range)
{
    m_changePending = true;
    if (range.row1 == -1 && range.col1 == -1 && range.row2 == -1 && range.col2 == -1)
        m_structuralPending = true;
    if (m_flushQueued)
        return;
    m_flushQueued = true;
    QMetaObject::invokeMethod(this, [this] { flushChanges(); }, Qt::QueuedConnection);
}

void SheetModel::growToBook()
{
    const int rows = wantedRows();
    if (rows > m_rows) {
        beginInsertRows(QModelIndex(), m_rows, rows - 1);
        m_rows = rows;
        endInsertRows();
    }
    const int columns = wantedColumns();
    if (columns > m_columns) {
        beginInsertColumns(QModelIndex(), m_columns, columns - 1);
        m_columns = columns;
        endInsertColumns();
    }
}

void SheetModel::flushChanges()
{
    m_flushQueued = false;
    if (!m_changePending)
        return;
    const bool structural = m_structuralPending;
    m_changePending = false;
    m_structuralPending = false;
    if (structural) {
        // Rows moved or the content was replaced: nothing the view holds is valid.
        beginResetModel();
        m_rows = wantedRows();
        m_columns = wantedColumns();
        endResetModel();
    } else {
        growToBook();
        // A changed cell may feed formulas anywhere, so everything shown is
        // redrawn; a table view turns this into one repaint of its viewport.
        emit dataChanged(index(0, 0), index(m_rows - 1, m_columns - 1));
    }
    emit bookChanged(structural);
}

void SheetModel::refreshDisplay()
{
    emit dataChanged(index(0, 0), index(m_rows - 1, m_columns - 1));
    emit headerDataChanged(Qt::Horizontal, 0, m_columns - 1);
    emit headerDataChanged(Qt::Vertical, 0, m_rows - 1);
}

}  // namespace sheetview
