// The interpreter's steps, one per kind of token, shared by the cell-by-cell
// loop (evaluator.cpp) and the chunk-at-a-time loop (block_evaluator.cpp) so
// that both compute every cell with the very same operations. Each works on
// one cell's value stack; m_row and m_col name that cell.
#pragma once

#include "components/sheet/evaluator.h"
#include "components/sheet/functions.h"
#include "components/sheet/value_ops.h"
#include "components/sheet/workbook.h"

#include <type_traits>

namespace sheet {

// Integers below 2^40 add up exactly in any order.
inline constexpr double kExactIntegerLimit = 1099511627776.0;

// An integer below 2^40 in magnitude; false for NaN. Without a call to
// floor(), which is not an instruction on the baseline x86-64 target.
[[gnu::always_inline]] inline bool isModestInteger(double x)
{
    return std::fabs(x) < kExactIntegerLimit && x == static_cast<double>(static_cast<long long>(x));
}

// The contribution of one cell to a sliding integer sum; false when the cell
// holds an error or a number that is not a modest integer.
[[gnu::always_inline]] inline bool integerContribution(const Column& c, int row, double* out)
{
    if (row >= c.extent()) { *out = 0.0; return true; }
    const std::uint8_t k = c.kinds[static_cast<size_t>(row)] & kKindMask;
    if (k == KindNumber) {
        const double x = c.values[static_cast<size_t>(row)];
        if (!isModestInteger(x)) return false;
        *out = x;
        return true;
    }
    *out = 0.0;
    return k != KindError;
}

inline Value Evaluator::sumColumnRange(const Formula& formula, size_t pc, const Value& range)
{
    const Column* c = m_sheet.column(range.col1);
    if (!c) return numberValue(0.0);
    if (m_windows.size() <= pc) m_windows.resize(pc + 1);
    WindowSum& w = m_windows[pc];
    if (slidingSums && w.exact && w.formula == &formula && w.col == range.col1 && w.row1 + 1 == range.row1
        && w.row2 + 1 == range.row2) {
        double leaving = 0.0, coming = 0.0;
        if (integerContribution(*c, w.row1, &leaving) && integerContribution(*c, range.row2, &coming)) {
            w.sum = w.sum - leaving + coming;
            w.row1 = range.row1;
            w.row2 = range.row2;
            return numberValue(w.sum);
        }
    }
    neartie::Sum sum;
    bool exact = true;
    const int last = std::min(range.row2, c->extent() - 1);
    const std::uint8_t* kinds = c->kinds.data();
    const double* values = c->values.data();
    for (int r = range.row1; r <= last; ++r) {
        const std::uint8_t k = kinds[r] & kKindMask;
        if (k == KindNumber) {
            const double x = values[r];
            sum.add(x);
            exact = exact && isModestInteger(x);
        } else if (k == KindError) {
            w.exact = false;
            return errorValue(static_cast<ErrorCode>(static_cast<int>(values[r])));
        }
    }
    w = WindowSum{&formula, range.row1, range.row2, range.col1, sum.value(), exact};
    return numberValue(w.sum);
}

// The value an operand token pushes: a constant, or a reference resolved
// against the cell (row, col).
inline Value Evaluator::operand(const Formula& f, const Token& t, int row, int col) const
{
    switch (t.op) {
    case Op::Number: return numberValue(f.numbers[static_cast<size_t>(t.index)]);
    case Op::String: return textValue(&f.strings[static_cast<size_t>(t.index)]);
    case Op::Boolean: return booleanValue(t.index != 0);
    case Op::Error: return errorValue(static_cast<ErrorCode>(t.index));
    case Op::Ref: {
        const CellRef& r = f.refs[static_cast<size_t>(t.index)];
        const int rr = r.row.resolve(row), cc = r.col.resolve(col);
        if (rr < 1 || rr > kMaxRows || cc < 1 || cc > kMaxCols) return errorValue(ErrorCode::Ref);
        Value v;
        v.kind = VKind::Ref;
        v.row1 = v.row2 = rr;
        v.col1 = v.col2 = cc;
        return v;
    }
    case Op::Range: {
        const CellRef& a = f.refs[static_cast<size_t>(t.index)];
        const CellRef& b = f.refs[static_cast<size_t>(t.index) + 1];
        const int r1 = a.row.resolve(row), c1 = a.col.resolve(col);
        const int r2 = b.row.resolve(row), c2 = b.col.resolve(col);
        if (std::min(r1, r2) < 1 || std::max(r1, r2) > kMaxRows || std::min(c1, c2) < 1
            || std::max(c1, c2) > kMaxCols)
            return errorValue(ErrorCode::Ref);
        Value v;
        v.kind = VKind::Range;
        v.row1 = std::min(r1, r2);
        v.row2 = std::max(r1, r2);
        v.col1 = std::min(c1, c2);
        v.col2 = std::max(c1, c2);
        return v;
    }
    case Op::Name: {
        const NameSlot& n = m_book.names().slot(f.names[static_cast<size_t>(t.index)]);
        if (!n.defined) return errorValue(ErrorCode::Name);
        if (n.row2 > kMaxRows || n.col2 > kMaxCols) return errorValue(ErrorCode::Ref);
        Value v;
        v.kind = (n.row1 == n.row2 && n.col1 == n.col2) ? VKind::Ref : VKind::Range;
        v.row1 = n.row1;
        v.row2 = n.row2;
        v.col1 = n.col1;
        v.col2 = n.col2;
        return v;
    }
    default: { Value v; v.kind = VKind::Missing; return v; }  // Op::Missing
    }
}

// Unary plus, minus and percent on the top of the stack.
inline void Evaluator::unaryStep(Op op, Value* top) const
{
    if (op == Op::Plus) {
        *top = scalar(*top);
        return;
    }
    double x = 0.0;
    const ErrorCode e = toNumber(scalar(*top), m_book.decimalSeparator, &x);
    *top = e != ErrorCode::None ? errorValue(e) : numberValue(op == Op::Negate ? -x : x / 100.0);
}

// A binary operator on the two top entries; the result replaces the lower one.
template <Op op>
inline void Evaluator::binaryStep(Value* sp)
{
    const Value b = scalar(sp[-1]);
    const Value a = scalar(sp[-2]);
    Value& result = sp[-2];
    if constexpr (op == Op::Add || op == Op::Subtract || op == Op::Multiply || op == Op::Divide
                  || op == Op::Power) {
        const QChar separator = m_book.decimalSeparator;
        double x = 0.0, y = 0.0;
        ErrorCode e = toNumber(a, separator, &x);
        if (e == ErrorCode::None) e = toNumber(b, separator, &y);
        if (e != ErrorCode::None) { result = errorValue(e); return; }
        if constexpr (op == Op::Add) result = numberValue(neartie::add(x, y));
        else if constexpr (op == Op::Subtract) result = numberValue(neartie::subtract(x, y));
        else if constexpr (op == Op::Multiply) result = numberValue(x * y);
        else if constexpr (op == Op::Divide) result = y == 0.0 ? errorValue(ErrorCode::Div0) : numberValue(x / y);
        else if (x == 0.0 && y == 0.0) result = errorValue(ErrorCode::Num);
        else if (x == 0.0 && y < 0.0) result = errorValue(ErrorCode::Div0);
        else result = numberValue(std::pow(x, y));
    } else if constexpr (op == Op::Concat) {
        if (a.kind == VKind::Error) { result = a; return; }
        if (b.kind == VKind::Error) { result = b; return; }
        const QChar separator = m_book.decimalSeparator;
        auto asText = [&](const Value& v) -> QString {
            switch (v.kind) {
            case VKind::Number: return formatNumber(v.number, QStringLiteral("General"), separator);
            case VKind::Text: return *v.text;
            case VKind::Boolean: return v.number != 0.0 ? kTrueText : kFalseText;
            default: return QString();
            }
        };
        result = textValue(keepText(asText(a) + asText(b)));
    } else {
        if (a.kind == VKind::Error) { result = a; return; }
        if (b.kind == VKind::Error) { result = b; return; }
        const int c = compareScalars(a, b);
        if constexpr (op == Op::Equal) result = booleanValue(c == 0);
        else if constexpr (op == Op::NotEqual) result = booleanValue(c != 0);
        else if constexpr (op == Op::Less) result = booleanValue(c < 0);
        else if constexpr (op == Op::Greater) result = booleanValue(c > 0);
        else if constexpr (op == Op::LessEqual) result = booleanValue(c <= 0);
        else result = booleanValue(c >= 0);
    }
}

// Calls f with std::integral_constant<Op, op> when op is a binary operator;
// false for any other token. Both interpreter loops dispatch through it.
template <typename F>
inline bool withBinaryOperator(Op op, F&& f)
{
    switch (op) {
    case Op::Add: f(std::integral_constant<Op, Op::Add>{}); return true;
    case Op::Subtract: f(std::integral_constant<Op, Op::Subtract>{}); return true;
    case Op::Multiply: f(std::integral_constant<Op, Op::Multiply>{}); return true;
    case Op::Divide: f(std::integral_constant<Op, Op::Divide>{}); return true;
    case Op::Power: f(std::integral_constant<Op, Op::Power>{}); return true;
    case Op::Concat: f(std::integral_constant<Op, Op::Concat>{}); return true;
    case Op::Equal: f(std::integral_constant<Op, Op::Equal>{}); return true;
    case Op::NotEqual: f(std::integral_constant<Op, Op::NotEqual>{}); return true;
    case Op::Less: f(std::integral_constant<Op, Op::Less>{}); return true;
    case Op::Greater: f(std::integral_constant<Op, Op::Greater>{}); return true;
    case Op::LessEqual: f(std::integral_constant<Op, Op::LessEqual>{}); return true;
    case Op::GreaterEqual: f(std::integral_constant<Op, Op::GreaterEqual>{}); return true;
    default: return false;
    }
}

// A function call over the top argc entries; gives the new top of stack.
inline Value* Evaluator::callStep(const Formula& f, size_t pc, const Token& t, Value* sp)
{
    Value* args = sp - t.argc;
    if (t.index == static_cast<int>(Fn::Sum) && t.argc == 1 && args[0].kind == VKind::Range
        && args[0].col1 == args[0].col2) {
        // SUM over part of one column (the rule windows): a tight loop.
        args[0] = sumColumnRange(f, pc, args[0]);
        return sp;
    }
    if ((t.index == static_cast<int>(Fn::Or) || t.index == static_cast<int>(Fn::And)) && t.argc == 2
        && args[0].kind == VKind::Boolean && args[1].kind == VKind::Boolean) {
        // The rule flags: OR/AND of two comparisons.
        const bool a = args[0].number != 0.0, b = args[1].number != 0.0;
        args[0] = booleanValue(t.index == static_cast<int>(Fn::Or) ? (a || b) : (a && b));
        return args + 1;
    }
    if (t.index < 0) {
        // An unknown function.
        *args = errorValue(ErrorCode::Name);
    } else {
        call(t, args);
    }
    return args + 1;
}

// The result a finished stack leaves: the single value of its top entry.
inline Value Evaluator::finalValue(const Value& top) const
{
    Value result = scalar(top);
    if (result.kind == VKind::Empty || result.kind == VKind::Missing) result = numberValue(0.0);
    return result;
}

}  // namespace sheet
