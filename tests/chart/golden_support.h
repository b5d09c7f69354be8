// Helpers of the golden-grid tests: reading a golden set, running the control
// chart's fill sequence on a computation grid, and comparing cells.
#pragma once

#include "components/platform/language.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

namespace sheet { class Spreadsheet; }

namespace golden {

struct GoldenSet {
    QString name;
    std::vector<QStringList> dataRows;  // import row, value1[, value2[, value3]] as texts
    QJsonObject expected;               // "stats" and "rows"
};

GoldenSet load(const QString& name);
QStringList allSetNames();

// The fill sequence of the control chart: reference layout, insert rows at
// 17, fill row 16 down, write the data rows, clear the row after them.
// Values go in as texts (the component turns numeric text into numbers).
void fillComputationGrid(sheet::Spreadsheet& book, const std::vector<QStringList>& dataRows, platform::Language language = platform::Language::German);

// Empty when the cell agrees with the expected JSON value, else a description.
std::string compareCell(const sheet::Spreadsheet& book, int row, int col, const QJsonValue& expected);

int columnNumber(const QString& letters);

}  // namespace golden
