// ChartData: the chart's data grid of rows (categories on the x axis) by
// columns (series), one-based, with row and column labels. Values are kept
// column by column so a million-row series is one array, handed to the plot
// without copying per point; NaN marks a cell without a value (a gap).
#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include <cstdint>
#include <functional>
#include <utility>

namespace chartcomponent {

// Far beyond anything a chart window shows (a million rows draw in a tenth
// of a second), but small enough that a wrong count fails with a message
// instead of exhausting the machine's memory.
constexpr int kMaxChartRows = 50'000'000;
constexpr int kMaxChartColumns = 1'000'000;

class ChartData {
public:
    int rowCount() const { return m_rowCount; }
    int columnCount() const { return int(m_columns.size()); }
    // Resizing keeps the cells that stay inside the grid; new cells are empty.
    // A count below zero is taken as zero (an empty chart); a count above the
    // limits below throws ChartError and changes nothing.
    void setRowCount(int rows);
    void setColumnCount(int columns);

    // Throw ChartError when the cell is outside the grid.
    double value(int row, int column) const;
    void setValue(int row, int column, double value);  // non-finite: no value
    const QVector<double>& columnValues(int column) const;
    // Exactly rowCount() values; non-finite values become gaps.
    void setColumnValues(int column, QVector<double> values);

    QString rowLabel(int row) const;
    void setRowLabel(int row, const QString& label);
    void setRowLabels(QStringList labels);  // exactly rowCount() labels
    // Labels that count on from firstNumber (row 1 shows firstNumber): a
    // million row numbers without a million strings. Any other label setter
    // ends it.
    void setRowNumberLabels(int firstNumber);
    // Labels asked for one at a time, as the axis shows them: a million
    // labels formatted only where they are drawn. `source` gets a row from 1
    // to rowCount(), must not throw and may give an empty text. Any other
    // label setter ends it.
    void setRowLabelSource(std::function<QString(int row)> source);
    // True once any row has a non-empty label; until then the x axis shows row numbers.
    bool hasRowLabels() const { return m_hasRowLabels; }

    QString columnLabel(int column) const;
    void setColumnLabel(int column, const QString& label);

    // Changes whenever the column's values change, so drawn copies can be reused.
    std::uint64_t columnRevision(int column) const;
    // Smallest and largest value of the column; NaN, NaN when it has none.
    std::pair<double, double> columnExtent(int column) const;

private:
    struct Column {
        // Empty while the column holds no value at all: a grid of a million
        // rows costs nothing until a column is written or drawn.
        mutable QVector<double> values;
        QString label;
        std::uint64_t revision = 0;
        mutable bool extentValid = false;
        mutable std::pair<double, double> extent;
    };

    void checkRow(int row) const;
    void checkColumn(int column) const;
    void touch(Column& column);
    void materialize(const Column& column) const;

    int m_rowCount = 0;
    QVector<Column> m_columns;
    QStringList m_rowLabels;  // empty until a label is set, else rowCount() entries
    bool m_hasRowLabels = false;
    bool m_numberedLabels = false;  // labels are m_firstLabelNumber + row - 1
    std::function<QString(int)> m_labelSource;  // labels asked for row by row
    int m_firstLabelNumber = 1;
    std::uint64_t m_nextRevision = 1;
};

}  // namespace chartcomponent
