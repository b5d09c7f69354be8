// Recalculation in dependency order. The unit of ordering is a formula group:
// one run of a column (a filled-down block or a single formula cell). Groups
// are sorted so that every group comes after the groups its references touch,
// then each is evaluated top to bottom. A group that reads its own column only
// above the current row (a running chain) is fine top to bottom. No recursion
// anywhere: a chain a million rows long costs a loop, not a stack.
//
// Groups that become ready together are evaluated as a wave; long blocks that
// can only give numbers, booleans, errors or the empty text are shared out
// over two threads (they write nothing but their own cells and read only
// finished ones).
//
// Groups caught in a cycle at group level (which may still be acyclic cell by
// cell, e.g. two columns each reading the other's row above) are evaluated by
// repeated row-major sweeps until nothing changes; what still changes after
// the sweep limit is a true circular reference and becomes #REF!.
#include "components/sheet/workbook.h"

#include "components/sheet/evaluator.h"

#include <algorithm>
#include <deque>
#include <thread>

namespace sheet {

namespace {

struct Group {
    int col;
    int first;
    int last;
    const Formula* formula;
};

struct Rect {
    int row1, col1, row2, col2;
    bool selfSafe;  // reading the own column here only looks strictly above
};

constexpr int kSweepLimit = 100;
// Blocks shorter than this are not worth a thread. A release on the chart
// window's bar refills some ten thousand rows: splitting those blocks too
// took about 2 ms off its 13 ms of filling.
constexpr long kParallelGroupRows = 5000;

// Every area a group's cells read, as rectangles over all its rows.
void collectRects(const Group& g, const NameTable& names, std::vector<Rect>& out)
{
    out.clear();
    const Formula& f = *g.formula;
    auto rowSpan = [&](const RefAxis& a, int* lo, int* hi) {
        if (a.absolute) { *lo = *hi = a.value; }
        else { *lo = g.first + a.value; *hi = g.last + a.value; }
    };
    for (const Token& t : f.code) {
        if (t.op == Op::Ref) {
            const CellRef& r = f.refs[static_cast<size_t>(t.index)];
            Rect rect;
            rowSpan(r.row, &rect.row1, &rect.row2);
            rect.col1 = rect.col2 = r.col.resolve(g.col);
            rect.selfSafe = !r.row.absolute && r.row.value < 0;
            out.push_back(rect);
        } else if (t.op == Op::Range) {
            const CellRef& a = f.refs[static_cast<size_t>(t.index)];
            const CellRef& b = f.refs[static_cast<size_t>(t.index) + 1];
            int a1, a2, b1, b2;
            rowSpan(a.row, &a1, &a2);
            rowSpan(b.row, &b1, &b2);
            Rect rect;
            rect.row1 = std::min(a1, b1);
            rect.row2 = std::max(a2, b2);
            const int ca = a.col.resolve(g.col), cb = b.col.resolve(g.col);
            rect.col1 = std::min(ca, cb);
            rect.col2 = std::max(ca, cb);
            rect.selfSafe = !a.row.absolute && !b.row.absolute && a.row.value < 0 && b.row.value < 0;
            out.push_back(rect);
        } else if (t.op == Op::Name) {
            const NameSlot& n = names.slot(f.names[static_cast<size_t>(t.index)]);
            if (!n.defined) continue;
            out.push_back(Rect{n.row1, n.col1, n.row2, n.col2, false});
        }
    }
}

// One row-major pass over the members: row by row, and within a row by
// column, each group evaluated on the rows it covers. Only the groups that
// cover a row are visited there (the active list, kept in column order), and
// rows no group covers are skipped, so a pass costs the cells it evaluates.
bool sweepOnce(Evaluator& evaluator, const std::vector<Group>& groups, const std::vector<int>& byStart)
{
    auto byColumn = [&](int a, int b) { return groups[a].col < groups[b].col; };
    bool changed = false;
    std::vector<int> active;
    size_t next = 0;
    int row = 0;
    while (next < byStart.size() || !active.empty()) {
        if (active.empty()) row = groups[byStart[next]].first;
        // Groups starting here join the active list in column order.
        const size_t before = active.size();
        while (next < byStart.size() && groups[byStart[next]].first == row) active.push_back(byStart[next++]);
        if (active.size() != before) {
            std::sort(active.begin() + static_cast<long>(before), active.end(), byColumn);
            std::inplace_merge(active.begin(), active.begin() + static_cast<long>(before), active.end(), byColumn);
        }
        bool ending = false;
        for (int m : active) {
            const Group& g = groups[m];
            changed |= evaluator.evaluateInto(*g.formula, row, g.col);
            ending |= g.last == row;
        }
        if (ending) std::erase_if(active, [&](int m) { return groups[m].last == row; });
        ++row;
    }
    return changed;
}

void sweepCycle(Workbook& book, Sheet& sheet, const std::vector<Group>& groups, const std::vector<int>& members)
{
    Evaluator evaluator(book, sheet);
    evaluator.slidingSums = false;
    std::vector<int> byStart = members;
    std::sort(byStart.begin(), byStart.end(), [&](int a, int b) { return groups[a].first < groups[b].first; });
    for (int pass = 0; pass < kSweepLimit; ++pass)
        if (!sweepOnce(evaluator, groups, byStart)) return;
    // Still moving: a circular reference.
    for (int m : members) {
        const Group& g = groups[m];
        Column& c = sheet.ensureColumn(g.col);
        for (int row = g.first; row <= g.last; ++row) {
            c.kinds[static_cast<size_t>(row)] = kFormulaFlag | KindError;
            c.values[static_cast<size_t>(row)] = static_cast<double>(ErrorCode::Ref);
        }
    }
}

// Evaluates a group top to bottom. A formula that reads only fixed cells
// (a limit line such as =KU) gives the same result on every row: it is
// evaluated once and copied, unless the result is a text that needs its own
// pool slot.
void evaluateGroup(Evaluator& evaluator, Sheet& sheet, const Group& g)
{
    evaluator.evaluateInto(*g.formula, g.first, g.col);
    if (g.last == g.first) return;
    Column& c = sheet.ensureColumn(g.col);
    const std::uint8_t kind = c.kinds[static_cast<size_t>(g.first)];
    if (g.formula->positionIndependent() && kind != (kFormulaFlag | KindText)) {
        const double value = c.values[static_cast<size_t>(g.first)];
        std::fill(c.kinds.begin() + g.first + 1, c.kinds.begin() + g.last + 1, kind);
        std::fill(c.values.begin() + g.first + 1, c.values.begin() + g.last + 1, value);
        return;
    }
    evaluator.evaluateRows(*g.formula, g.first + 1, g.last, g.col);
}

// The formula runs of every column as groups, in column order and within a
// column by row; columnGroups[c] is the [begin, end) of column c's groups.
std::vector<Group> collectGroups(const Sheet& sheet, std::vector<std::pair<int, int>>& columnGroups)
{
    std::vector<Group> groups;
    columnGroups.assign(sheet.columns.size() + 1, {0, 0});
    for (size_t i = 0; i < sheet.columns.size(); ++i) {
        const int begin = static_cast<int>(groups.size());
        for (const Run<FormulaPtr>& run : sheet.columns[i].formulas.runs())
            groups.push_back(Group{static_cast<int>(i) + 1, run.first, run.last, run.value.get()});
        columnGroups[i + 1] = {begin, static_cast<int>(groups.size())};
    }
    return groups;
}

// Which groups wait on which: an edge from every group a group reads to it.
struct Dependencies {
    std::vector<std::vector<int>> dependents;
    std::vector<int> indegree;
    std::vector<bool> selfBlocked;  // reads its own cells other than strictly above

