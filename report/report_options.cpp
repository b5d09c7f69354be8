// Parsing of plotwise-report's command line. Every option takes one value;
// a malformed value is a usage error, never a guess.
#include "report/report_options.h"

#include "components/chart/chart_view.h"
#include "components/sheet/cell_address.h"

#include <QRegularExpression>
#include <QStringList>
#include <cmath>

namespace report {

namespace {

// "A" -> 1, "AA" -> 27, "12" -> 12; 0 when the text names no column of the
// sheet (A to XFD, 1 to 16384).
int columnNumber(const QString& text)
{
    const QString t = text.trimmed().toUpper();
    if (t.isEmpty()) return 0;
    bool isNumber = false;
    const int n = t.toInt(&isNumber);
    if (isNumber) return n >= 1 && n <= sheet::kMaxCols ? n : 0;
    static const QRegularExpression letters(QStringLiteral("^[A-Z]{1,3}$"));
    if (!letters.match(t).hasMatch()) return 0;
    return sheet::columnNumber(t);
}

std::optional<double> percent(const QString& text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v) || v < 0 || v > 100) return std::nullopt;
    return v;
}

// A row field given on the command line: a whole number of at least `lowest`.
bool isRowNumber(const QString& text, int lowest)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok, 10);
    return ok && n >= lowest;
}

}  // namespace

std::optional<QVector<ColumnRange>> parseColumnList(const QString& text)
{
    QVector<ColumnRange> ranges;
    for (const QString& part : text.split(u',')) {
        const QStringList ends = part.split(u':');
        if (ends.size() > 2) return std::nullopt;
        const int first = columnNumber(ends.front());
        const int last = columnNumber(ends.back());
        if (first == 0 || last == 0) return std::nullopt;
        ranges.append({std::min(first, last), std::max(first, last)});
    }
    return ranges;
}

std::optional<ReportOptions> parseReportOptions(const QStringList& args, QString* error)
{
    ReportOptions o;
    auto fail = [error](const QString& why) {
        if (error) *error = why;
        return std::optional<ReportOptions>();
    };
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (!arg.startsWith(QLatin1String("--"))) {
            if (!o.dataFile.isEmpty()) return fail(QStringLiteral("more than one data file: %1").arg(arg));
            o.dataFile = arg;
            continue;
        }
        if (i + 1 >= args.size()) return fail(QStringLiteral("%1 needs a value").arg(arg));
        const QString value = args[++i];
        if (arg == "--template") {
            o.templateFile = value;
            o.fields = {};  // fields given before the template are taken from it instead
        } else if (arg == "--sep") o.fields.separator = value;
        else if (arg == "--start-col") o.fields.startColumn = value;
        else if (arg == "--end-col") o.fields.endColumn = value;
        else if (arg == "--first-row") {
            if (!isRowNumber(value, 1)) return fail(QStringLiteral("--first-row needs a row number: %1").arg(value));
            o.fields.firstRow = value;
        } else if (arg == "--last-row") {
            // Empty or 0: up to the last row read.
            if (!value.trimmed().isEmpty() && !isRowNumber(value, 0))
                return fail(QStringLiteral("--last-row needs a row number: %1").arg(value));
            o.fields.lastRow = value;
        }
        else if (arg == "--x-col") o.fields.xColumn = value;
        else if (arg == "--title") o.fields.title = value;
        else if (arg == "--x-title") o.fields.xTitle = value;
        else if (arg == "--y-title") o.fields.yTitle = value;
        else if (arg == "--header-row") {
            bool ok = false;
            const int n = value.toInt(&ok);
            if (!ok || n < 0) return fail(QStringLiteral("--header-row needs a row number: %1").arg(value));
            o.fields.headerRow = n;
        } else if (arg == "--columns" || arg == "--compare") {
            const auto list = parseColumnList(value);
            if (!list)
                return fail(QStringLiteral("%1: not a list of columns A to XFD (or 1 to 16384): %2").arg(arg, value));
            (arg == "--columns" ? o.columns : o.compare) = *list;
        } else if (arg == "--span") {
            const QStringList parts = value.split(u',');
            const auto left = parts.size() == 2 ? percent(parts[0]) : std::nullopt;
            const auto right = parts.size() == 2 ? percent(parts[1]) : std::nullopt;
            if (!left || !right || *left + *right > 100)
                return fail(QStringLiteral("--span needs LEFT,RIGHT percentages that add up to at most 100: %1").arg(value));
            o.leftPercent = *left;
            o.rightPercent = *right;
        } else if (arg == "--lang") {
            if (value == "en") o.language = platform::Language::English;
            else if (value == "de") o.language = platform::Language::German;
            else return fail(QStringLiteral("--lang is en or de: %1").arg(value));
        } else if (arg == "--out") o.outDir = value;
        else if (arg == "--format") {
            if (value != "png" && value != "svg" && value != "pdf")
                return fail(QStringLiteral("--format is png, svg or pdf: %1").arg(value));
            o.format = value;
        } else if (arg == "--size") {
            static const QRegularExpression wxh(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$"));
            const auto m = wxh.match(value);
            const auto side = [&m](int i) { return m.captured(i).toInt(); };
            if (!m.hasMatch() || side(1) < 1 || side(2) < 1 || side(1) > chartcomponent::kMaxImageSide
                || side(2) > chartcomponent::kMaxImageSide)
                return fail(QStringLiteral("--size needs WIDTHxHEIGHT in pixels, each from 1 to %1: %2")
                                .arg(chartcomponent::kMaxImageSide)
                                .arg(value));
            o.size = QSize(m.captured(1).toInt(), m.captured(2).toInt());
        } else return fail(QStringLiteral("unknown option %1").arg(arg));
    }
    if (o.dataFile.isEmpty()) return fail(QStringLiteral("no data file given"));
    if (o.columns.isEmpty() && o.compare.isEmpty()) return fail(QStringLiteral("give --columns, --compare or both"));
    return o;
}

QString usageText()
{
    return QStringLiteral(
        "Usage: plotwise-report DATAFILE [options]\n"
        "  --template FILE.ctpl     read the import fields from an import template\n"
        "  --sep TEXT  --start-col TEXT  --end-col TEXT  --first-row TEXT  --last-row TEXT\n"
        "  --header-row N  --x-col TEXT  --title TEXT  --x-title TEXT  --y-title TEXT\n"
        "                           the main window's import fields: same meaning, same forms (\"$C\", \"$A\")\n"
        "  --columns LIST           value columns as a selection gives them, e.g. \"B:D\" or \"D,A:B\"\n"
        "  --compare LIST           comparison columns\n"
        "  --span LEFT,RIGHT        left and right percentages of the range selector bar (default 0,0)\n"
        "  --lang en|de             language (default: as a first start would choose)\n"
        "  --out DIR                output folder, created when missing (default: the working directory)\n"
        "  --format png|svg|pdf     chart image format (default png)\n"
        "  --size WxH               chart size in pixels, each side at most 20000 (default 1200x600)\n"
        "  --help, --version        this text; the version\n");
}

}  // namespace report
