// The formula interpreter: runs a formula's reverse Polish code on a value
// stack with desktop-spreadsheet semantics (see near_tie.h for the arithmetic
// and comparisons), and the worksheet functions.
#include "components/sheet/evaluator_steps.h"

#include <cmath>

namespace sheet {

Evaluator::Evaluator(Workbook& book, Sheet& sheet)
    : columnWise(book.columnWiseEvaluation), m_book(book), m_sheet(sheet)
{
    m_stack.resize(32);
}

const QString* Evaluator::keepText(QString text)
{
    m_scratch.push_back(std::move(text));
    return &m_scratch.back();
}


// The interpreter's hot loop, run once per formula cell: one switch over the
// code on a local value stack.
Value Evaluator::evaluate(const Formula& f, int row, int col)
{
    m_row = row;
    m_col = col;
    if (!m_scratch.empty()) m_scratch.clear();
    if (static_cast<int>(m_stack.size()) < f.maxStack) m_stack.resize(static_cast<size_t>(f.maxStack));
    Value* const base = m_stack.data();
    Value* sp = base;
    const QChar separator = m_book.decimalSeparator;

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
        case Op::Number: case Op::String: case Op::Boolean: case Op::Error: case Op::Missing:
        case Op::Ref: case Op::Range: case Op::Name:
            *sp++ = operand(f, t, row, col);
            break;
        case Op::Paren: break;
        case Op::Plus: case Op::Negate: case Op::Percent: unaryStep(t.op, sp - 1); break;
        case Op::Call: sp = callStep(f, pc, t, sp); break;
        default:
            if (withBinaryOperator(t.op, [&](auto op) { binaryStep<decltype(op)::value>(sp); })) --sp;
            break;
        }
    }
    return finalValue(sp[-1]);
}

bool Evaluator::evaluateInto(const Formula& formula, int row, int col)
{
    return store(evaluate(formula, row, col), row, col);
}

bool Evaluator::store(const Value& v, int row, int col)
{
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
