// Display of numbers under format codes: General, fixed, percent, scientific,
// dates and times; rounding on the decimal form as spreadsheets show it.
#include "components/sheet/number_format.h"

#include <gtest/gtest.h>

#include <cmath>

using sheet::formatNumber;

namespace {

QString show(double v, const char* format, QChar sep = QLatin1Char('.'))
{
    return formatNumber(v, QString::fromUtf8(format), sep);
}

QString show(double v, const QString& format, QChar sep = QLatin1Char('.'))
{
    return formatNumber(v, format, sep);
}

}  // namespace

TEST(NumberFormatGeneral, ShowsFifteenSignificantDigitsShortest)
{
    EXPECT_EQ(show(1.5, "General"), "1.5");
    EXPECT_EQ(show(0.1 + 0.2, "General"), "0.3");
    EXPECT_EQ(show(1.0 / 3.0, "General"), "0.333333333333333");
    EXPECT_EQ(show(2.0 / 3.0, ""), "0.666666666666667");
    EXPECT_EQ(show(-1234.5, "General"), "-1234.5");
    EXPECT_EQ(show(100, "General"), "100");
    EXPECT_EQ(show(123456789012345.0, "General"), "123456789012345");
    EXPECT_EQ(show(21.29 - 13.28, "General"), "8.01");
}

TEST(NumberFormatGeneral, SwitchesToScientificForVeryLargeAndSmall)
{
    EXPECT_EQ(show(1e20, "General"), "1E+20");
    EXPECT_EQ(show(1e15, "General"), "1E+15");
    EXPECT_EQ(show(1.5e16, "General"), "1.5E+16");
    EXPECT_EQ(show(1e-7, "General"), "1E-07");
    EXPECT_EQ(show(1e-5, "General"), "1E-05");
    EXPECT_EQ(show(0.0001, "General"), "0.0001");
    EXPECT_EQ(show(-2.5e-300, "General"), "-2.5E-300");
}

TEST(NumberFormatGeneral, UsesTheDecimalSeparatorAndHidesNegativeZero)
{
    EXPECT_EQ(show(1.5, "General", QLatin1Char(',')), "1,5");
    EXPECT_EQ(show(1.5e-9, "General", QLatin1Char(',')), "1,5E-09");
    EXPECT_EQ(show(-0.0, "General"), "0");
    EXPECT_EQ(show(-0.0, "0.00"), "0.00");
    EXPECT_EQ(show(-0.001, "0.00"), "0.00");  // rounds to zero: no sign
    EXPECT_EQ(show(std::nan(""), "General"), "#NUM!");
    EXPECT_EQ(show(INFINITY, "0.00"), "#NUM!");
}

TEST(NumberFormatFixed, RoundsDecimalHalvesAwayFromZero)
{
    // 2.675 and 1.005 are just below the half in binary; spreadsheets still round up.
    EXPECT_EQ(show(2.675, "0.00"), "2.68");
    EXPECT_EQ(show(1.005, "0.00"), "1.01");
    EXPECT_EQ(show(-2.675, "0.00"), "-2.68");
    EXPECT_EQ(show(0.5, "0"), "1");
    EXPECT_EQ(show(-0.5, "0"), "-1");
    EXPECT_EQ(show(2.5, "0"), "3");
    EXPECT_EQ(show(9.995, "0.00"), "10.00");
    EXPECT_EQ(show(0.04, "0.0"), "0.0");
    EXPECT_EQ(show(1.5, "0.000", QLatin1Char(',')), "1,500");
}

TEST(NumberFormatFixed, GroupsThousandsAndHonoursOptionalDigits)
{
    EXPECT_EQ(show(1234567.891, "#,##0.00"), "1,234,567.89");
    EXPECT_EQ(show(1234567.891, "#,##0.00", QLatin1Char(',')), "1.234.567,89");
    EXPECT_EQ(show(-999.999, "#,##0.00"), "-1,000.00");
    EXPECT_EQ(show(123, "#,##0"), "123");
    EXPECT_EQ(show(0.5, "#.##"), ".5");
    EXPECT_EQ(show(1.25, "0.0#"), "1.25");
    EXPECT_EQ(show(1.2, "0.0#"), "1.2");
    EXPECT_EQ(show(7, "000"), "007");
}

TEST(NumberFormatFixed, GroupsAVeryLongDigitRunInOnePass)
{
    // Hundreds of thousands of forced digits: grouping them one separator at
    // a time would take minutes.
    const int zeros = 300000;
    const QString code = QStringLiteral("#,##") + QString(zeros, QLatin1Char('0'));
    const QString text = show(1234567, code);
    ASSERT_EQ(text.size(), zeros + (zeros - 1) / 3);
    EXPECT_TRUE(text.endsWith(QStringLiteral("0,001,234,567"))) << text.right(20).toStdString();
    EXPECT_TRUE(text.startsWith(QStringLiteral("000,000,"))) << text.left(20).toStdString();
    const QString negative = show(-1234567, code, QLatin1Char(','));
    EXPECT_TRUE(negative.startsWith(QStringLiteral("-000.")));
    EXPECT_TRUE(negative.endsWith(QStringLiteral("0.001.234.567")));
}

