// Column-wise evaluation of a filled-down block: the block's shared formula
// runs over a chunk of rows at a time, each token applied to every row of the
// chunk before the next token. Each row still gets exactly the operations the
// cell-by-cell loop would give it (the steps of evaluator_steps.h and the
// same near-tie helpers), so the results agree to the last bit.
//
// A stack entry of the chunk is a lane. Where every row's value is a plain
// number (or every one a boolean) the lane is an array of doubles and the
// operators run as tight loops over it; a constant, a fixed reference or a
// reference into a column at a fixed row distance is kept as one value; only
// what is mixed or unusual (texts, errors, ranges, function calls) is held as
// one general value per row and goes through the shared per-cell steps. A
// fast loop that meets a case it does not cover (a division by zero, an
// overflow) leaves the whole token to the per-cell steps.
//
// An IF splits the chunk's rows by their condition and runs each branch only
// over the rows that take it; a branch no row takes is not run at all.
#include "components/sheet/evaluator_steps.h"

#include <algorithm>

namespace sheet {

namespace {

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
    // block: a chain reading the row above goes cell by cell, top down.
    if (!columnWise || last - first + 1 < kMinBlockRows || blockReadsItself(formula, first, last, col)) {
        for (int row = first; row <= last; ++row) evaluateInto(formula, row, col);
        return;
    }
    m_stride = std::max(formula.maxStack, 1);
    m_chunk.resize(static_cast<size_t>(kChunkRows) * static_cast<size_t>(m_stride));
    m_lanes.resize(static_cast<size_t>(m_stride) + 1);
    // A number array per stack entry, then three scratch arrays.
    m_laneNumbers.resize(static_cast<size_t>(kChunkRows) * static_cast<size_t>(m_stride + 3));
    // Two row sets per IF nesting level, made before any is referenced.
    const auto ifs = std::count_if(formula.code.begin(), formula.code.end(),
                                   [](const Token& t) { return t.op == Op::JumpIfFalse; });
    if (m_rowSets.size() < static_cast<size_t>(3 * ifs)) m_rowSets.resize(static_cast<size_t>(3 * ifs));
    std::vector<std::uint16_t> all;
    const bool mayGiveText = formula.mayGiveText();
    m_col = col;
    Column& target = m_sheet.columns[static_cast<size_t>(col) - 1];
    for (int chunkFirst = first; chunkFirst <= last; chunkFirst += kChunkRows) {
        const int n = std::min(kChunkRows, last - chunkFirst + 1);
        m_chunkFirst = chunkFirst;
        if (!m_scratch.empty()) m_scratch.clear();
        all.resize(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i) all[static_cast<size_t>(i)] = static_cast<std::uint16_t>(i);
        const RowSet rows{all.data(), n};
        // The chunk's values may point into the sheet's text pool: make room
        // for every text result before evaluating, so that neither the
        // reservation nor storing one result moves texts the chunk refers to.
        std::vector<QString>& pool = m_sheet.texts;
        if (mayGiveText && pool.capacity() < pool.size() + static_cast<size_t>(n))
            pool.reserve(std::max(pool.size() + static_cast<size_t>(n), 2 * pool.capacity()));
        const int depth = runSpan(formula, 0, formula.code.size(), 0, 0, rows);
        const Lane& result = m_lanes[static_cast<size_t>(depth) - 1];
        if (result.kind == Lane::Numbers) {
            // Plain numbers or booleans: what store() writes for them.
            const double* x = laneNumbers(depth - 1);
            const std::uint8_t kind = kFormulaFlag | (result.booleans ? KindBoolean : KindNumber);
            std::fill(target.kinds.begin() + chunkFirst, target.kinds.begin() + chunkFirst + n, kind);
            std::copy(x, x + n, target.values.begin() + chunkFirst);
            continue;
        }
        materialize(depth - 1, rows);
        for (int i = 0; i < n; ++i) {
            m_row = chunkFirst + i;
            const Value v = finalValue(rowStack(i)[depth - 1]);
            const size_t row = static_cast<size_t>(m_row);
            // What store() writes, for the kinds that need no text.
            switch (v.kind) {
            case VKind::Number: target.kinds[row] = kFormulaFlag | KindNumber; target.values[row] = v.number; break;
            case VKind::Boolean: target.kinds[row] = kFormulaFlag | KindBoolean; target.values[row] = v.number; break;
            case VKind::Error:
                target.kinds[row] = kFormulaFlag | KindError;
                target.values[row] = static_cast<double>(v.error);
                break;
            case VKind::Text:
                if (v.text->isEmpty()) {
                    target.kinds[row] = kFormulaFlag | KindEmptyText;
                    target.values[row] = 0.0;
                    break;
                }
                [[fallthrough]];
            default: store(v, m_row, col); break;
            }
        }
    }
}

// Writes lane d as one general value per row of the set.
void Evaluator::materialize(int d, RowSet rows)
{
    Lane& lane = m_lanes[static_cast<size_t>(d)];
    switch (lane.kind) {
    case Lane::Values: return;
    case Lane::Numbers: {
        const double* x = laneNumbers(d);
        Value v;
        v.kind = lane.booleans ? VKind::Boolean : VKind::Number;
        for (int k = 0; k < rows.count; ++k) {
            const int i = rows.rows[k];
            v.number = x[i];
            rowStack(i)[d] = v;
        }
        break;
    }
    case Lane::Single:
        for (int k = 0; k < rows.count; ++k) rowStack(rows.rows[k])[d] = lane.single;
        break;
    case Lane::Column:
    case Lane::ColumnRange: {
        // What the operand gives: a reference, or a range even of one cell.
        Value v;
        v.kind = lane.kind == Lane::Column ? VKind::Ref : VKind::Range;
        v.col1 = v.col2 = lane.col;
        const int bottom = lane.kind == Lane::Column ? lane.rowOffset : lane.rowOffset2;
        for (int k = 0; k < rows.count; ++k) {
            const int i = rows.rows[k];
            v.row1 = m_chunkFirst + i + lane.rowOffset;
            v.row2 = m_chunkFirst + i + bottom;
            rowStack(i)[d] = v;
        }
        break;
    }
    }
    lane.kind = Lane::Values;
}

// Turns lane d, held as general values, into an array of numbers when every
// row of the set holds a number (or every one a boolean).
void Evaluator::tighten(int d, RowSet rows)
{
    if (rows.count == 0) return;
    const VKind kind = rowStack(rows.rows[0])[d].kind;
    if (kind != VKind::Number && kind != VKind::Boolean) return;
    double* x = laneNumbers(d);
    for (int k = 0; k < rows.count; ++k) {
        const Value& v = rowStack(rows.rows[k])[d];
        if (v.kind != kind) return;
        x[rows.rows[k]] = v.number;
    }
    Lane& lane = m_lanes[static_cast<size_t>(d)];
    lane.kind = Lane::Numbers;
    lane.booleans = kind == VKind::Boolean;
}

// The numbers of lane d for the rows of the set, as arithmetic would convert
// them (booleans as 0/1, empty cells as 0) or, with forComparison, as a
// comparison with another number sees them (empty cells as 0, no booleans).
// Returns nullptr when some row holds anything else; a lane that is one
// number for every row gives `*constant` and no array.
const double* Evaluator::numericView(int d, RowSet rows, bool forComparison, double* scratch, bool* isConstant,
                                     double* constant)
{
    const Lane& lane = m_lanes[static_cast<size_t>(d)];
    *isConstant = false;
    switch (lane.kind) {
    case Lane::Numbers:
        if (forComparison && lane.booleans) return nullptr;
        return laneNumbers(d);
    case Lane::Single: {
        // A range would give each row its own cell (implicit intersection).
        if (lane.single.kind == VKind::Range) return nullptr;
        const Value v = scalar(lane.single);
        if (v.kind == VKind::Number || (v.kind == VKind::Boolean && !forComparison)) *constant = v.number;
        else if (v.kind == VKind::Empty) *constant = 0.0;
        else return nullptr;
        *isConstant = true;
        return scratch;
    }
    case Lane::Column: {
        const Column* c = m_sheet.column(lane.col);
        const int extent = c ? c->extent() : 0;
        for (int k = 0; k < rows.count; ++k) {
            const int i = rows.rows[k];
            const int row = m_chunkFirst + i + lane.rowOffset;
            if (row >= extent) { scratch[i] = 0.0; continue; }
            const std::uint8_t kind = c->kinds[static_cast<size_t>(row)] & kKindMask;
            if (kind == KindNumber) scratch[i] = c->values[static_cast<size_t>(row)];
            else if (kind == KindEmpty) scratch[i] = 0.0;
            else if (kind == KindBoolean && !forComparison) scratch[i] = c->values[static_cast<size_t>(row)];
            else return nullptr;
        }
        return scratch;
    }
    case Lane::ColumnRange: return nullptr;
    case Lane::Values:
        for (int k = 0; k < rows.count; ++k) {
            const int i = rows.rows[k];
            const Value& v = rowStack(i)[d];
            if (v.kind == VKind::Number || (v.kind == VKind::Boolean && !forComparison)) scratch[i] = v.number;
            else return nullptr;
        }
        return scratch;
    }
    return nullptr;
}

// An arithmetic operator or comparison over two lanes of numbers; false when
// some row needs the general step (an operand that is no number, a division
// by zero, a result that is not finite).
template <Op op>
bool Evaluator::numericBinary(int d, RowSet rows)
{
    constexpr bool comparison = !(op == Op::Add || op == Op::Subtract || op == Op::Multiply || op == Op::Divide
                                  || op == Op::Power);
    double* xs = m_laneNumbers.data() + static_cast<size_t>(m_stride) * kChunkRows;
    double* ys = xs + kChunkRows;
    double* out = ys + kChunkRows;  // the lane is replaced only when every row succeeded
    bool xConstant, yConstant;
    double xValue = 0.0, yValue = 0.0;
    const double* x = numericView(d - 2, rows, comparison, xs, &xConstant, &xValue);
    if (!x) return false;
    const double* y = numericView(d - 1, rows, comparison, ys, &yConstant, &yValue);
    if (!y) return false;
    for (int k = 0; k < rows.count; ++k) {
        const int i = rows.rows[k];
        const double a = xConstant ? xValue : x[i];
        const double b = yConstant ? yValue : y[i];
        if constexpr (op == Op::Add) out[i] = neartie::add(a, b);
        else if constexpr (op == Op::Subtract) out[i] = neartie::subtract(a, b);
        else if constexpr (op == Op::Multiply) out[i] = a * b;
        else if constexpr (op == Op::Divide) {
            if (b == 0.0) return false;
            out[i] = a / b;
        } else if constexpr (op == Op::Power) {
            if (a == 0.0 && b <= 0.0) return false;
            out[i] = std::pow(a, b);
        } else {
            const int c = neartie::compare(a, b);
            bool r;
            if constexpr (op == Op::Equal) r = c == 0;
            else if constexpr (op == Op::NotEqual) r = c != 0;
            else if constexpr (op == Op::Less) r = c < 0;
            else if constexpr (op == Op::Greater) r = c > 0;
            else if constexpr (op == Op::LessEqual) r = c <= 0;
            else r = c >= 0;
            out[i] = r ? 1.0 : 0.0;
        }
        if constexpr (!comparison) {
            if (!std::isfinite(out[i])) return false;
        }
    }
    double* result = laneNumbers(d - 2);
    for (int k = 0; k < rows.count; ++k) result[rows.rows[k]] = out[rows.rows[k]];
    Lane& lane = m_lanes[static_cast<size_t>(d) - 2];
    lane.kind = Lane::Numbers;
    lane.booleans = comparison;
    return true;
}

// SUM over a stretch of one column that slides with the row (the rule
// windows): row by row, in order, the very sum the cell-by-cell step takes,
// sliding state included.
void Evaluator::sumWindows(const Formula& f, size_t pc, int d, RowSet rows)
{
    Lane& lane = m_lanes[static_cast<size_t>(d)];
    double* out = laneNumbers(d);
    Value range;
    range.kind = VKind::Range;
    range.col1 = range.col2 = lane.col;
    bool numbers = true;
    for (int k = 0; k < rows.count; ++k) {
        const int i = rows.rows[k];
        range.row1 = m_chunkFirst + i + lane.rowOffset;
        range.row2 = m_chunkFirst + i + lane.rowOffset2;
        const Value v = sumColumnRange(f, pc, range);
        if (numbers && v.kind == VKind::Number) {
            out[i] = v.number;
            continue;
        }
        if (numbers) {
            // The first error: the rows before it become general values too.
            numbers = false;
            Value n;
            n.kind = VKind::Number;
            for (int j = 0; j < k; ++j) {
                n.number = out[rows.rows[j]];
                rowStack(rows.rows[j])[d] = n;
            }
        }
        rowStack(i)[d] = v;
    }
    lane.kind = numbers ? Lane::Numbers : Lane::Values;
    lane.booleans = false;
}

// SUM whose arguments are all cells or stretches of one column at fixed row
// distances: per row, the compensated sum of the number cells in argument
// order, as the function itself adds them. False (nothing written) when some
// row meets an error, which the general step reports.
bool Evaluator::sumLanes(int base, int argc, RowSet rows)
{
    for (int j = base; j < base + argc; ++j) {
        const Lane::Kind kind = m_lanes[static_cast<size_t>(j)].kind;
        if (kind != Lane::Column && kind != Lane::ColumnRange) return false;
    }
    double* out = m_laneNumbers.data() + static_cast<size_t>(m_stride + 2) * kChunkRows;
    for (int k = 0; k < rows.count; ++k) {
        const int i = rows.rows[k];
        const int row = m_chunkFirst + i;
        neartie::Sum sum;
        for (int j = base; j < base + argc; ++j) {
            const Lane& lane = m_lanes[static_cast<size_t>(j)];
            const Column* c = m_sheet.column(lane.col);
            if (!c) continue;
            const int last = std::min(row + (lane.kind == Lane::Column ? lane.rowOffset : lane.rowOffset2),
                                      c->extent() - 1);
            const std::uint8_t* kinds = c->kinds.data();
            const double* values = c->values.data();
            for (int r = row + lane.rowOffset; r <= last; ++r) {
                const std::uint8_t kind = kinds[r] & kKindMask;
                if (kind == KindNumber) sum.add(values[r]);
                else if (kind == KindError) return false;
            }
        }
        const double x = sum.value();
        if (!std::isfinite(x)) return false;
        out[i] = x;
    }
    double* result = laneNumbers(base);
    for (int k = 0; k < rows.count; ++k) result[rows.rows[k]] = out[rows.rows[k]];
    m_lanes[static_cast<size_t>(base)].kind = Lane::Numbers;
    m_lanes[static_cast<size_t>(base)].booleans = false;
    return true;
}

template <Op op>
void Evaluator::binaryLane(int d, RowSet rows)
{
    if constexpr (op != Op::Concat) {
        if (numericBinary<op>(d, rows)) return;
    }
    materialize(d - 2, rows);
    materialize(d - 1, rows);
    for (int k = 0; k < rows.count; ++k) {
        const int i = rows.rows[k];
        m_row = m_chunkFirst + i;
        binaryStep<op>(rowStack(i) + d);
    }
    tighten(d - 2, rows);
}

int Evaluator::runSpan(const Formula& f, size_t begin, size_t end, int depth, int level, RowSet rows)
{
    const Token* const code = f.code.data();
    const int col = m_col;
    const int firstRow = m_chunkFirst + rows.rows[0];
    const int lastRow = m_chunkFirst + rows.rows[rows.count - 1];
    for (size_t pc = begin; pc < end; ++pc) {
        const Token& t = code[pc];
        Lane& top = m_lanes[static_cast<size_t>(depth)];  // the entry a push fills
        switch (t.op) {
        case Op::Number: case Op::String: case Op::Boolean: case Op::Error: case Op::Missing: case Op::Name:
            top.kind = Lane::Single;
            top.single = operand(f, t, firstRow, col);
            ++depth;
            break;
        case Op::Ref: {
            const CellRef& r = f.refs[static_cast<size_t>(t.index)];
            const int c = r.col.resolve(col);
            const int r1 = r.row.resolve(firstRow), r2 = r.row.resolve(lastRow);
            if (r.row.absolute || c < 1 || c > kMaxCols || r1 < 1 || r2 > kMaxRows) {
                // The same value on every row, or some row off the sheet.
                if (r.row.absolute || c < 1 || c > kMaxCols) {
                    top.kind = Lane::Single;
                    top.single = operand(f, t, firstRow, col);
                } else {
                    for (int k = 0; k < rows.count; ++k) {
                        const int i = rows.rows[k];
                        rowStack(i)[depth] = operand(f, t, m_chunkFirst + i, col);
                    }
                    top.kind = Lane::Values;
                }
            } else {
                top.kind = Lane::Column;
                top.col = c;
                top.rowOffset = r.row.value;
            }
            ++depth;
            break;
        }
        case Op::Range: {
            const CellRef& a = f.refs[static_cast<size_t>(t.index)];
            const CellRef& b = f.refs[static_cast<size_t>(t.index) + 1];
            const int c = a.col.resolve(col);
            const int top1 = firstRow + std::min(a.row.value, b.row.value);
            const int bottom2 = lastRow + std::max(a.row.value, b.row.value);
            if (!a.row.absolute && !b.row.absolute && b.col.resolve(col) == c && c >= 1 && c <= kMaxCols
                && top1 >= 1 && bottom2 <= kMaxRows) {
                // A stretch of one column that slides with the row.
                top.kind = Lane::ColumnRange;
                top.col = c;
                top.rowOffset = std::min(a.row.value, b.row.value);
                top.rowOffset2 = std::max(a.row.value, b.row.value);
                ++depth;
                break;
            }
            for (int k = 0; k < rows.count; ++k) {
                const int i = rows.rows[k];
                rowStack(i)[depth] = operand(f, t, m_chunkFirst + i, col);
            }
            top.kind = Lane::Values;
            ++depth;
            break;
        }
        case Op::Paren: break;
        case Op::Plus: case Op::Negate: case Op::Percent: {
            Lane& operandLane = m_lanes[static_cast<size_t>(depth) - 1];
            if (t.op != Op::Plus && operandLane.kind == Lane::Numbers) {
                // A number or boolean converts to itself; the result is a number.
                double* x = laneNumbers(depth - 1);
                for (int k = 0; k < rows.count; ++k) {
                    const int i = rows.rows[k];
                    x[i] = t.op == Op::Negate ? -x[i] : x[i] / 100.0;
                }
                operandLane.booleans = false;
                break;
            }
            if (t.op == Op::Plus
                && (operandLane.kind == Lane::Numbers
                    || (operandLane.kind == Lane::Single && operandLane.single.kind != VKind::Ref
                        && operandLane.single.kind != VKind::Range)))
                break;  // already a single value per row
            materialize(depth - 1, rows);
            for (int k = 0; k < rows.count; ++k) {
                const int i = rows.rows[k];
                m_row = m_chunkFirst + i;
                unaryStep(t.op, rowStack(i) + depth - 1);
            }
            tighten(depth - 1, rows);
            break;
        }
        case Op::Call: {
            const int argc = t.argc;
            const int base = depth - argc;
            if ((t.index == static_cast<int>(Fn::Or) || t.index == static_cast<int>(Fn::And)) && argc == 2
                && m_lanes[static_cast<size_t>(base)].kind == Lane::Numbers && m_lanes[static_cast<size_t>(base)].booleans
                && m_lanes[static_cast<size_t>(base) + 1].kind == Lane::Numbers
                && m_lanes[static_cast<size_t>(base) + 1].booleans) {
                // The rule flags: OR/AND of two comparisons.
                double* a = laneNumbers(base);
                const double* b = laneNumbers(base + 1);
                const bool isOr = t.index == static_cast<int>(Fn::Or);
                for (int k = 0; k < rows.count; ++k) {
                    const int i = rows.rows[k];
                    const bool x = a[i] != 0.0, y = b[i] != 0.0;
                    a[i] = (isOr ? (x || y) : (x && y)) ? 1.0 : 0.0;
                }
                depth = base + 1;
                break;
            }
            if (t.index == static_cast<int>(Fn::Sum) && argc == 1
                && m_lanes[static_cast<size_t>(base)].kind == Lane::ColumnRange) {
                sumWindows(f, pc, base, rows);
                break;
            }
            if (t.index == static_cast<int>(Fn::Sum) && sumLanes(base, argc, rows)) {
                depth = base + 1;
                break;
            }
            for (int j = base; j < depth; ++j) materialize(j, rows);
            for (int k = 0; k < rows.count; ++k) {
                const int i = rows.rows[k];
                m_row = m_chunkFirst + i;
                callStep(f, pc, t, rowStack(i) + depth);
            }
            depth = base + 1;
            m_lanes[static_cast<size_t>(base)].kind = Lane::Values;
            tighten(base, rows);
            break;
        }
        case Op::JumpIfFalse:
            pc = runIf(f, pc, depth, level, rows) - 1;
            break;
        case Op::Jump: case Op::IfEnd:
            // Not reached: runIf runs the branches up to these tokens only.
            break;
        default:
            if (withBinaryOperator(t.op, [&](auto op) { binaryLane<decltype(op)::value>(depth, rows); })) --depth;
            break;
        }
    }
    return depth;
}

// c JumpIfFalse a [Jump b] IfEnd, with c on top of the stack at depth:
// splits the rows by c, runs each branch over its rows and leaves the IF's
// value where c was. Gives the token after IfEnd.
size_t Evaluator::runIf(const Formula& f, size_t pc, int depth, int level, RowSet rows)
{
    const Token* const code = f.code.data();
    const size_t elseStart = static_cast<size_t>(code[pc].index);
    const bool noElse = code[elseStart].op == Op::IfEnd;
    const size_t thenEnd = noElse ? elseStart : elseStart - 1;
    const size_t after = noElse ? elseStart + 1 : static_cast<size_t>(code[elseStart - 1].index);
    const int d = depth - 1;
    std::vector<std::uint16_t>& taken = m_rowSets[static_cast<size_t>(3 * level)];
    std::vector<std::uint16_t>& notTaken = m_rowSets[static_cast<size_t>(3 * level + 1)];
    std::vector<std::uint16_t>& failed = m_rowSets[static_cast<size_t>(3 * level + 2)];
    taken.clear();
    notTaken.clear();
    failed.clear();
    Lane& condition = m_lanes[static_cast<size_t>(d)];
    if (condition.kind == Lane::Numbers) {
        const double* x = laneNumbers(d);
        for (int k = 0; k < rows.count; ++k) {
            const std::uint16_t i = rows.rows[k];
            (x[i] != 0.0 ? taken : notTaken).push_back(i);
        }
    } else {
        materialize(d, rows);
        const QChar separator = m_book.decimalSeparator;
        for (int k = 0; k < rows.count; ++k) {
            const std::uint16_t i = rows.rows[k];
            m_row = m_chunkFirst + i;
            Value& top = rowStack(i)[d];
            bool value = false;
            const ErrorCode e = toBoolean(scalar(top), separator, &value);
            if (e != ErrorCode::None) {
                top = errorValue(e);  // the error is the result
                failed.push_back(i);
            } else {
                (value ? taken : notTaken).push_back(i);
            }
        }
    }
    const RowSet takenRows{taken.data(), static_cast<int>(taken.size())};
    const RowSet notTakenRows{notTaken.data(), static_cast<int>(notTaken.size())};

    // A branch's value: Missing counts as 0.
    auto zeroMissing = [&](RowSet set) {
        Lane& lane = m_lanes[static_cast<size_t>(d)];
        if (lane.kind == Lane::Single && lane.single.kind == VKind::Missing) lane.single = numberValue(0.0);
        if (lane.kind != Lane::Values) return;
        for (int k = 0; k < set.count; ++k) {
            Value& v = rowStack(set.rows[k])[d];
            if (v.kind == VKind::Missing) v = numberValue(0.0);
        }
    };
    Lane thenLane;
    if (takenRows.count > 0) {
        runSpan(f, pc + 1, thenEnd, d, level + 1, takenRows);
        zeroMissing(takenRows);
        thenLane = m_lanes[static_cast<size_t>(d)];
    }
    Lane elseLane;
    if (notTakenRows.count > 0) {
        if (noElse) {
            m_lanes[static_cast<size_t>(d)].kind = Lane::Single;
            m_lanes[static_cast<size_t>(d)].single = booleanValue(false);
        } else {
            runSpan(f, elseStart, after - 1, d, level + 1, notTakenRows);
            zeroMissing(notTakenRows);
        }
        elseLane = m_lanes[static_cast<size_t>(d)];
    }
    Lane& result = m_lanes[static_cast<size_t>(d)];
    if (failed.empty() && notTakenRows.count == 0) { result = thenLane; return after; }
    if (failed.empty() && takenRows.count == 0) { result = elseLane; return after; }

    // Both branches ran (or some rows failed): one lane for all rows. Numbers
    // when both sides are numbers of one sort, else general values.
    auto numberOf = [&](const Lane& lane, bool* booleans, double* single) {
        if (lane.kind == Lane::Numbers) { *booleans = lane.booleans; return 1; }
        if (lane.kind == Lane::Single && (lane.single.kind == VKind::Number || lane.single.kind == VKind::Boolean)) {
            *booleans = lane.single.kind == VKind::Boolean;
            *single = lane.single.number;
            return 2;
        }
        return 0;
    };
    bool thenBooleans = false, elseBooleans = false;
    double thenSingle = 0.0, elseSingle = 0.0;
    const int thenSort = numberOf(thenLane, &thenBooleans, &thenSingle);
    const int elseSort = numberOf(elseLane, &elseBooleans, &elseSingle);
    double* x = laneNumbers(d);
    if (failed.empty() && thenSort && elseSort && thenBooleans == elseBooleans) {
        if (thenSort == 2) for (std::uint16_t i : taken) x[i] = thenSingle;
        if (elseSort == 2) for (std::uint16_t i : notTaken) x[i] = elseSingle;
        result.kind = Lane::Numbers;
        result.booleans = thenBooleans;
        return after;
    }
    result = thenLane;
    materialize(d, takenRows);
    result = elseLane;
    materialize(d, notTakenRows);
    result.kind = Lane::Values;
    return after;
}

}  // namespace sheet
