// plotwise-report's run; see report_run.h. Every step calls the code the
// windows call: the import of the main window, its chart commands, the
// control chart window's chart run (fill, chart kinds, statistics copy) and
// the comparison window's drawing.
#include "report/report_run.h"

#include "capability/limit_text.h"
#include "chart/chart_commands.h"
#include "components/chart/chart_error.h"
#include "chart/chart_run.h"
#include "compare/comparison_draw.h"
#include "chart/computation_fill.h"
#include "chart/computation_layout.h"
#include "components/sheet/spreadsheet.h"
#include "report/grid_csv.h"
#include "import/import_file.h"
#include "import/import_template.h"
#include "components/platform/platform.h"
#include "components/platform/profile.h"
#include "chart/program_state.h"
#include "chart/shared_texts.h"
#include "chart/statistics_template.h"
#include "chart/visible_span.h"
#include "components/chart/chart_view.h"
#include "components/chart/png_writer.h"

#include <QDir>
#include <QFileInfo>
#include <future>
#include <vector>

namespace report {

namespace {

void applyOverrides(dataimport::ImportFields& f, const FieldOverrides& o)
{
    if (o.separator) f.separator = *o.separator;
    if (o.startColumn) f.startColumn = *o.startColumn;
    if (o.endColumn) f.endColumn = *o.endColumn;
    if (o.firstRow) f.firstRow = *o.firstRow;
    if (o.lastRow) f.lastRow = *o.lastRow;
    if (o.xColumn) f.xColumn = *o.xColumn;
    if (o.title) f.graphTitle = *o.title;
    if (o.xTitle) f.xTitle = *o.xTitle;
    if (o.yTitle) f.yTitle = *o.yTitle;
    if (o.headerRow) f.headerRow = *o.headerRow;
    if (o.lowerLimit) f.lowerLimit = *o.lowerLimit;
    if (o.upperLimit) f.upperLimit = *o.upperLimit;
    if (o.target) f.target = *o.target;
}

// Marks the columns in the import grid as the user's selection would.
void selectColumns(sheet::Spreadsheet& grid, const QVector<ColumnRange>& columns)
{
    QVector<sheet::Range> ranges;
    const int lastRow = std::max(grid.lastRow(), 1);
    for (const ColumnRange& c : columns) ranges.append({1, c.first, lastRow, c.last});
    grid.setSelection(ranges);
}

chart::ChartCommandFields commandFields(const dataimport::ImportFields& f, platform::Language language)
{
    return chart::chartCommandFieldsOf(f.firstRow, f.lastRow, QString::number(f.headerRow), f.xColumn, f.graphTitle,
                                       chart::titleCaptionText(language));
}

struct ReportContext {
    const ReportOptions& options;
    chart::ProgramState state;
    sheet::Spreadsheet importGrid, statisticsGrid, scratchGrid, computationGrid;
    dataimport::ImportFields fields;
    QString outDir;

