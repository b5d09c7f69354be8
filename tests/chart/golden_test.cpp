// Every golden set through the control chart's real fill sequence: each
// statistics cell and every cell of every data row must agree with what the
// desktop spreadsheets compute.
#include "components/sheet/spreadsheet.h"
#include "tests/chart/golden_support.h"

#include <QJsonArray>
#include <QRegularExpression>
#include <gtest/gtest.h>

// Test names and failure messages show the set name as text.
void PrintTo(const QString& text, std::ostream* out)
{
    *out << text.toStdString();
}

namespace {

std::vector<QString> setNames()
{
    const QStringList names = golden::allSetNames();
    return std::vector<QString>(names.begin(), names.end());
}

class GoldenGrid : public ::testing::TestWithParam<QString> {};

TEST_P(GoldenGrid, EveryCellAgrees)
{
    const golden::GoldenSet set = golden::load(GetParam());
    ASSERT_FALSE(set.dataRows.empty());
    ASSERT_FALSE(set.expected.isEmpty());
    for (platform::Language language : {platform::Language::English, platform::Language::German}) {
        sheet::Spreadsheet book;
        golden::fillComputationGrid(book, set.dataRows, language);
        int failures = 0;
        const QJsonObject stats = set.expected.value("stats").toObject();
        for (auto it = stats.begin(); it != stats.end(); ++it) {
            const QString cell = it.key();
            const int split = static_cast<int>(cell.indexOf(QRegularExpression("[0-9]")));
            const std::string problem = golden::compareCell(book, cell.mid(split).toInt(),
                                                            golden::columnNumber(cell.left(split)), it.value());
            if (!problem.empty() && ++failures <= 20) ADD_FAILURE() << cell.toStdString() << " " << problem;
        }
        for (const QJsonValue& rowValue : set.expected.value("rows").toArray()) {
            const QJsonObject row = rowValue.toObject();
            const int r = row.value("row").toInt();
            for (auto it = row.begin(); it != row.end(); ++it) {
                if (it.key() == u"row") continue;
                const std::string problem = golden::compareCell(book, r, golden::columnNumber(it.key()), it.value());
                if (!problem.empty() && ++failures <= 20)
                    ADD_FAILURE() << it.key().toStdString() << r << " " << problem;
            }
        }
        EXPECT_EQ(failures, 0) << "language " << platform::storedLanguageNumber(language);
        // The row after the data block is empty.
        const int after = 16 + static_cast<int>(set.dataRows.size());
        for (int c = 1; c <= 60; ++c) EXPECT_EQ(book.cellType(after, c), sheet::CellType::Empty) << "column " << c;
    }
}

INSTANTIATE_TEST_SUITE_P(AllSets, GoldenGrid, ::testing::ValuesIn(setNames()),
                         [](const ::testing::TestParamInfo<QString>& info) { return info.param.toStdString(); });

}  // namespace
