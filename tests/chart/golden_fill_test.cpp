// Each golden data set run through the whole fill (import grid, span,
// template rows widened, data rows copied, end row cleared): the statistics
// block must match what the desktop spreadsheets compute.
#include "chart/computation_fill.h"
#include "chart/computation_layout.h"
#include "components/sheet/cell_address.h"
#include "tests/chart/chart_test_support.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QTextStream>
#include <gtest/gtest.h>

#include <cmath>

namespace {

void expectCell(const sheet::Spreadsheet& grid, int row, int col, const QJsonValue& expected, const QString& where)
{
    const sheet::CellValue value = grid.value(row, col);
    if (expected.isString()) {
        EXPECT_EQ(value.kind, sheet::CellKind::Error) << where.toStdString();
        EXPECT_EQ(sheet::errorName(value.error), expected.toString()) << where.toStdString();
    } else if (expected.isNull()) {
        EXPECT_TRUE(value.kind == sheet::CellKind::Empty
                    || (value.kind == sheet::CellKind::Text && value.text.isEmpty()))
            << where.toStdString();
    } else {
        ASSERT_EQ(value.kind, sheet::CellKind::Number) << where.toStdString();
        const double want = expected.toDouble();
        EXPECT_NEAR(value.number, want, std::max(1e-9 * std::fabs(want), 1e-12)) << where.toStdString();
    }
}

}  // namespace

TEST(GoldenFill, EverySetMatchesTheSpreadsheetResults)
{
    const QDir dir(QStringLiteral(PLOTWISE_GOLDEN_DIR));
    const QStringList sets = dir.entryList({QStringLiteral("*.csv")}, QDir::Files, QDir::Name);
    ASSERT_FALSE(sets.isEmpty());
    for (const QString& csvName : sets) {
        SCOPED_TRACE(csvName.toStdString());
        charttest::StateFixture f;
        QFile csv(dir.filePath(csvName));
        ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
        int first = 0, last = 0, valueCount = 0;
        QTextStream in(&csv);
        while (!in.atEnd()) {
            const QString line = in.readLine().trimmed();
            if (line.isEmpty() || line.startsWith('#'))
                continue;
            const QStringList parts = line.split(',');
            const int row = parts[0].toInt();
            valueCount = int(parts.size()) - 1;
            for (int k = 1; k < parts.size(); ++k)
                f.importGrid.setText(row, 1 + k, parts[k].trimmed());
            if (first == 0) first = row;
            last = row;
        }
        f.state.job.valueColumns = {2, valueCount > 1 ? 3 : 0, valueCount > 2 ? 4 : 0};

        sheet::Spreadsheet grid;
        chart::buildReferenceLayout(grid, platform::Language::English);
        const chart::FillResult result = chart::ComputationFill::run(grid, f.state, first, last);

        QFile json(dir.filePath(csvName.chopped(4) + QStringLiteral(".json")));
        ASSERT_TRUE(json.open(QIODevice::ReadOnly));
        const QJsonObject golden = QJsonDocument::fromJson(json.readAll()).object();
        EXPECT_EQ(result.dataRowCount(), golden.value("n").toInt());
        const QJsonObject stats = golden.value("stats").toObject();
        for (auto it = stats.begin(); it != stats.end(); ++it) {
            const QString cell = it.key();
            if (cell == "Q1" || cell == "AF1" || cell == "AW1")
                continue;  // the alarm summaries are the template's choice
            qsizetype digits = 0;
            while (digits < cell.size() && cell[digits].isLetter()) ++digits;
            expectCell(grid, cell.mid(digits).toInt(), sheet::columnNumber(cell.left(digits)), it.value(), csvName + " " + cell);
        }
    }
}
