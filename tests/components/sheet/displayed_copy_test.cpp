// A value copied as its source displays it: setDisplayedValueOf must store
// exactly what setText(formattedText()) stores, whichever path it takes,
// for ordinary measurements, ties, extremes, other formats and separators.
#include "components/sheet/spreadsheet.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <vector>

namespace {

// The same cell: same kind, and bit for bit the same number or the same text.
void expectSameCell(const sheet::Spreadsheet& a, const sheet::Spreadsheet& b, int row, double source)
{
    const sheet::CellValue x = a.value(row, 1), y = b.value(row, 1);
    ASSERT_EQ(x.kind, y.kind) << "source " << source;
    if (x.kind == sheet::CellKind::Number)
        EXPECT_EQ(std::memcmp(&x.number, &y.number, sizeof x.number), 0)
            << "source " << source << ": " << x.number << " against " << y.number;
    else
        EXPECT_EQ(x.text, y.text) << "source " << source;
}

std::vector<double> sourceValues()
{
    std::vector<double> values = {0.0, -0.0, 1.0, -1.0, 0.1, 25.01, 25.005, 1e15, 1e16, 123456789012345.67,
                                  0.000123456789012345678, 1e-5, 9.99999999999999e-5, 1e300, -1e-300, 5e-324,
                                  2.2250738585072014e-308, std::numeric_limits<double>::max(),
                                  -std::numeric_limits<double>::max(), 0.30000000000000004, 2.675, 1.0000000000000002};
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::uniform_int_distribution<int> exponent(-320, 308);
    for (int i = 0; i < 3000; ++i) {
        values.push_back(25.0 + std::round(unit(random) * 1000.0) / 1000.0);        // a gauge's readings
        values.push_back((unit(random) - 0.5) * std::pow(10.0, exponent(random)));  // anything
        std::uint64_t bits = random();
        double any;
        std::memcpy(&any, &bits, sizeof any);
        if (std::isfinite(any)) values.push_back(any);
    }
    return values;
}

}  // namespace

TEST(DisplayedCopy, StoresWhatTheDisplayedTextReadsBackAs)
{
    const std::vector<double> values = sourceValues();
    for (const QChar separator : {QChar(u'.'), QChar(u',')}) {
        for (const QChar targetSeparator : {QChar(u'.'), QChar(u',')}) {
            sheet::Spreadsheet source, copied, typed;
            source.setDecimalSeparator(separator);
            copied.setDecimalSeparator(targetSeparator);
            typed.setDecimalSeparator(targetSeparator);
            const int rows = int(values.size());
            for (int r = 1; r <= rows; ++r) source.setNumber(r, 1, values[size_t(r - 1)]);
            source.setNumberFormat(rows - 9, 1, rows, 1, QStringLiteral("0.00"));  // another format: the text path
            for (int r = 1; r <= rows; ++r) {
                copied.setDisplayedValueOf(r, 1, source, r, 1);
                typed.setText(r, 1, source.formattedText(r, 1));
            }
            for (int r = 1; r <= rows; ++r) expectSameCell(copied, typed, r, values[size_t(r - 1)]);
        }
    }
}

TEST(DisplayedCopy, TextsFormulasAndEmptyCellsCopyAsTheyShow)
{
    sheet::Spreadsheet source, copied, typed;
    source.setLiteralText(1, 1, QStringLiteral("n/a"));
    source.setFormula(2, 1, QStringLiteral("=1/3"));
    source.setFormula(3, 1, QStringLiteral("=1/0"));
    source.setBoolean(4, 1, true);
    for (int r = 1; r <= 5; ++r) {
        copied.setDisplayedValueOf(r, 1, source, r, 1);
        typed.setText(r, 1, source.formattedText(r, 1));
        expectSameCell(copied, typed, r, r);
    }
}
