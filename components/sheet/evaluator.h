// Evaluates compiled formulas and stores their results in the cells' slots:
// one cell at a time, or a filled-down block a chunk of rows at a time
// (block_evaluator.cpp). Works on value stacks of plain structs: no
// allocation per cell on the common paths (texts are pointers into the pool
// or the formula).
#pragma once

#include "components/sheet/formula.h"
#include "components/sheet/sheet_store.h"

#include <deque>
#include <vector>

namespace sheet {

class Workbook;

enum class VKind : std::uint8_t { Number, Text, Boolean, Error, Empty, Ref, Range, Missing };

struct Value {
    VKind kind = VKind::Empty;
    ErrorCode error = ErrorCode::None;
    double number = 0.0;
    const QString* text = nullptr;
    int row1 = 0, col1 = 0, row2 = 0, col2 = 0;  // Ref: row1/col1; Range: all, normalised
};

class Evaluator {
public:
    Evaluator(Workbook& book, Sheet& sheet);

    // Evaluates `formula` as held by cell (row, col) and stores the result
    // there; true when the stored result changed.
    bool evaluateInto(const Formula& formula, int row, int col);
    // Evaluates and returns the scalar result (texts point into storage that
    // lives until the next evaluation).
    Value evaluate(const Formula& formula, int row, int col);
    // Evaluates `formula` as held by every cell of rows first..last of column
    // `col` and stores the results, top row first as far as any row can see.
    // With columnWise on, a block whose rows read none of its own cells is
    // evaluated a chunk of rows at a time.
    void evaluateRows(const Formula& formula, int first, int last, int col);

private:
    friend struct FunctionCall;
    [[gnu::always_inline]] inline Value cellValue(int row, int col) const;
    [[gnu::always_inline]] inline Value scalar(const Value& v) const;
    void call(const Token& t, Value* args);
    [[gnu::always_inline]] inline Value sumColumnRange(const Formula& formula, size_t pc, const Value& range);

    // The steps of the interpreter (evaluator_steps.h).
    inline Value operand(const Formula& f, const Token& t, int row, int col) const;
    inline void unaryStep(Op op, Value* top) const;
    template <Op op>
    inline void binaryStep(Value* sp);
    inline Value* callStep(const Formula& f, size_t pc, const Token& t, Value* sp);
    inline Value finalValue(const Value& top) const;
    bool store(const Value& v, int row, int col);

    // Column-wise evaluation (block_evaluator.cpp). Rows per chunk: the
    // chunk's lanes stay in the first- and second-level caches.
    static constexpr int kChunkRows = 128;
    // A stack entry of a chunk is a lane: one general value per row, an array
    // of numbers (or of booleans), one value for every row, or a reference to
    // a cell or a stretch of one column at a fixed row distance.
    struct Lane {
        enum Kind : std::uint8_t { Values, Numbers, Single, Column, ColumnRange } kind = Values;
        bool booleans = false;  // Numbers: every row a boolean (0/1)
        int col = 0, rowOffset = 0;  // Column, ColumnRange: the (top) cell's distance
        int rowOffset2 = 0;          // ColumnRange: the bottom cell's distance
        Value single;                // Single
    };
    struct RowSet {
        const std::uint16_t* rows;  // ascending offsets into the chunk
        int count;
    };
    bool blockReadsItself(const Formula& f, int first, int last, int col) const;
    int runSpan(const Formula& f, size_t begin, size_t end, int depth, int level, RowSet rows);
    size_t runIf(const Formula& f, size_t pc, int depth, int level, RowSet rows);
    template <Op op>
    void binaryLane(int d, RowSet rows);
    template <Op op>
    bool numericBinary(int d, RowSet rows);
    const double* numericView(int d, RowSet rows, bool forComparison, double* scratch, bool* isConstant,
                              double* constant);
    void materialize(int d, RowSet rows);
    void tighten(int d, RowSet rows);
    bool sumLanes(int base, int argc, RowSet rows);
    void sumWindows(const Formula& f, size_t pc, int d, RowSet rows);
    Value* rowStack(int i) { return m_chunk.data() + static_cast<size_t>(i) * static_cast<size_t>(m_stride); }
    double* laneNumbers(int d) { return m_laneNumbers.data() + static_cast<size_t>(d) * kChunkRows; }
    std::vector<Value> m_chunk;  // a value stack per row of the chunk, m_stride entries each
    std::vector<Lane> m_lanes;
    std::vector<double> m_laneNumbers;
    int m_stride = 1;
    int m_chunkFirst = 0;
    std::vector<std::vector<std::uint16_t>> m_rowSets;  // per IF level: rows taking each branch, rows failing

    // The last SUM over part of one column that each token computed. When the
    // next row's window is the same slid down by one row and every number in
    // it is a modest integer (rule flags), the sum is updated by the cell
    // that left and the one that came, which is exact for integers.
    struct WindowSum {
        const Formula* formula = nullptr;
        int row1 = 0, row2 = 0, col = 0;
        double sum = 0.0;
        bool exact = false;
    };
    std::vector<WindowSum> m_windows;

public:
    // Off while repeated sweeps may change cells between two rows.
    bool slidingSums = true;
    // Blocks may be evaluated a chunk of rows at a time (the workbook's
    // columnWiseEvaluation).
    bool columnWise = true;
    const QString* keepText(QString text);

    Workbook& m_book;
    Sheet& m_sheet;
    int m_row = 0, m_col = 0;
    std::vector<Value> m_stack;
    std::deque<QString> m_scratch;
    std::vector<double> m_numbers;
};

}  // namespace sheet
