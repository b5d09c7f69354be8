// The formula interpreter: runs a formula's reverse Polish code on a value
// stack with desktop-spreadsheet semantics (see near_tie.h for the arithmetic
// and comparisons), and the worksheet functions.
#include "components/sheet/evaluator.h"

#include "components/sheet/functions.h"
#include "components/sheet/near_tie.h"
#include "components/sheet/near_tie.h"
#include "components/sheet/number_format.h"
#include "components/sheet/value_ops.h"
#include "components/sheet/workbook.h"

#include <cmath>

namespace sheet {


Evaluator::Evaluator(Workbook& book, Sheet& sheet) : m_book(book), m_sheet(sheet)
{
    m_stack.resize(32);
}

const QString* Evaluator::keepText(QString text)
{
    m_scratch.push_back(std::move(text));
    return &m_scratch.back();
}


namespace {

// Integers below 2^40 add up exactly in any order.
constexpr double kExactIntegerLimit = 1099511627776.0;

// The contribution of one cell to a sliding integer sum; false when the cell
// holds an error or a number that is not a modest integer.
bool integerContribution(const Column& c, int row, double* out)
{
    if (row >= c.extent()) { *out = 0.0; return true; }
    const std::uint8_t k = c.kinds[static_cast<size_t>(row)] & kKindMask;
    if (k == KindNumber) {
        const double x = c.values[static_cast<size_t>(row)];
        if (x != std::floor(x) || std::fabs(x) >= kExactIntegerLimit) return false;
        *out = x;
        return true;
    }
    *out = 0.0;
    return k != KindError;
}

}  // namespace

Value Evaluator::sumColumnRange(const Formula& formula, size_t pc, const Value& range)
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
            exact = exact && x == std::floor(x) && std::fabs(x) < kExactIntegerLimit;
        } else if (k == KindError) {
            w.exact = false;
            return errorValue(static_cast<ErrorCode>(static_cast<int>(values[r])));
        }
    }
    w = WindowSum{&formula, range.row1, range.row2, range.col1, sum.value(), exact};
    return numberValue(w.sum);
}

