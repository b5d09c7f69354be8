// ChartView: the chart component. A data grid of rows (categories on the x
// axis) by columns (series), addressed through a current Row and Column as
// the chart windows expect, drawn with QCustomPlot. Its look (series styles,
// legend, value scale, grid, fonts) comes from a chart template (.vtc, see
// docs/chart-look-format.md); the user edits it in the component's own
// settings dialog, whose Apply raises changesApplied.
//
// Rows, columns and series are one-based; counts are int. Every failing call
// throws ChartError and leaves the chart as it was. Changes are drawn once,
// on the next turn of the event loop or at an explicit replot().
#pragma once

#include "components/chart/chart_data.h"
#include "components/chart/chart_error.h"
#include "components/chart/chart_look.h"

#include <QImage>
#include <QSharedPointer>
#include <QWidget>

#include <map>

class QPrinter;
class QCPGraphData;
template <class DataType> class QCPDataContainer;
class QCPBarsGroup;
class QCPTextElement;
class QCPLayoutGrid;
class QCPItemText;

namespace chartcomponent {

class ChartPlot;
class ValueTicker;

// The longest side of an exported chart image in pixels: a larger image would
// take gigabytes.
inline constexpr int kMaxImageSide = 20000;

class ChartView : public QWidget {
    Q_OBJECT
public:
    explicit ChartView(QWidget* parent = nullptr);
    ~ChartView() override;

    // --- the look ---------------------------------------------------------
    // Replaces the whole look with the file's; on any error the look is unchanged.
    void loadSettings(const QString& path);
    // Writes the current look (every series of the grid included); atomic.
    void saveSettings(const QString& path) const;
    const ChartLook& look() const { return m_look; }
    void setLook(const ChartLook& look);

    // --- the data grid ----------------------------------------------------
    // Below zero counts as zero (an empty chart); more than kMaxChartRows rows
    // or kMaxChartColumns series throws ChartError.
    void setColumnCount(int columns);
    int columnCount() const { return m_data.columnCount(); }
    void setRowCount(int rows);
    int rowCount() const { return m_data.rowCount(); }
    // The current cell. Any number may be set; the cell must lie inside the
    // grid only when it is read or written.
    void setColumn(int column) { m_column = column; }
    int column() const { return m_column; }
    void setRow(int row) { m_row = row; }
    int row() const { return m_row; }
    // The current cell's value as text with the decimal separator; the empty
    // text means no value (a gap in the series).
    void setData(const QString& text);
    QString data() const;
    void setRowLabel(const QString& label);     // label of the current row
    QString rowLabel() const;
    void setColumnLabel(const QString& label);  // name of the current series
    QString columnLabel() const;
    void setSeriesColumn(int column) { m_seriesColumn = column; }
    int seriesColumn() const { return m_seriesColumn; }

    // Bulk forms with the same effect as the text forms, for long series:
    // exactly rowCount() values (NaN: no value) or labels.
    void setColumnValues(int column, QVector<double> values);
    void setRowLabels(QStringList labels);
    // Row labels that count on from firstNumber, without a text per row.
    void setRowNumberLabels(int firstNumber);
    // Row labels formatted only when the axis shows them (see ChartData).
    void setRowLabelSource(std::function<QString(int row)> source);
    const ChartData& chartData() const { return m_data; }

    // Decimal separator of the number texts; the system locale's by default.
    void setDecimalSeparator(QChar separator) { m_decimalSeparator = separator; }
    QChar decimalSeparator() const { return m_decimalSeparator; }

    // --- a numeric x axis ----------------------------------------------------
    // Rows placed at these x positions on a numeric axis instead of one
    // category each (a histogram with its curves); exactly rowCount()
    // ascending positions, or none for the category axis. Bars are barWidth
    // wide (shared by side-by-side bar series). Rows with equal positions
    // keep their order, so a series with values in two such rows and gaps
    // elsewhere draws a vertical line.
    void setRowPositions(QVector<double> positions, double barWidth);
    bool hasRowPositions() const { return !m_rowPositions.isEmpty(); }
    // A text drawn in a framed box in the top left corner of the plot (the
    // figures that belong to the chart); empty for none.
    void setNoteText(const QString& text);
    QString noteText() const { return m_noteText; }

