// plotwise-report's command line. The input is the argument list, one argument
// a line. Whatever is accepted must be usable: columns within the sheet,
// percentages within 0..100, an image size the charts can be drawn at.
#include "tests/fuzz/fuzz_support.h"

#include "components/chart/chart_view.h"
#include "components/sheet/cell_address.h"
#include "report/report_options.h"

#include <cmath>

namespace {

bool columnsInSheet(const QVector<report::ColumnRange>& ranges)
{
    for (const report::ColumnRange& r : ranges)
        if (r.first < 1 || r.first > r.last || r.last > sheet::kMaxCols) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QStringList args = QString::fromUtf8(fuzz::bytes(data, size)).split(u'\n');
    QString error;
    const std::optional<report::ReportOptions> options = report::parseReportOptions(args, &error);
    if (!options) {
        if (error.isEmpty()) abort();  // a refusal always says why
        return 0;
    }
    if (!columnsInSheet(options->columns) || !columnsInSheet(options->compare)) abort();
    for (double p : {options->leftPercent, options->rightPercent})
        if (!(p >= 0 && p <= 100)) abort();
    for (int side : {options->size.width(), options->size.height()})
        if (side < 1 || side > chartcomponent::kMaxImageSide) abort();
    for (const QString& arg : args) {
        if (const auto list = report::parseColumnList(arg))
            if (!columnsInSheet(*list)) abort();
    }
    return 0;
}