// The interpreter's hot loop, run once per formula cell: one switch over the
// code on a local value stack, kept whole so the compiler keeps it in registers.
Value Evaluator::evaluate(const Formula& f, int row, int col)
{
    m_row = row;
    m_col = col;
    if (!m_scratch.empty()) m_scratch.clear();
    if (static_cast<int>(m_stack.size()) < f.maxStack) m_stack.resize(static_cast<size_t>(f.maxStack));
    Value* const base = m_stack.data();
    Value* sp = base;
    const QChar separator = m_book.decimalSeparator;
    const NameTable& names = m_book.names();

    const Token* const code = f.code.data();
    const size_t codeSize = f.code.size();
    for (size_t pc = 0; pc < codeSize; ++pc) {
        const Token& t = code[pc];
        switch (t.op) {
        case Op::JumpIfFalse: {
            bool condition = false;
            const ErrorCode e = toBoolean(scalar(sp[-1]), separator, &condition);
            const size_t elseStart = static_cast<size_t>(t.index);
            const bool noElse = code[elseStart].op == Op::IfEnd;
            if (e != ErrorCode::None) {
                // The error is the result: skip both branches.
                sp[-1] = errorValue(e);
                pc = (noElse ? elseStart + 1 : static_cast<size_t>(code[elseStart - 1].index)) - 1;
                break;
            }
            --sp;
            if (condition) break;
            if (noElse) {
                *sp++ = booleanValue(false);
                pc = elseStart;  // past IfEnd
            } else {
                pc = elseStart - 1;
            }
            break;
        }
        case Op::Jump:
            if (sp[-1].kind == VKind::Missing) sp[-1] = numberValue(0.0);
            pc = static_cast<size_t>(t.index) - 1;
            break;
        case Op::IfEnd:
            if (sp[-1].kind == VKind::Missing) sp[-1] = numberValue(0.0);
            break;
        case Op::Number: *sp++ = numberValue(f.numbers[static_cast<size_t>(t.index)]); break;
        case Op::String: *sp++ = textValue(&f.strings[static_cast<size_t>(t.index)]); break;
        case Op::Boolean: *sp++ = booleanValue(t.index != 0); break;
        case Op::Error: *sp++ = errorValue(static_cast<ErrorCode>(t.index)); break;
        case Op::Missing: { Value v; v.kind = VKind::Missing; *sp++ = v; break; }
        case Op::Ref: {
            const CellRef& r = f.refs[static_cast<size_t>(t.index)];
            const int rr = r.row.resolve(row), cc = r.col.resolve(col);
            if (rr < 1 || rr > kMaxRows || cc < 1 || cc > kMaxCols) { *sp++ = errorValue(ErrorCode::Ref); break; }
            Value v;
            v.kind = VKind::Ref;
            v.row1 = v.row2 = rr;
            v.col1 = v.col2 = cc;
            *sp++ = v;
            break;
        }
        case Op::Range: {
            const CellRef& a = f.refs[static_cast<size_t>(t.index)];
            const CellRef& b = f.refs[static_cast<size_t>(t.index) + 1];
            const int r1 = a.row.resolve(row), c1 = a.col.resolve(col);
            const int r2 = b.row.resolve(row), c2 = b.col.resolve(col);
            if (std::min(r1, r2) < 1 || std::max(r1, r2) > kMaxRows || std::min(c1, c2) < 1
                || std::max(c1, c2) > kMaxCols) {
                *sp++ = errorValue(ErrorCode::Ref);
                break;
            }
            Value v;
            v.kind = VKind::Range;
            v.row1 = std::min(r1, r2);
            v.row2 = std::max(r1, r2);
            v.col1 = std::min(c1, c2);
            v.col2 = std::max(c1, c2);
            *sp++ = v;
            break;
        }
        case Op::Name: {
            const NameSlot& n = names.slot(f.names[static_cast<size_t>(t.index)]);
            if (!n.defined) { *sp++ = errorValue(ErrorCode::Name); break; }
            if (n.row2 > kMaxRows || n.col2 > kMaxCols) { *sp++ = errorValue(ErrorCode::Ref); break; }
            Value v;
            v.kind = (n.row1 == n.row2 && n.col1 == n.col2) ? VKind::Ref : VKind::Range;
            v.row1 = n.row1;
            v.row2 = n.row2;
            v.col1 = n.col1;
            v.col2 = n.col2;
            *sp++ = v;
            break;
        }
        case Op::Paren: break;
        case Op::Plus: sp[-1] = scalar(sp[-1]); break;
        case Op::Negate:
        case Op::Percent: {
            double x = 0.0;
            const ErrorCode e = toNumber(scalar(sp[-1]), separator, &x);
            sp[-1] = e != ErrorCode::None ? errorValue(e) : numberValue(t.op == Op::Negate ? -x : x / 100.0);
            break;
        }
        case Op::Add: case Op::Subtract: case Op::Multiply: case Op::Divide: case Op::Power: {
            const Value b = scalar(sp[-1]);
            const Value a = scalar(sp[-2]);
            --sp;
            double x = 0.0, y = 0.0;
            ErrorCode e = toNumber(a, separator, &x);
            if (e == ErrorCode::None) e = toNumber(b, separator, &y);
            if (e != ErrorCode::None) { sp[-1] = errorValue(e); break; }
            switch (t.op) {
            case Op::Add: sp[-1] = numberValue(neartie::add(x, y)); break;
            case Op::Subtract: sp[-1] = numberValue(neartie::subtract(x, y)); break;
            case Op::Multiply: sp[-1] = numberValue(x * y); break;
            case Op::Divide: sp[-1] = y == 0.0 ? errorValue(ErrorCode::Div0) : numberValue(x / y); break;
            default:
                if (x == 0.0 && y == 0.0) sp[-1] = errorValue(ErrorCode::Num);
                else if (x == 0.0 && y < 0.0) sp[-1] = errorValue(ErrorCode::Div0);
                else sp[-1] = numberValue(std::pow(x, y));
                break;
            }
            break;
        }
        case Op::Concat: {
            const Value b = scalar(sp[-1]);
            const Value a = scalar(sp[-2]);
            --sp;
            if (a.kind == VKind::Error) { sp[-1] = a; break; }
            if (b.kind == VKind::Error) { sp[-1] = b; break; }
            auto asText = [&](const Value& v) -> QString {
                switch (v.kind) {
                case VKind::Number: return formatNumber(v.number, QStringLiteral("General"), separator);
                case VKind::Text: return *v.text;
                case VKind::Boolean: return v.number != 0.0 ? kTrueText : kFalseText;
                default: return QString();
                }
            };
            sp[-1] = textValue(keepText(asText(a) + asText(b)));
            break;
        }
        case Op::Equal: case Op::NotEqual: case Op::Less: case Op::Greater:
        case Op::LessEqual: case Op::GreaterEqual: {
            const Value b = scalar(sp[-1]);
            const Value a = scalar(sp[-2]);
            --sp;
            if (a.kind == VKind::Error) { sp[-1] = a; break; }
            if (b.kind == VKind::Error) { sp[-1] = b; break; }
            const int c = compareScalars(a, b);
            bool r = false;
            switch (t.op) {
            case Op::Equal: r = c == 0; break;
            case Op::NotEqual: r = c != 0; break;
            case Op::Less: r = c < 0; break;
            case Op::Greater: r = c > 0; break;
            case Op::LessEqual: r = c <= 0; break;
            default: r = c >= 0; break;
            }
            sp[-1] = booleanValue(r);
            break;
        }
        case Op::Call: {
            Value* args = sp - t.argc;
            if (t.index == static_cast<int>(Fn::Sum) && t.argc == 1 && args[0].kind == VKind::Range
                && args[0].col1 == args[0].col2) {
                // SUM over part of one column (the rule windows): a tight loop.
                args[0] = sumColumnRange(f, pc, args[0]);
                break;
            }
            if ((t.index == static_cast<int>(Fn::Or) || t.index == static_cast<int>(Fn::And)) && t.argc == 2
                && args[0].kind == VKind::Boolean && args[1].kind == VKind::Boolean) {
                // The rule flags: OR/AND of two comparisons.
                const bool a = args[0].number != 0.0, b = args[1].number != 0.0;
                args[0] = booleanValue(t.index == static_cast<int>(Fn::Or) ? (a || b) : (a && b));
                sp = args + 1;
                break;
            }
            if (t.index < 0) {
                // An unknown function.
                *args = errorValue(ErrorCode::Name);
            } else {
                call(t, args);
            }
            sp = args + 1;
            break;
        }
        }
    }
    Value result = scalar(sp[-1]);
    if (result.kind == VKind::Empty || result.kind == VKind::Missing) result = numberValue(0.0);
    return result;
}