    // --- series positions (part of the look) --------------------------------
    void setSeriesExcluded(int series, bool excluded);
    bool seriesExcluded(int series) const;
    void setSeriesHidden(int series, bool hidden);
    bool seriesHidden(int series) const;
    void setSeriesOrder(int series, int order);
    int seriesOrder(int series) const;
    void setSeriesStackOrder(int series, int stackOrder);
    int seriesStackOrder(int series) const;

    // --- titles and the value scale ------------------------------------------
    void setTitleText(const QString& text);
    QString titleText() const { return m_titleText; }
    // axisId 0: the x (category) axis, 1: the y (value) axis.
    void setAxisTitle(int axisId, const QString& title);
    QString axisTitle(int axisId) const;
    bool valueScaleAuto() const { return m_look.valueScale.automatic; }
    void setValueScaleAuto(bool automatic);
    // While the scale is not automatic the y axis shows exactly these bounds
    // and divisions. Bounds given the wrong way round are swapped; equal
    // bounds are widened around their value; divisions below 1 count as 1.
    void setValueScale(double minimum, double maximum, int majorDivisions, int minorDivisions);

    // --- drawing and export --------------------------------------------------
    // Draws every pending change now.
    void replot();
    QImage toImage(int width, int height);
    // format: "png", "svg" or "pdf"; the file is replaced atomically.
    void saveImage(const QString& path, const QString& format, int width, int height);
    void print(QPrinter& printer);
    void showSettingsDialog();
    // Applies a look edited in the settings dialog and raises changesApplied.
    void applyLookFromDialog(const ChartLook& look);

    // The plot as last built, for tests and the chart windows' own checks.
    ChartPlot* plot() const { return m_plot; }
    // Number of the series (1-based) behind each drawn plottable, in drawing order.
    QVector<int> drawnSeries() const { return m_drawnSeries; }

signals:
    void changesApplied();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void scheduleReplot();
    void rebuild();
    void rebuildSeries();
    void addBars(int series, const SeriesLook& look, const QString& name, qsizetype barSeriesCount);
    void addGraph(int series, const SeriesLook& look, const QString& name);
    // The series' points for QCustomPlot, kept between drawings while the
    // column is unchanged. With runEnds, a run of equal values (a limit line,
    // a gap) keeps only its two ends, which draw the same line without
    // markers: five limit lines of a million rows become ten points.
    QSharedPointer<QCPDataContainer<QCPGraphData>> graphDataOf(int series, bool runEnds = false);
    void applyLookToPlot();
    void updateTitle();
    void updateLegendPlacement();
    void updateValueRange();
    void updateNumericAxis();
    void updateNote();
    double rowKey(qsizetype index) const;
    void showContextMenu(const QPoint& position);
    void saveImageInteractively();
    void copyImage();
    void checkSeries(int series) const;

    ChartData m_data;
    ChartLook m_look;
    QString m_titleText;
    QString m_axisTitles[2];
    int m_row = 1;
    int m_column = 1;
    int m_seriesColumn = 0;
    QChar m_decimalSeparator;
    QVector<double> m_rowPositions;
    double m_barWidth = 0.8;
    QString m_noteText;

    ChartPlot* m_plot = nullptr;
    QCPItemText* m_noteItem = nullptr;
    QSharedPointer<ValueTicker> m_numericTicker;  // the x axis while rows have positions
    QCPTextElement* m_titleElement = nullptr;
    QCPLayoutGrid* m_legendColumn = nullptr;  // holds the legend while it sits right of the plot
    QCPBarsGroup* m_barsGroup = nullptr;
    QVector<int> m_drawnSeries;
    // Plot copies of the columns, rebuilt only when a column's revision changes.
    struct CachedColumn {
        std::uint64_t revision = 0;
        QSharedPointer<QCPDataContainer<QCPGraphData>> graphData;
        bool runEnds = false;  // graphData holds only the ends of runs
    };
    std::map<int, CachedColumn> m_graphCache;
    bool m_replotPending = false;
};

}  // namespace chartcomponent

// The chart windows may name the component without its namespace.
using ChartView = chartcomponent::ChartView;
using ChartError = chartcomponent::ChartError;
