// The formula language and its spreadsheet semantics: operators, coercion,
// comparisons with near ties, functions over references, errors, names.
#include "components/sheet/spreadsheet.h"

#include <gtest/gtest.h>

using sheet::CellKind;
using sheet::ErrorCode;
using sheet::Spreadsheet;

namespace {

ErrorCode errorOf(Spreadsheet& book, int row, int col)
{
    const sheet::CellValue v = book.value(row, col);
    return v.kind == CellKind::Error ? v.error : ErrorCode::None;
}

// Evaluates a formula in Z1 of the book and gives its number.
double eval(Spreadsheet& book, const QString& formula)
{
    book.setFormula(1, 26, formula);
    return book.number(1, 26);
}

TEST(Formula, ArithmeticPrecedenceAndCoercion)
{
    Spreadsheet book;
    EXPECT_DOUBLE_EQ(eval(book, "=1+2*3"), 7);
    EXPECT_DOUBLE_EQ(eval(book, "=(1+2)*3"), 9);
    EXPECT_DOUBLE_EQ(eval(book, "=-2^2"), 4);       // negation binds before ^
    EXPECT_DOUBLE_EQ(eval(book, "=2^3^2"), 64);     // left to right
    EXPECT_DOUBLE_EQ(eval(book, "=50%*4"), 2);
    EXPECT_DOUBLE_EQ(eval(book, "=\"1\"+1"), 2);     // numeric text counts in arithmetic
    EXPECT_DOUBLE_EQ(eval(book, "=A5+3"), 3);        // empty cell is 0
    book.setFormula(1, 26, "=\"abc\"+1");
    EXPECT_EQ(errorOf(book, 1, 26), ErrorCode::Value);
    book.setFormula(1, 26, "=\"\"+1");
    EXPECT_EQ(errorOf(book, 1, 26), ErrorCode::Value);
    book.setFormula(1, 26, "=1/0");
    EXPECT_EQ(errorOf(book, 1, 26), ErrorCode::Div0);
    book.setFormula(1, 26, "=\"a\"&1.5&TRUE");
    EXPECT_EQ(book.text(1, 26), "a1.5TRUE");
}

TEST(Formula, NearTiesCancelAndCompareEqual)
{
    Spreadsheet book;
    // 21.29-13.28 and 17.34-9.33 differ in the last bit in IEEE arithmetic.
    EXPECT_DOUBLE_EQ(eval(book, "=IF((21.29-13.28)=(17.34-9.33),1,0)"), 1);
    EXPECT_DOUBLE_EQ(eval(book, "=IF((21.29-13.28)>(17.34-9.33),1,0)"), 0);
    EXPECT_EQ(eval(book, "=0.1+0.2-0.3"), 0.0);          // cancels exactly
    EXPECT_DOUBLE_EQ(eval(book, "=IF(9007199254740992=9007199254740993,1,0)"), 1);  // same double
    EXPECT_DOUBLE_EQ(eval(book, "=IF(1E15=1E15+1,1,0)"), 0);  // distinct integers never tie
    EXPECT_DOUBLE_EQ(eval(book, "=IF(0=1E-300,1,0)"), 0);     // zero equals only zero
    // A column of the same decimal has no spread.
    for (int r = 1; r <= 7; ++r) book.setText(r, 1, "0.1");
    EXPECT_EQ(eval(book, "=STDEV(A1:A7)"), 0.0);
    EXPECT_EQ(eval(book, "=STDEVP(A1:A7)"), 0.0);
}

TEST(Formula, ComparisonsAcrossKinds)
{
    Spreadsheet book;
    book.setText(1, 1, "Mittel");
    book.setNumber(2, 1, 5);
    EXPECT_EQ(book.value(1, 1).kind, CellKind::Text);
    EXPECT_DOUBLE_EQ(eval(book, "=IF(A2<A1,1,0)"), 1);            // number < text
    EXPECT_DOUBLE_EQ(eval(book, "=IF(\"abc\"=\"ABC\",1,0)"), 1);  // case ignored
    EXPECT_DOUBLE_EQ(eval(book, "=IF(\"b\">\"A\",1,0)"), 1);
    EXPECT_DOUBLE_EQ(eval(book, "=IF(TRUE>\"zzz\",1,0)"), 1);     // text < boolean
    EXPECT_DOUBLE_EQ(eval(book, "=IF(A9=0,1,0)"), 1);             // empty equals 0
    EXPECT_DOUBLE_EQ(eval(book, "=IF(A9=\"\",1,0)"), 1);          // and ""
}

TEST(Formula, FunctionsOverReferencesSkipNonNumbers)
{
    Spreadsheet book;
    book.setNumber(1, 1, 2);
    book.setText(2, 1, "x");
    book.setBoolean(3, 1, true);
    book.setNumber(4, 1, 4);
    book.setFormula(5, 1, "=\"\"");  // empty text
    EXPECT_DOUBLE_EQ(eval(book, "=SUM(A1:A6)"), 6);
    EXPECT_DOUBLE_EQ(eval(book, "=AVERAGE(A1:A6)"), 3);
    EXPECT_DOUBLE_EQ(eval(book, "=COUNT(A1:A6)"), 2);
    EXPECT_DOUBLE_EQ(eval(book, "=COUNTA(A1:A6)"), 5);
    EXPECT_DOUBLE_EQ(eval(book, "=MAX(A1:A6)"), 4);
    EXPECT_DOUBLE_EQ(eval(book, "=MIN(A1:A6)"), 2);
    EXPECT_DOUBLE_EQ(eval(book, "=MIN(B1:B6)"), 0);  // no numbers
    EXPECT_DOUBLE_EQ(eval(book, "=SUM(1,TRUE,\"2\")"), 4);  // direct values are converted
    EXPECT_DOUBLE_EQ(eval(book, "=COUNTIF(A1:A6,\">1\")"), 2);
    EXPECT_DOUBLE_EQ(eval(book, "=COUNTIF(A1:A6,\"X\")"), 1);
    EXPECT_DOUBLE_EQ(eval(book, "=STDEV(A1:A6)"), std::sqrt(2.0));
    EXPECT_DOUBLE_EQ(eval(book, "=STDEVP(A1:A6)"), 1);
    EXPECT_DOUBLE_EQ(eval(book, "=IF(ISBLANK(A6),1,0)+IF(ISBLANK(A5),10,0)"), 1);  // "" is not blank
    EXPECT_DOUBLE_EQ(eval(book, "=IF(ISTEXT(A5),1,0)+IF(ISNUMBER(A3),10,0)"), 1);
    EXPECT_DOUBLE_EQ(eval(book, "=ROUND(2.675,2)"), 2.68);
    EXPECT_DOUBLE_EQ(eval(book, "=ROUND(-2.5,0)"), -3);
    // Places far beyond any digit, past the range of an int.
    EXPECT_DOUBLE_EQ(eval(book, "=ROUND(1.25,1E10)"), 1.25);
    EXPECT_DOUBLE_EQ(eval(book, "=ROUND(-123,-3E9)"), 0);
    EXPECT_DOUBLE_EQ(eval(book, "=ROUND(5E307,-400)"), 0);
    EXPECT_DOUBLE_EQ(eval(book, "=ROUND(5E307,-308)"), 1E308);
    EXPECT_DOUBLE_EQ(eval(book, "=INT(-1.5)"), -2);
    EXPECT_DOUBLE_EQ(eval(book, "=ABS(-3)+SQRT(16)"), 7);
    EXPECT_DOUBLE_EQ(eval(book, "=COLUMN(C1)*10+ROW(C2)"), 32);
    EXPECT_DOUBLE_EQ(eval(book, "=IF(AND(1,TRUE),1,0)+IF(OR(0,FALSE),10,0)+IF(NOT(0),100,0)"), 101);
}

TEST(Formula, ErrorsPropagateAndAreRecognised)
{
    Spreadsheet book;
    book.setFormula(1, 1, "=1/0");
    book.setFormula(1, 2, "=A1+1");
    book.setFormula(1, 3, "=SUM(A1:A3)");
    EXPECT_EQ(errorOf(book, 1, 2), ErrorCode::Div0);
    EXPECT_EQ(errorOf(book, 1, 3), ErrorCode::Div0);
    EXPECT_DOUBLE_EQ(eval(book, "=COUNT(A1:B1)"), 0);  // COUNT skips errors
    EXPECT_DOUBLE_EQ(eval(book, "=IF(ISERROR(B1),1,0)"), 1);
    EXPECT_DOUBLE_EQ(eval(book, "=COUNTIF(A1:C1,\">0\")"), 0);
    EXPECT_EQ(book.text(1, 2), "#DIV/0!");
    EXPECT_EQ(book.cellType(1, 2), sheet::CellType::FormulaError);

    book.setFormula(2, 1, "=NOSUCHFUNCTION(1,2)");
    EXPECT_EQ(errorOf(book, 2, 1), ErrorCode::Name);
    book.setFormula(2, 2, "=UndefinedName+1");
    EXPECT_EQ(errorOf(book, 2, 2), ErrorCode::Name);
    // A relative reference pushed past the last row by a fill is off the sheet.
    book.setFormula(1, 4, "=D1048576");
    book.selectRange(1, 4, 2, 4);
    book.fillDown();
    EXPECT_EQ(book.formula(2, 4), "=#REF!");
    EXPECT_EQ(errorOf(book, 2, 4), ErrorCode::Ref);
}

TEST(Formula, IfRunsOnlyTheTakenBranch)
{
    Spreadsheet book;
    EXPECT_DOUBLE_EQ(eval(book, "=IF(1,2,1/0)"), 2);        // the error branch is not taken
    EXPECT_DOUBLE_EQ(eval(book, "=IF(0,1/0,3)"), 3);
    EXPECT_DOUBLE_EQ(eval(book, "=IF(1,,3)"), 0);           // an empty branch is 0
    EXPECT_DOUBLE_EQ(eval(book, "=IF(0,2,IF(1,4,5))+1"), 5);
    book.setFormula(1, 26, "=IF(0,2)");
    EXPECT_EQ(book.text(1, 26), "FALSE");
    book.setFormula(1, 26, "=IF(1/0,2,3)+1");               // an error condition is the result
    EXPECT_EQ(errorOf(book, 1, 26), ErrorCode::Div0);
    book.setFormula(1, 26, "=IF(\"maybe\",2,3)");
    EXPECT_EQ(errorOf(book, 1, 26), ErrorCode::Value);
    book.setFormula(1, 26, "=if(A1>0, \"yes\" ,\"\")");
    EXPECT_EQ(book.formula(1, 26), "=IF(A1>0,\"yes\",\"\")");
    EXPECT_EQ(book.cellType(1, 26), sheet::CellType::FormulaText);
    EXPECT_TRUE(book.text(1, 26).isEmpty());
}

TEST(Formula, UnparsableTextThrows)
{
    Spreadsheet book;
    for (const char* bad : {"=1+", "=(1+2", "=SUM(1,2", "=1 2", "=\"open", "=A1:", "=$", "=", "=#BAD!",
                            "=ABS()", "=IF(1)"}) {
        EXPECT_THROW(book.setFormula(1, 1, QString::fromLatin1(bad)), sheet::SheetError) << bad;
    }
    EXPECT_EQ(book.cellType(1, 1), sheet::CellType::Empty);  // nothing stored
    // Deep nesting is refused instead of exhausting the stack; modest nesting works.
    EXPECT_THROW(book.setFormula(1, 1, QString(100000, u'(') + "1" + QString(100000, u')')), sheet::SheetError);
    EXPECT_THROW(book.setFormula(1, 1, "=" + QString(100000, u'-') + "1"), sheet::SheetError);
    book.setFormula(1, 1, QString(50, u'(') + "2" + QString(50, u')'));
    EXPECT_DOUBLE_EQ(book.number(1, 1), 2);
}

TEST(Formula, NamesSpelledLikeFunctions)
{
    Spreadsheet book;
    book.setNumber(4, 5, 10);
    book.setNumber(10, 5, -3);
    book.setDefinedName("Max", "$E$4");
    book.setDefinedName("MIN", "$E$10");
    book.setFormula(1, 1, "=IF(1>0,Max,MIN)");
    book.setFormula(1, 2, "=max(MIN,1)+min(Max,2)");
    book.setFormula(1, 3, "=Max-mIn");
    EXPECT_DOUBLE_EQ(book.number(1, 1), 10);
    EXPECT_DOUBLE_EQ(book.number(1, 2), 3);
    EXPECT_DOUBLE_EQ(book.number(1, 3), 13);
    EXPECT_EQ(book.definedName("max"), "$E$4");
    EXPECT_EQ(book.formula(1, 2), "=MAX(MIN,1)+MIN(Max,2)");
    // Redefining a name changes the formulas that use it.
    book.setDefinedName("max", "$E$10");
    EXPECT_DOUBLE_EQ(book.number(1, 3), 0);
}

TEST(Formula, CellTextsAndTypes)
{
    Spreadsheet book;
    book.setDecimalSeparator(u',');
    book.setText(1, 1, "1,5");
    book.setText(2, 1, "2.5");
    book.setText(3, 1, "1.234,5");
    book.setText(4, 1, "");
    EXPECT_EQ(book.cellType(1, 1), sheet::CellType::Number);
    EXPECT_DOUBLE_EQ(book.number(1, 1), 1.5);
    EXPECT_DOUBLE_EQ(book.number(2, 1), 2.5);
    EXPECT_EQ(book.cellType(3, 1), sheet::CellType::Text);
    EXPECT_EQ(book.cellType(4, 1), sheet::CellType::Empty);
    EXPECT_EQ(book.text(1, 1), "1,5");
    book.setFormula(5, 1, "=A1*2");
    EXPECT_EQ(book.cellType(5, 1), sheet::CellType::FormulaNumber);
    EXPECT_EQ(book.formattedText(5, 1), "3");
    book.setFormula(6, 1, "=\"x\"");
    EXPECT_EQ(book.cellType(6, 1), sheet::CellType::FormulaText);
    EXPECT_EQ(book.lastRow(), 6);
    EXPECT_EQ(book.lastCol(), 1);
    book.setText(6, 1, "");
    EXPECT_EQ(book.lastRow(), 5);
}

TEST(CellTypes, FormulaResultsCountAsTheirValues)
{
    Spreadsheet book;
    book.setNumber(1, 1, 2);
    book.setFormula(2, 1, "=A1>1");
    book.setFormula(3, 1, "=1/0");
    book.setFormula(4, 1, "=A1");
    EXPECT_EQ(book.cellType(2, 1), sheet::CellType::FormulaBoolean);
    EXPECT_EQ(book.cellType(3, 1), sheet::CellType::FormulaError);
    EXPECT_EQ(sheet::valueType(book.cellType(2, 1)), sheet::CellType::Boolean);
    EXPECT_EQ(sheet::valueType(book.cellType(3, 1)), sheet::CellType::Error);
    EXPECT_TRUE(sheet::isNumeric(book.cellType(1, 1)));
    EXPECT_TRUE(sheet::isNumeric(book.cellType(4, 1)));
    EXPECT_FALSE(sheet::isNumeric(book.cellType(2, 1)));
    EXPECT_FALSE(sheet::isNumeric(book.cellType(9, 9)));
    EXPECT_EQ(book.cellType(0, 1), sheet::CellType::Empty);  // outside the sheet
}

TEST(Formula, CyclesEndInAnErrorNotAHang)
{
    Spreadsheet book;
    book.setFormula(1, 1, "=B1+1");
    book.setFormula(1, 2, "=A1+1");
    EXPECT_EQ(errorOf(book, 1, 1), ErrorCode::Ref);
    book.setFormula(3, 1, "=A3+1");
    EXPECT_EQ(errorOf(book, 3, 1), ErrorCode::Ref);
    // Two columns each reading the other's row above: a cycle between the
    // column blocks but not between cells.
    book.setNumber(10, 3, 1);
    book.setNumber(10, 4, 1);
    book.setFormula(11, 3, "=D10+1");
    book.setFormula(11, 4, "=C10+1");
    book.selectRange(11, 3, 14, 4);
    book.fillDown();
    EXPECT_DOUBLE_EQ(book.number(14, 3), 5);
    EXPECT_DOUBLE_EQ(book.number(14, 4), 5);
}

}  // namespace