bool Evaluator::evaluateInto(const Formula& formula, int row, int col)
{
    const Value v = evaluate(formula, row, col);
    // A formula cell always has storage (setFormula made it), so no column
    // or row is created here: blocks may be evaluated side by side.
    Column& c = m_sheet.columns[static_cast<size_t>(col) - 1];
    std::uint8_t& kind = c.kinds[static_cast<size_t>(row)];
    double& slot = c.values[static_cast<size_t>(row)];
    const std::uint8_t oldKind = kind;
    const double oldSlot = slot;
    switch (v.kind) {
    case VKind::Number: kind = kFormulaFlag | KindNumber; slot = v.number; break;
    case VKind::Boolean: kind = kFormulaFlag | KindBoolean; slot = v.number; break;
    case VKind::Error: kind = kFormulaFlag | KindError; slot = static_cast<double>(v.error); break;
    case VKind::Text:
        if (v.text->isEmpty()) {
            kind = kFormulaFlag | KindEmptyText;
            slot = 0.0;
        } else if (kind == (kFormulaFlag | KindText)) {
            // Reuse the cell's pool slot so recalculation does not grow the pool.
            QString& stored = m_sheet.texts[static_cast<size_t>(slot)];
            if (stored == *v.text) return false;
            stored = *v.text;
            return true;
        } else {
            const QString copy = *v.text;
            slot = m_sheet.addText(copy);
            kind = kFormulaFlag | KindText;
        }
        break;
    default: kind = kFormulaFlag | KindNumber; slot = 0.0; break;
    }
    return kind != oldKind || (slot != oldSlot && !(std::isnan(slot) && std::isnan(oldSlot)));
}

}  // namespace sheet