TEST(NumberFormatFixed, PercentScientificSectionsAndLiterals)
{
    EXPECT_EQ(show(0.125, "0%"), "13%");
    EXPECT_EQ(show(0.12345, "0.00%"), "12.35%");
    EXPECT_EQ(show(0.07, "0.00%", QLatin1Char(',')), "7,00%");
    EXPECT_EQ(show(12345.678, "0.00E+00"), "1.23E+04");
    EXPECT_EQ(show(0.00012345, "0.00E+00"), "1.23E-04");
    EXPECT_EQ(show(9.999e9, "0.00E+00"), "1.00E+10");
    EXPECT_EQ(show(0, "0.00E+00"), "0.00E+00");
    EXPECT_EQ(show(-1.5, "0.00;(0.00)"), "(1.50)");
    EXPECT_EQ(show(0, "0.00;(0.00);\"zero\""), "zero");
    EXPECT_EQ(show(0, "0.00;(0.00)"), "0.00");  // two sections: zero takes the first
    EXPECT_EQ(show(-5, "0;;0"), "");           // an empty section hides its values
    EXPECT_EQ(show(5, "0;;0"), "5");
    EXPECT_EQ(show(3, "0 \"pcs\""), "3 pcs");
    EXPECT_EQ(show(3, "[Red]0.0"), "3.0");
    EXPECT_EQ(show(2.5, "\"n=\"@"), "n=2.5");
    // The same code twice in a row and again after another: parsed once, same text.
    EXPECT_EQ(show(1.25, "0.0"), "1.3");
    EXPECT_EQ(show(1.25, "0.000"), "1.250");
    EXPECT_EQ(show(1.25, "0.0"), "1.3");
}

TEST(NumberFormatDate, CountsSerialDaysOfThe1900System)
{
    EXPECT_EQ(show(1, "yyyy-mm-dd"), "1900-01-01");
    EXPECT_EQ(show(59, "yyyy-mm-dd"), "1900-02-28");
    EXPECT_EQ(show(60, "yyyy-mm-dd"), "1900-02-29");  // the day that never was
    EXPECT_EQ(show(61, "yyyy-mm-dd"), "1900-03-01");
    EXPECT_EQ(show(0, "dd.mm.yyyy"), "00.01.1900");
    EXPECT_EQ(show(45000, "dd.mm.yyyy"), "15.03.2023");
    EXPECT_EQ(show(45000, "d.m.yy"), "15.3.23");
    EXPECT_EQ(show(45000, "mm/dd/yyyy"), "03/15/2023");
    EXPECT_EQ(show(45000, "ddd d mmm yyyy"), "Wed 15 Mar 2023");
    EXPECT_EQ(show(2958465, "yyyy-mm-dd"), "9999-12-31");
    EXPECT_EQ(show(2958466, "yyyy-mm-dd"), "########");
    EXPECT_EQ(show(-1, "yyyy-mm-dd"), "########");
    EXPECT_TRUE(sheet::isDateTimeFormat(QStringLiteral("dd.mm.yyyy")));
    EXPECT_FALSE(sheet::isDateTimeFormat(QStringLiteral("0.00E+00")));
    EXPECT_FALSE(sheet::isDateTimeFormat(QStringLiteral("General")));
}

TEST(NumberFormatDate, ShowsTimesRoundedToTheSecond)
{
    EXPECT_EQ(show(0.5, "hh:mm"), "12:00");
    EXPECT_EQ(show(0.75 + 1.0 / 86400 * 30, "hh:mm:ss"), "18:00:30");
    EXPECT_EQ(show(45000.25, "dd.mm.yyyy hh:mm"), "15.03.2023 06:00");
    // mm after hh is minutes; 10:29:40 shows 10:29 (no rounding up to 10:30).
    EXPECT_EQ(show((10 * 3600 + 29 * 60 + 40) / 86400.0, "h:mm"), "10:29");
    // 23:59:59.6 rounds to the next day's midnight.
    EXPECT_EQ(show(1 + 86399.6 / 86400, "dd.mm.yyyy hh:mm:ss"), "02.01.1900 00:00:00");
    EXPECT_EQ(show(13.5 / 24, "h:mm AM/PM"), "1:30 PM");
    EXPECT_EQ(show(0.0, "h AM/PM"), "12 AM");
    EXPECT_EQ(show(1.5, "[h]:mm"), "36:00");
    EXPECT_EQ(show((1.25) / 86400, "hh:mm:ss.00", QLatin1Char(',')), "00:00:01,25");
}

TEST(ShortestRoundTrip, ReadsBackExactly)
{
    for (double v : {0.1, 1.5, 1.0 / 3.0, 1e16, 1e-300, -123.456, 5e-324, 1.7976931348623157e308}) {
        const QString text = sheet::shortestRoundTrip(v);
        EXPECT_FALSE(text.contains(QLatin1Char(','))) << text.toStdString();
        EXPECT_EQ(text.toDouble(), v) << text.toStdString();
    }
    EXPECT_EQ(sheet::shortestRoundTrip(0.1), "0.1");
    EXPECT_EQ(sheet::shortestRoundTrip(2), "2");
}
