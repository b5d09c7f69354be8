// The chart's data grid: resizing, cell access with range checks, bulk
// column and label transfer, and the cached extent the automatic scale uses.
#include "components/chart/chart_data.h"

#include "components/chart/chart_error.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

namespace chartcomponent {

namespace {
constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

double cleaned(double value) { return std::isfinite(value) ? value : kNoValue; }
}  // namespace

void ChartData::setRowCount(int rows) {
    rows = std::max(rows, 0);
    if (rows == m_rowCount) return;
    if (rows > kMaxChartRows)
        throw ChartError(QStringLiteral("a chart of %1 rows is more than the chart can draw (at most %2)")
                             .arg(rows).arg(kMaxChartRows));
    // Build the resized arrays first: running out of memory leaves the grid as it was.
    QStringList labels;
    QVector<QVector<double>> values(m_columns.size());
    try {
        if (!m_rowLabels.isEmpty()) {  // like the columns, the labels exist once one is set
            labels = m_rowLabels;
            labels.resize(rows);
        }
        for (qsizetype c = 0; c < m_columns.size(); ++c) {
            if (m_columns[c].values.isEmpty()) continue;
            values[c] = m_columns[c].values;
            values[c].resize(rows, kNoValue);
        }
    } catch (const std::bad_alloc&) {
        throw ChartError(QStringLiteral("not enough memory for a chart of %1 rows").arg(rows));
    }
    for (qsizetype c = 0; c < m_columns.size(); ++c) {
        if (!m_columns[c].values.isEmpty()) m_columns[c].values = std::move(values[c]);
        touch(m_columns[c]);
    }
    m_rowLabels = std::move(labels);
    m_rowCount = rows;
}

void ChartData::setColumnCount(int columns) {
    columns = std::max(columns, 0);
    if (columns > kMaxChartColumns)
        throw ChartError(QStringLiteral("a chart of %1 series is more than the chart can draw (at most %2)")
                             .arg(columns).arg(kMaxChartColumns));
    const int old = columnCount();
    m_columns.resize(columns);
    for (int c = old; c < columns; ++c) touch(m_columns[c]);
}

void ChartData::checkRow(int row) const {
    if (row < 1 || row > m_rowCount)
        throw ChartError(QStringLiteral("chart row %1 is outside 1..%2").arg(row).arg(m_rowCount));
}

void ChartData::checkColumn(int column) const {
    if (column < 1 || column > columnCount())
        throw ChartError(QStringLiteral("chart column %1 is outside 1..%2").arg(column).arg(columnCount()));
}

void ChartData::touch(Column& column) {
    column.revision = m_nextRevision++;
    column.extentValid = false;
}

void ChartData::materialize(const Column& column) const {
    if (column.values.size() == m_rowCount) return;
    try {
        column.values = QVector<double>(m_rowCount, kNoValue);
    } catch (const std::bad_alloc&) {
        throw ChartError(QStringLiteral("not enough memory for a series of %1 rows").arg(m_rowCount));
    }
}

double ChartData::value(int row, int column) const {
    checkColumn(column);
    checkRow(row);
    const Column& source = m_columns[column - 1];
    return source.values.isEmpty() ? kNoValue : source.values[row - 1];
}

void ChartData::setValue(int row, int column, double value) {
    checkColumn(column);
    checkRow(row);
    Column& target = m_columns[column - 1];
    materialize(target);
    target.values[row - 1] = cleaned(value);
    touch(target);
}

const QVector<double>& ChartData::columnValues(int column) const {
    checkColumn(column);
    materialize(m_columns[column - 1]);
    return m_columns[column - 1].values;
}

void ChartData::setColumnValues(int column, QVector<double> values) {
    checkColumn(column);
    if (values.size() != m_rowCount)
        throw ChartError(QStringLiteral("chart column %1 was given %2 values for %3 rows")
                             .arg(column).arg(values.size()).arg(m_rowCount));
    // Only infinities need rewriting; scanning first keeps a shared array shared.
    if (std::any_of(values.cbegin(), values.cend(), [](double v) { return std::isinf(v); }))
        for (double& value : values) value = cleaned(value);
    Column& target = m_columns[column - 1];
    target.values = std::move(values);
    touch(target);
}

QString ChartData::rowLabel(int row) const {
    checkRow(row);
    if (m_labelSource) return m_labelSource(row);
    if (m_numberedLabels) return QString::number(std::int64_t(m_firstLabelNumber) + row - 1);
    return m_rowLabels.isEmpty() ? QString() : m_rowLabels[row - 1];
}

void ChartData::setRowLabelSource(std::function<QString(int)> source) {
    m_rowLabels.clear();
    m_numberedLabels = false;
    m_labelSource = std::move(source);
    m_hasRowLabels = bool(m_labelSource);
}

void ChartData::setRowNumberLabels(int firstNumber) {
    m_labelSource = nullptr;
    m_rowLabels.clear();
    m_numberedLabels = true;
    m_firstLabelNumber = firstNumber;
    m_hasRowLabels = true;
}

void ChartData::setRowLabel(int row, const QString& label) {
    checkRow(row);
    if (m_numberedLabels || m_labelSource) {
        // One label changes: the labels become texts the list can hold.
        QStringList labels;
        labels.reserve(m_rowCount);
        for (int r = 1; r <= m_rowCount; ++r) labels.append(rowLabel(r));
        m_numberedLabels = false;
        m_labelSource = nullptr;
        m_rowLabels = std::move(labels);
    }
    if (m_rowLabels.isEmpty()) {
        if (label.isEmpty()) return;
        m_rowLabels.resize(m_rowCount);
    }
    m_rowLabels[row - 1] = label;
    if (!label.isEmpty()) m_hasRowLabels = true;
}

void ChartData::setRowLabels(QStringList labels) {
    if (labels.size() != m_rowCount)
        throw ChartError(QStringLiteral("chart was given %1 row labels for %2 rows").arg(labels.size()).arg(m_rowCount));
    m_hasRowLabels = std::any_of(labels.cbegin(), labels.cend(), [](const QString& l) { return !l.isEmpty(); });
    m_rowLabels = std::move(labels);
    m_numberedLabels = false;
    m_labelSource = nullptr;
}

QString ChartData::columnLabel(int column) const {
    checkColumn(column);
    return m_columns[column - 1].label;
}

void ChartData::setColumnLabel(int column, const QString& label) {
    checkColumn(column);
    m_columns[column - 1].label = label;
}

std::uint64_t ChartData::columnRevision(int column) const {
    checkColumn(column);
    return m_columns[column - 1].revision;
}

std::pair<double, double> ChartData::columnExtent(int column) const {
    checkColumn(column);
    const Column& source = m_columns[column - 1];
    if (!source.extentValid) {
        double low = std::numeric_limits<double>::infinity();
        double high = -low;
        for (double value : source.values) {
            if (std::isnan(value)) continue;
            low = std::min(low, value);
            high = std::max(high, value);
        }
        source.extent = low <= high ? std::make_pair(low, high) : std::make_pair(kNoValue, kNoValue);
        source.extentValid = true;
    }
    return source.extent;
}

}  // namespace chartcomponent