    bool ready(int gi) const
    {
        return indegree[static_cast<size_t>(gi)] == 0 && !selfBlocked[static_cast<size_t>(gi)];
    }
};

Dependencies findDependencies(const Workbook& book, const Sheet& sheet, const std::vector<Group>& groups,
                              const std::vector<std::pair<int, int>>& columnGroups)
{
    const int n = static_cast<int>(groups.size());
    Dependencies deps;
    deps.dependents.resize(static_cast<size_t>(n));
    deps.indegree.assign(static_cast<size_t>(n), 0);
    deps.selfBlocked.assign(static_cast<size_t>(n), false);
    std::vector<int> lastMark(static_cast<size_t>(n), -1);
    std::vector<Rect> rects;
    const int columnCount = static_cast<int>(sheet.columns.size());

    for (int gi = 0; gi < n; ++gi) {
        const Group& g = groups[static_cast<size_t>(gi)];
        collectRects(g, book.names(), rects);
        for (const Rect& rect : rects) {
            const int c1 = std::max(rect.col1, 1), c2 = std::min(rect.col2, columnCount);
            for (int c = c1; c <= c2; ++c) {
                const auto [begin, end] = columnGroups[static_cast<size_t>(c)];
                // Runs of a column are sorted: find the first that can overlap.
                auto it = std::lower_bound(groups.begin() + begin, groups.begin() + end, rect.row1,
                                           [](const Group& h, int row) { return h.last < row; });
                for (; it != groups.begin() + end && it->first <= rect.row2; ++it) {
                    const int hi = static_cast<int>(it - groups.begin());
                    if (hi == gi) {
                        if (!rect.selfSafe) deps.selfBlocked[static_cast<size_t>(gi)] = true;
                        continue;
                    }
                    if (lastMark[static_cast<size_t>(hi)] == gi) continue;
                    lastMark[static_cast<size_t>(hi)] = gi;
                    deps.dependents[static_cast<size_t>(hi)].push_back(gi);
                    ++deps.indegree[static_cast<size_t>(gi)];
                }
            }
        }
    }
    return deps;
}

// Blocks that only give numbers, booleans, errors or "" write nothing but
// their own cells: split them over two threads, largest first, each to the
// lighter side.
void evaluateInParallel(Evaluator& evaluator, Evaluator& helperEvaluator, Sheet& sheet,
                        const std::vector<Group>& groups, std::vector<int> parallel)
{
    std::sort(parallel.begin(), parallel.end(), [&](int a, int b) {
        return groups[a].last - groups[a].first > groups[b].last - groups[b].first;
    });
    std::vector<int> mine, theirs;
    long mineRows = 0, theirRows = 0;
    for (int gi : parallel) {
        const long rows = groups[static_cast<size_t>(gi)].last - groups[static_cast<size_t>(gi)].first + 1;
        if (mineRows <= theirRows) { mine.push_back(gi); mineRows += rows; }
        else { theirs.push_back(gi); theirRows += rows; }
    }
    std::thread helper([&]() {
        for (int gi : theirs) evaluateGroup(helperEvaluator, sheet, groups[static_cast<size_t>(gi)]);
    });
    for (int gi : mine) evaluateGroup(evaluator, sheet, groups[static_cast<size_t>(gi)]);
    helper.join();
}

void recalculateSheet(Workbook& book, Sheet& sheet)
{
    std::vector<std::pair<int, int>> columnGroups;
    const std::vector<Group> groups = collectGroups(sheet, columnGroups);
    if (groups.empty()) return;
    const int n = static_cast<int>(groups.size());
    Dependencies deps = findDependencies(book, sheet, groups, columnGroups);

    std::deque<int> ready;
    for (int gi = 0; gi < n; ++gi)
        if (deps.ready(gi)) ready.push_back(gi);
    std::vector<bool> done(static_cast<size_t>(n), false);
    Evaluator evaluator(book, sheet);
    auto finish = [&](int gi) {
        done[static_cast<size_t>(gi)] = true;
        for (int d : deps.dependents[static_cast<size_t>(gi)]) {
            --deps.indegree[static_cast<size_t>(d)];
            if (deps.ready(d)) ready.push_back(d);
        }
    };
    Evaluator helperEvaluator(book, sheet);
    const bool twoCores = std::thread::hardware_concurrency() >= 2;
    while (!ready.empty()) {
        // One wave: every group whose inputs are all done.
        std::vector<int> wave(ready.begin(), ready.end());
        ready.clear();
        std::vector<int> serial, parallel;
        for (int gi : wave) {
            const Group& g = groups[static_cast<size_t>(gi)];
            const long rows = g.last - g.first + 1;
            if (twoCores && rows >= kParallelGroupRows && !g.formula->mayGiveText()
                && !g.formula->positionIndependent()) {
                parallel.push_back(gi);
            } else {
                serial.push_back(gi);
            }
        }
        for (int gi : serial) evaluateGroup(evaluator, sheet, groups[static_cast<size_t>(gi)]);
        if (parallel.size() >= 2) {
            evaluateInParallel(evaluator, helperEvaluator, sheet, groups, std::move(parallel));
        } else {
            for (int gi : parallel) evaluateGroup(evaluator, sheet, groups[static_cast<size_t>(gi)]);
        }
        for (int gi : wave) finish(gi);
    }
    // What is left waits on a cycle (or reads itself): sweep it.
    std::vector<int> left;
    for (int gi = 0; gi < n; ++gi)
        if (!done[static_cast<size_t>(gi)]) left.push_back(gi);
    if (!left.empty()) sweepCycle(book, sheet, groups, left);
}

}  // namespace

void Workbook::recalculate()
{
    m_dirty = false;
    for (int i = 0; i < sheetCount(); ++i) recalculateSheet(*this, sheet(i));
}

}  // namespace sheet
