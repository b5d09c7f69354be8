// Command line of plotwise-report: what to read, which columns to chart and
// where to put the images, the statistics and the computation grid.
#pragma once

#include "components/platform/language.h"

#include <QSize>
#include <QString>
#include <QVector>
#include <optional>

namespace report {

// A column range as a selection gives it: first and last column, one-based.
struct ColumnRange {
    int first = 0;
    int last = 0;
    bool operator==(const ColumnRange&) const = default;
};

// Import fields given on the command line; unset ones keep what the template
// or the defaults of an empty settings file give.
struct FieldOverrides {
    std::optional<QString> separator, startColumn, endColumn, firstRow, lastRow, xColumn;
    std::optional<QString> title, xTitle, yTitle;
    std::optional<QString> lowerLimit, upperLimit, target;   // --lsl, --usl, --target
    std::optional<int> headerRow;
};

struct ReportOptions {
    QString dataFile;
    QString templateFile;            // empty: none
    FieldOverrides fields;           // options given after --template override it
    QVector<ColumnRange> columns;    // --columns, in the order given
    QVector<ColumnRange> compare;    // --compare
    double leftPercent = 0;
    double rightPercent = 0;
    std::optional<platform::Language> language;  // --lang; none: as a first start would choose
    QString outDir;                  // empty: the working directory
    QString format = QStringLiteral("png");
    QSize size{1200, 600};
};

// Parses the arguments after the program name. On a bad argument returns
// nullopt and puts a one-line reason into *error.
std::optional<ReportOptions> parseReportOptions(const QStringList& args, QString* error);

// "B:D", "D,A:B", "2:4,7": letters or one-based numbers, ranges in order.
std::optional<QVector<ColumnRange>> parseColumnList(const QString& text);

QString usageText();

}  // namespace report
