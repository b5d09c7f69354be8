// Column-wise evaluation of a filled-down block: the block's shared formula
// runs over a chunk of rows at a time, each token applied to every row of the
// chunk before the next token. The per-token dispatch, the reference
// resolution and the branch bookkeeping are paid once per chunk instead of
// once per cell, while each row still gets exactly the operations the
// cell-by-cell loop would give it (the steps in evaluator_steps.h), so the
// results agree to the last bit.
//
// An IF splits the chunk's rows by their condition and runs each branch only
// over the rows that take it; a branch no row takes is not run at all.
#include "components/sheet/evaluator_steps.h"

#include <algorithm>

namespace sheet {

namespace {

// Rows per chunk: the chunk's value stacks (rows x stack depth x 40 bytes)
// stay in the first- and second-level caches.
constexpr int kChunkRows = 128;
// Shorter blocks are not worth the set-up.
constexpr int kMinBlockRows = 4;

// The rows [lo, hi] a reference axis touches over the holding rows
// [first, last].
void axisSpan(const RefAxis& a, int first, int last, int* lo, int* hi)
{
    if (a.absolute) {
        *lo = *hi = a.value;
    } else {
        *lo = first + a.value;
        *hi = last + a.value;
    }
}

}  // namespace

bool Evaluator::blockReadsItself(const Formula& f, int first, int last, int col) const
{
    auto overlaps = [&](int r1, int r2, int c1, int c2) {
        return c1 <= col && col <= c2 && r1 <= last && first <= r2;
    };
    for (const Token& t : f.code) {
        if (t.op == Op::Ref) {
            const CellRef& r = f.refs[static_cast<size_t>(t.index)];
            int r1, r2, c1, c2;
            axisSpan(r.row, first, last, &r1, &r2);
            axisSpan(r.col, col, col, &c1, &c2);
            if (overlaps(r1, r2, c1, c2)) return true;
        } else if (t.op == Op::Range) {
            const CellRef& a = f.refs[static_cast<size_t>(t.index)];
            const CellRef& b = f.refs[static_cast<size_t>(t.index) + 1];
            int ar1, ar2, ac1, ac2, br1, br2, bc1, bc2;
            axisSpan(a.row, first, last, &ar1, &ar2);
            axisSpan(b.row, first, last, &br1, &br2);
            axisSpan(a.col, col, col, &ac1, &ac2);
            axisSpan(b.col, col, col, &bc1, &bc2);
            if (overlaps(std::min(ar1, br1), std::max(ar2, br2), std::min(ac1, bc1), std::max(ac2, bc2)))
                return true;
        } else if (t.op == Op::Name) {
            const NameSlot& n = m_book.names().slot(f.names[static_cast<size_t>(t.index)]);
            if (n.defined && overlaps(n.row1, n.row2, n.col1, n.col2)) return true;
        }
    }
    return false;
}

void Evaluator::evaluateRows(const Formula& formula, int first, int last, int col)
{
    // Column-wise only where no row can see another row's result of this
    // block (a chain reading the row above goes cell by cell, top down), and
    // where no result is a text: storing a text may move the sheet's text
    // pool, which the chunk's pending values point into.
    if (!columnWise || last - first + 1 < kMinBlockRows || formula.mayGiveText()
        || blockReadsItself(formula, first, last, col)) {
        for (int row = first; row <= last; ++row) evaluateInto(formula, row, col);
        return;
    }
    m_stride = std::max(formula.maxStack, 1);
    // Two row sets per IF nesting level, made before any is referenced.
    const auto ifs = std::count_if(formula.code.begin(), formula.code.end(),
                                   [](const Token& t) { return t.op == Op::JumpIfFalse; });
    if (m_rowSets.size() < static_cast<size_t>(2 * ifs)) m_rowSets.resize(static_cast<size_t>(2 * ifs));
    m_chunk.resize(static_cast<size_t>(kChunkRows) * static_cast<size_t>(m_stride));
    std::vector<std::uint16_t> all;
    m_col = col;
    for (int chunkFirst = first; chunkFirst <= last; chunkFirst += kChunkRows) {
        const int n = std::min(kChunkRows, last - chunkFirst + 1);
        m_chunkFirst = chunkFirst;
        if (!m_scratch.empty()) m_scratch.clear();
        all.resize(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i) all[static_cast<size_t>(i)] = static_cast<std::uint16_t>(i);
        const int depth = runSpan(formula, 0, formula.code.size(), 0, 0, all.data(), n);
        for (int i = 0; i < n; ++i) {
            m_row = chunkFirst + i;
            store(finalValue(rowStack(i)[depth - 1]), m_row, col);
        }
    }
}

int Evaluator::runSpan(const Formula& f, size_t begin, size_t end, int depth, int level,
                       const std::uint16_t* rows, int count)
{
    const Token* const code = f.code.data();
    const int col = m_col;
    // Runs `step` on the stack top of every row of the set, with the row's
    // position set for implicit intersection and ROW().
    auto forRows = [&](auto&& step) {
        for (int k = 0; k < count; ++k) {
            const int i = rows[k];
            m_row = m_chunkFirst + i;
            step(rowStack(i) + depth, m_row);
        }
    };
    for (size_t pc = begin; pc < end; ++pc) {
        const Token& t = code[pc];
        switch (t.op) {
        case Op::Number: case Op::String: case Op::Boolean: case Op::Error: case Op::Missing: {
            const Value v = operand(f, t, 0, col);
            forRows([&](Value* sp, int) { *sp = v; });
            ++depth;
            break;
        }
        case Op::Ref: case Op::Range: case Op::Name:
            forRows([&](Value* sp, int row) { *sp = operand(f, t, row, col); });
            ++depth;
            break;
        case Op::Paren: break;
        case Op::Plus: case Op::Negate: case Op::Percent:
            forRows([&](Value* sp, int) { unaryStep(t.op, sp - 1); });
            break;
        case Op::Add: forRows([&](Value* sp, int) { binaryStep<Op::Add>(sp); }); --depth; break;
        case Op::Subtract: forRows([&](Value* sp, int) { binaryStep<Op::Subtract>(sp); }); --depth; break;
        case Op::Multiply: forRows([&](Value* sp, int) { binaryStep<Op::Multiply>(sp); }); --depth; break;
        case Op::Divide: forRows([&](Value* sp, int) { binaryStep<Op::Divide>(sp); }); --depth; break;
        case Op::Power: forRows([&](Value* sp, int) { binaryStep<Op::Power>(sp); }); --depth; break;
        case Op::Concat: forRows([&](Value* sp, int) { binaryStep<Op::Concat>(sp); }); --depth; break;
        case Op::Equal: forRows([&](Value* sp, int) { binaryStep<Op::Equal>(sp); }); --depth; break;
        case Op::NotEqual: forRows([&](Value* sp, int) { binaryStep<Op::NotEqual>(sp); }); --depth; break;
        case Op::Less: forRows([&](Value* sp, int) { binaryStep<Op::Less>(sp); }); --depth; break;
        case Op::Greater: forRows([&](Value* sp, int) { binaryStep<Op::Greater>(sp); }); --depth; break;
        case Op::LessEqual: forRows([&](Value* sp, int) { binaryStep<Op::LessEqual>(sp); }); --depth; break;
        case Op::GreaterEqual:
            forRows([&](Value* sp, int) { binaryStep<Op::GreaterEqual>(sp); });
            --depth;
            break;
        case Op::Call:
            forRows([&](Value* sp, int) { callStep(f, pc, t, sp); });
            depth += 1 - t.argc;
            break;
        case Op::JumpIfFalse: {
            // c JumpIfFalse a [Jump b] IfEnd: split the rows by c.
            const size_t elseStart = static_cast<size_t>(t.index);
            const bool noElse = code[elseStart].op == Op::IfEnd;
            const size_t thenEnd = noElse ? elseStart : elseStart - 1;
            const size_t after = noElse ? elseStart + 1 : static_cast<size_t>(code[elseStart - 1].index);
            std::vector<std::uint16_t>& taken = m_rowSets[static_cast<size_t>(2 * level)];
            std::vector<std::uint16_t>& notTaken = m_rowSets[static_cast<size_t>(2 * level + 1)];
            taken.clear();
            notTaken.clear();
            const QChar separator = m_book.decimalSeparator;
            for (int k = 0; k < count; ++k) {
                const int i = rows[k];
                m_row = m_chunkFirst + i;
                Value& top = rowStack(i)[depth - 1];
                bool condition = false;
                const ErrorCode e = toBoolean(scalar(top), separator, &condition);
                if (e != ErrorCode::None) top = errorValue(e);  // the error is the result
                else (condition ? taken : notTaken).push_back(static_cast<std::uint16_t>(i));
            }
            // The branches leave their result where the condition was.
            auto zeroMissing = [&](const std::vector<std::uint16_t>& set) {
                for (std::uint16_t i : set) {
                    Value& top = rowStack(i)[depth - 1];
                    if (top.kind == VKind::Missing) top = numberValue(0.0);
                }
            };
            if (!taken.empty()) {
                runSpan(f, pc + 1, thenEnd, depth - 1, level + 1, taken.data(), static_cast<int>(taken.size()));
                zeroMissing(taken);
            }
            if (!notTaken.empty()) {
                if (noElse) {
                    for (std::uint16_t i : notTaken) rowStack(i)[depth - 1] = booleanValue(false);
                } else {
                    runSpan(f, elseStart, after - 1, depth - 1, level + 1, notTaken.data(),
                            static_cast<int>(notTaken.size()));
                    zeroMissing(notTaken);
                }
            }
            pc = after - 1;
            break;
        }
        case Op::Jump: case Op::IfEnd:
            // Not reached: the branches above run up to these tokens only.
            break;
        }
    }
    return depth;
}

}  // namespace sheet