    explicit ReportContext(const ReportOptions& o) : options(o) {}
    QString outPath(const QString& name) const { return outDir + name; }
    QString imagePath(const QString& stem) const { return outPath(stem + u'.' + options.format); }
};

RunResult fileError(const QString& message) { return {ExitFileError, message}; }

RunResult writeControlChart(ReportContext& c)
{
    chart::ProgramState& state = c.state;
    // Only a control chart run needs the two templates.
    chart::loadStatisticsTemplate(state);
    chart::buildReferenceLayout(c.computationGrid, state.language);
    selectColumns(c.importGrid, c.options.columns);
    if (!chart::runControlChartCommand(state, commandFields(c.fields, state.language)))
        return {ExitNoData, chart::noDataText(state.language)};

    const chart::VisibleSpan span = chart::computeVisibleSpan(state.job, c.options.leftPercent, c.options.rightPercent);
    chart::ChartRun run(c.computationGrid, state);
    const chart::FillResult fill = run.fill(span.startRow, span.endRow);
    if (!fill.hasData()) return {ExitNoData, chart::noDataText(state.language)};

    // grid.csv, the longest step at a million rows, is written on the second
    // core while the charts are drawn. Both only read the computation grid,
    // which is calculated here first so that no reader starts a recalculation.
    c.computationGrid.calculate();
    std::future<void> gridCsv = std::async(std::launch::async, [&c, lastRow = fill.lastComputationRow + 1] {
        writeGridCsv(c.computationGrid, lastRow, chart::kComputationColumns, c.outPath(QStringLiteral("grid.csv")));
    });

    chartcomponent::ChartView chart;
    chart.resize(c.options.size);
    // A PNG is encoded and written on another thread while the next chart is
    // drawn; SVG and PDF are drawn straight into their files.
    std::vector<std::future<void>> images;
    auto saveChart = [&](const QString& stem) {
        const QString path = c.imagePath(stem);
        if (c.options.format.compare(u"png", Qt::CaseInsensitive) != 0) {
            chart.saveImage(path, c.options.format, c.options.size.width(), c.options.size.height());
            return;
        }
        images.push_back(std::async(std::launch::async, [image = chart.toImage(c.options.size.width(),
                                                                               c.options.size.height()),
                                                         path] { chartcomponent::savePngFile(image, path); }));
    };
    const struct { chart::ChartKind kind; const char* stem; } kinds[] = {
        {chart::ChartKind::Mean, "mean"}, {chart::ChartKind::Range, "range"}, {chart::ChartKind::Difference, "difference"}};
    for (const auto& k : kinds) {
        run.draw(k.kind, chart);
        saveChart(QLatin1String(k.stem));
    }
    run.drawCapability(chart);
    saveChart(QStringLiteral("capability"));

    run.copyStatistics();
    c.statisticsGrid.write(c.outPath(QStringLiteral("statistics.xlsx")), sheet::FileFormat::Xlsx);
    c.statisticsGrid.write(c.outPath(QStringLiteral("statistics.csv")), sheet::FileFormat::Csv);
    for (std::future<void>& image : images) image.get();  // a failure to write one is thrown here
    gridCsv.get();  // and so is one to write grid.csv
    return {};
}

RunResult writeComparisonChart(ReportContext& c)
{
    chart::ProgramState& state = c.state;
    selectColumns(c.importGrid, c.options.compare);
    if (!chart::runComparisonCommand(state, commandFields(c.fields, state.language)) || state.job.lastDataRow < 1)
        return {ExitNoData, chart::noDataText(state.language)};
    const chart::VisibleSpan span = chart::computeVisibleSpan(state.job, c.options.leftPercent, c.options.rightPercent);
    chartcomponent::ChartView chart;
    chart.resize(c.options.size);
    compare::drawComparison(chart, state, span.startRow, span.endRow);
    chart.saveImage(c.imagePath(QStringLiteral("compare")), c.options.format, c.options.size.width(),
                    c.options.size.height());
    return {};
}

}  // namespace

RunResult runReport(const ReportOptions& options)
{
    ReportContext c(options);
    chart::ProgramState& state = c.state;
    state.applicationDirectory = platform::Platform::applicationDirectory();
    state.shippedFolders = platform::Platform::shippedFolders();
    state.language = options.language.value_or(platform::languageForLocale(platform::Platform::localeId()));
    state.importGrid = &c.importGrid;
    state.statisticsGrid = &c.statisticsGrid;
    state.scratchGrid = &c.scratchGrid;
    const QChar decimalSeparator = platform::Platform::decimalSeparator();
    for (sheet::Spreadsheet* grid : {&c.importGrid, &c.statisticsGrid, &c.scratchGrid, &c.computationGrid})
        grid->setDecimalSeparator(decimalSeparator);

    if (!options.templateFile.isEmpty()) {
        const QFileInfo templateInfo(options.templateFile);
        if (templateInfo.isDir())
            return fileError(QStringLiteral("%1: a folder, not an import template").arg(options.templateFile));
        if (!templateInfo.isReadable())
            return fileError(QStringLiteral("%1: the import template cannot be read").arg(options.templateFile));
        c.fields = dataimport::readImportTemplate(platform::Profile(options.templateFile));
    } else {
        // Without a template the title starts as the settings' default title,
        // in the report's language.
        c.fields.graphTitle = state.language == platform::Language::German ? QStringLiteral("Auswertung")
                                                                           : QStringLiteral("Evaluation");
    }
    applyOverrides(c.fields, options.fields);
    c.fields.fileName = options.dataFile;
    state.fileNameText = options.dataFile;
    state.xTitleText = c.fields.xTitle;
    state.yTitleText = c.fields.yTitle;
    state.job.specificationLimits = capability::specificationLimitsOf(c.fields.lowerLimit, c.fields.upperLimit,
                                                                      c.fields.target, decimalSeparator);

    c.outDir = options.outDir.isEmpty() ? QDir::currentPath() : options.outDir;
    if (!QDir().mkpath(c.outDir))
        return fileError(QStringLiteral("%1: the output folder cannot be created").arg(c.outDir));
    c.outDir = QDir(c.outDir).absolutePath() + u'/';

    const dataimport::ImportResult imported = dataimport::importFile(
        options.dataFile, c.fields, c.importGrid, {}, {&c.scratchGrid, decimalSeparator});
    if (!imported.ok())
        return fileError(imported.errorText.isEmpty() ? QStringLiteral("%1: cannot be read").arg(options.dataFile)
                                                      : imported.errorText);
    state.job.lastDataRow = *imported.lastDataRow;

    try {
        if (!options.columns.isEmpty())
            if (RunResult r = writeControlChart(c); r.status != ExitOk) return r;
        if (!options.compare.isEmpty())
            if (RunResult r = writeComparisonChart(c); r.status != ExitOk) return r;
    } catch (const chart::TooManyRowsError& e) {
        return {ExitNoData, QString::fromStdString(e.what())};
    } catch (const sheet::SheetError& e) {
        return fileError(e.message());
    } catch (const chartcomponent::ChartError& e) {
        return fileError(QString::fromUtf8(e.what()));
    }
    return {};
}

}  // namespace report
