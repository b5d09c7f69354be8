// The computation template's worked examples and its run rules: each of the
// five rules of each chart kind fires on the row where the run completes and
// not one row earlier.
#include "components/sheet/spreadsheet.h"
#include "chart/computation_layout.h"
#include "tests/chart/golden_support.h"

#include <gtest/gtest.h>

using golden::columnNumber;

namespace {

double cell(const sheet::Spreadsheet& book, const char* address)
{
    const QString a = QString::fromLatin1(address);
    int split = 0;
    while (a[split].isLetter()) ++split;
    return book.number(a.mid(split).toInt(), columnNumber(a.left(split)));
}

sheet::CellValue cellValue(const sheet::Spreadsheet& book, const char* address)
{
    const QString a = QString::fromLatin1(address);
    int split = 0;
    while (a[split].isLetter()) ++split;
    return book.value(a.mid(split).toInt(), columnNumber(a.left(split)));
}

std::vector<QStringList> rowsOf(const std::vector<std::vector<QString>>& values)
{
    std::vector<QStringList> rows;
    int importRow = 1;
    for (const auto& v : values) {
        QStringList fields{QString::number(importRow++)};
        for (const QString& x : v) fields << x;
        rows.push_back(fields);
    }
    return rows;
}

TEST(TemplateExamples, TwoRowReferenceExample)
{
    sheet::Spreadsheet book;
    golden::fillComputationGrid(book, rowsOf({{"1"}, {"2"}}));
    EXPECT_DOUBLE_EQ(cell(book, "A1"), 2);
    EXPECT_DOUBLE_EQ(cell(book, "E4"), 1.5);
    EXPECT_DOUBLE_EQ(cell(book, "E3"), 0.5);
    EXPECT_DOUBLE_EQ(cell(book, "E5"), 0.5);
    EXPECT_DOUBLE_EQ(cell(book, "E6"), 2.5);
    EXPECT_EQ(cell(book, "E7"), 0.0);
    EXPECT_DOUBLE_EQ(cell(book, "E8"), 3);
    EXPECT_DOUBLE_EQ(cell(book, "E9"), 3.5);
    EXPECT_DOUBLE_EQ(cell(book, "E10"), -0.5);
    EXPECT_DOUBLE_EQ(cell(book, "E11"), 2);
    EXPECT_DOUBLE_EQ(cell(book, "E12"), 1);
    EXPECT_EQ(cell(book, "I16"), 0.0);  // no predecessor for the moving range
    EXPECT_DOUBLE_EQ(cell(book, "I17"), 1);
    EXPECT_NEAR(cell(book, "I3"), 0.707107, 1e-6);
    EXPECT_NEAR(cell(book, "I6"), 1.91421, 1e-5);
    EXPECT_NEAR(cell(book, "I8"), 2.62132, 1e-5);
    EXPECT_NEAR(cell(book, "I9"), 3.32843, 1e-5);
    EXPECT_EQ(cell(book, "K16"), 0.0);
    EXPECT_DOUBLE_EQ(cell(book, "K17"), -1);  // previous minus current
    EXPECT_DOUBLE_EQ(cell(book, "K4"), -0.5);
    EXPECT_NEAR(cell(book, "K5"), -1.91421, 1e-5);
    EXPECT_NEAR(cell(book, "K6"), 0.914214, 1e-6);
    EXPECT_NEAR(cell(book, "K9"), 2.32843, 1e-5);
    EXPECT_EQ(cell(book, "J16"), 0.0);
    EXPECT_DOUBLE_EQ(cell(book, "J17"), 50);
}

TEST(TemplateExamples, ThreeValuesDifferenceTakesTheLargerSwing)
{
    sheet::Spreadsheet book;
    golden::fillComputationGrid(book, rowsOf({{"4", "7", "5"}}));
    EXPECT_NEAR(cell(book, "E16"), 5.33333, 1e-5);
    EXPECT_DOUBLE_EQ(cell(book, "I16"), 3);
    EXPECT_DOUBLE_EQ(cell(book, "K16"), 3);  // |7-4| > |5-4|
    golden::fillComputationGrid(book, rowsOf({{"4", "2", "6"}}));
    EXPECT_DOUBLE_EQ(cell(book, "K16"), 2);  // a tie takes the third value: 6-4
}

TEST(TemplateExamples, OneDataRowHasNoSpreadAndTheErrorReachesTheLimits)
{
    sheet::Spreadsheet book;
    golden::fillComputationGrid(book, rowsOf({{"4", "7", "5"}}));
    for (const char* address : {"I3", "K3", "I6", "I8", "I9", "K5", "K6", "K7", "K8", "K9", "AD16", "AV16"}) {
        const sheet::CellValue v = cellValue(book, address);
        EXPECT_EQ(v.kind, sheet::CellKind::Error) << address;
        EXPECT_EQ(v.error, sheet::ErrorCode::Div0) << address;
    }
    EXPECT_EQ(cell(book, "E3"), 0.0);  // the population spread of one mean is 0
    EXPECT_DOUBLE_EQ(cell(book, "A1"), 1);
    EXPECT_EQ(cell(book, "Q1"), 0.0);  // counting skips the error rows
}

// One series s drives all three charts: B = 0 and C = s give a row mean s/2,
// a range |s| and a difference s.
struct RuleCase {
    const char* name;
    std::vector<double> series;
    int firingIndex;  // index into series where the rule must first fire
    const char* flagColumns[3];  // mean, range, difference chart
};

std::vector<double> alternating(int count)
{
    std::vector<double> v;
    for (int i = 0; i < count; ++i) v.push_back(i % 2 == 0 ? 5 : 7);
    return v;
}

std::vector<double> concat(std::vector<double> a, const std::vector<double>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<RuleCase> ruleCases()
{
    std::vector<RuleCase> cases;
    // Rule 1: one spike beyond the control limits.
    {
        std::vector<double> s = alternating(30);
        s[20] = 30;
        cases.push_back({"outside the control limits", s, 20, {"R", "AG", "AX"}});
    }
    // Rule 2: seven in a row above the centre line (after a value below it).
    cases.push_back({"seven above the centre line",
                     concat(concat(alternating(20), {5, 7.5, 7.5, 7.5, 7.5, 7.5, 7.5, 7.5}), alternating(6)), 27,
                     {"Y", "AN", "BE"}});
    // Rule 3: seven rises in a row (eight increasing values).
    cases.push_back({"seven rising",
                     concat(concat(alternating(20), {4.0, 4.3, 4.6, 4.9, 5.2, 5.5, 5.8, 6.1}), alternating(6)), 27,
                     {"Z", "AO", "BF"}});
    // Rule 4: two of three beyond the upper warning limit.
    {
        std::vector<double> s = alternating(40);
        s[30] = 12;
        s[32] = 12;
        cases.push_back({"two of three beyond the warning limit", s, 32, {"AA", "AP", "BG"}});
    }
    // Rule 5: ten of eleven above the centre line, never seven in a row.
    cases.push_back({"ten of eleven above",
                     concat(concat(alternating(20), {5, 7.5, 7.5, 7.5, 7.5, 7.5, 5, 7.5, 7.5, 7.5, 7.5, 7.5}),
                            alternating(6)),
                     31, {"AB", "AQ", "BH"}});
    return cases;
}

TEST(TemplateRules, EachRuleFiresWhereItsRunCompletes)
{
    for (const RuleCase& rule : ruleCases()) {
        std::vector<std::vector<QString>> values;
        for (double s : rule.series) values.push_back({"0", QString::number(s)});
        sheet::Spreadsheet book;
        golden::fillComputationGrid(book, rowsOf(values));
        const int n = static_cast<int>(rule.series.size());
        for (const char* column : rule.flagColumns) {
            const int col = columnNumber(QString::fromLatin1(column));
            int first = -1;
            for (int i = 0; i < n && first < 0; ++i)
                if (book.number(16 + i, col) == 1.0) first = i;
            EXPECT_EQ(first, rule.firingIndex) << rule.name << ", column " << column;
            // A flag that did not fire is the empty text.
            const sheet::CellValue quiet = book.value(16 + rule.firingIndex - 1, col);
            EXPECT_TRUE(quiet.kind == sheet::CellKind::Text && quiet.text.isEmpty()) << rule.name << " " << column;
        }
        // The alarm markers follow the counts of fired rules.
        const int row = 16 + rule.firingIndex;
        EXPECT_GE(book.number(row, columnNumber("Q")), 1) << rule.name;
        EXPECT_DOUBLE_EQ(book.number(row, columnNumber("F")), cell(book, "E9")) << rule.name;
        EXPECT_DOUBLE_EQ(book.number(row, columnNumber("G")), cell(book, "I9")) << rule.name;
        EXPECT_DOUBLE_EQ(book.number(row, columnNumber("H")), cell(book, "K9")) << rule.name;
        EXPECT_GE(cell(book, "Q1"), 1) << rule.name;
    }
}

TEST(TemplateRules, QuietRowsSitOnTheLowerBound)
{
    std::vector<std::vector<QString>> values;
    for (double s : alternating(12)) values.push_back({QString::number(s)});
    sheet::Spreadsheet book;
    golden::fillComputationGrid(book, rowsOf(values));
    for (int row = 16; row < 28; ++row) {
        EXPECT_EQ(book.number(row, columnNumber("Q")), 0.0) << row;
        EXPECT_DOUBLE_EQ(book.number(row, columnNumber("F")), cell(book, "E10")) << row;
    }
    EXPECT_EQ(cell(book, "Q1"), 0.0);
    // German and English layouts differ only in their texts.
    sheet::Spreadsheet english;
    golden::fillComputationGrid(english, rowsOf(values), platform::Language::English);
    EXPECT_EQ(english.text(15, 5), "Mean");
    EXPECT_EQ(book.text(15, 5), "Mittel");
    EXPECT_EQ(book.text(14, columnNumber("Y")), "2.");
    EXPECT_EQ(book.cellType(14, columnNumber("Y")), sheet::CellType::Text);
    EXPECT_EQ(english.definedNames(), book.definedNames());
    for (int c = 5; c <= 60; ++c) EXPECT_EQ(english.formula(16, c), book.formula(16, c));
}

TEST(TemplateRules, PrototypeFormulasReadAsDocumented)
{
    sheet::Spreadsheet book;
    chart::buildReferenceLayout(book, platform::Language::German);
    EXPECT_EQ(book.formula(3, 5), "=STDEVP(E16:$E17)");
    EXPECT_EQ(book.formula(16, 5), "=(B16+C16+D16)/COUNT(B16:D16)");
    EXPECT_EQ(book.formula(17, 25), "=IF(OR(SUM(U11:U17)=7,SUM(V11:V17)=7),1,\"\")");
    EXPECT_EQ(book.formula(16, 8), "=IF(AW16>0,IF(K16>0,DMax,DMax*-1),0)");
    EXPECT_EQ(book.definedName("MIN"), "$E$10");
    EXPECT_EQ(book.definedName("Max"), "$E$9");
    EXPECT_EQ(book.lastRow(), 17);
    EXPECT_EQ(book.lastCol(), 60);
}

}  // namespace
