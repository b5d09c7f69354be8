// A compiled formula: reverse Polish code with references stored relative to
// the cell that holds it (row/column offsets, or absolute positions where the
// text had "$"). Because nothing in it depends on the holding cell, one
// Formula is shared by every cell of a filled-down block.
#pragma once

#include "components/sheet/cell_address.h"
#include "components/sheet/sheet_types.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

namespace sheet {

// One axis of a reference: an absolute position (one-based) or an offset from
// the holding cell.
struct RefAxis {
    int value = 0;
    bool absolute = false;
    int resolve(int base) const { return absolute ? value : base + value; }
    bool operator==(const RefAxis&) const = default;
};

struct CellRef {
    RefAxis row;
    RefAxis col;
    bool operator==(const CellRef&) const = default;
};

enum class Op : std::uint8_t {
    Number,    // index: numbers[]
    String,    // index: strings[]
    Boolean,   // index: 0/1
    Error,     // index: ErrorCode
    Ref,       // index: refs[] (one cell)
    Range,     // index: refs[index], refs[index + 1]
    Name,      // index: names[] (the workbook's name slot)
    Paren,     // no effect on the value; keeps the text's parentheses
    Negate,
    Plus,      // unary plus
    Percent,
    Add, Subtract, Multiply, Divide, Power, Concat,
    Equal, NotEqual, Less, Greater, LessEqual, GreaterEqual,
    Call,      // index: function id, argc: argument count
    Missing,   // an empty argument such as in IF(A1,,2)
    // IF(c, a, b) compiles to: c JumpIfFalse a Jump b IfEnd, so that only the
    // taken branch runs. JumpIfFalse: index = first token of b (or of IfEnd
    // when there is no b); Jump: index = the token after IfEnd; IfEnd: argc
    // = 2 or 3, stands for the call when the formula is printed.
    JumpIfFalse,
    Jump,
    IfEnd,
};

struct Token {
    Op op;
    std::uint8_t argc = 0;
    std::int32_t index = 0;
    bool operator==(const Token&) const = default;
};

struct Formula {
    std::vector<Token> code;
    std::vector<double> numbers;
    std::vector<QString> strings;
    std::vector<CellRef> refs;
    std::vector<int> names;   // slots of the workbook's name table
    int maxStack = 0;

    // True when the result cannot depend on the holding cell: no relative
    // reference and no ROW()/COLUMN() of the own cell. A block of such
    // formulas is evaluated once and the result copied.
    bool positionIndependent() const;

    // False when the result can only be a number, boolean, error or the
    // empty text: evaluating it never adds to the sheet's text pool and
    // formats nothing, so such blocks may be evaluated side by side.
    bool mayGiveText() const;

    bool sameAs(const Formula& other) const
    {
        return code == other.code && numbers == other.numbers && strings == other.strings
               && refs == other.refs && names == other.names;
    }
};

using FormulaPtr = std::shared_ptr<const Formula>;

}  // namespace sheet
