// A sorted list of non-overlapping row runs [first, last] each carrying a
// value: how a column keeps its formulas (a filled-down block is one run) and
// its number formats, at a cost per block instead of per cell.
#pragma once

#include <algorithm>
#include <vector>

namespace sheet {

template <typename T>
struct Run {
    int first;
    int last;
    T value;
};

template <typename T>
class RunList {
public:
    using Runs = std::vector<Run<T>>;

    const Runs& runs() const { return m_runs; }
    Runs& runs() { return m_runs; }
    bool empty() const { return m_runs.empty(); }
    void clear() { m_runs.clear(); }

    // The run holding `row`, or nullptr.
    const Run<T>* find(int row) const
    {
        auto it = std::upper_bound(m_runs.begin(), m_runs.end(), row,
                                   [](int r, const Run<T>& run) { return r < run.first; });
        if (it == m_runs.begin()) return nullptr;
        --it;
        return row <= it->last ? &*it : nullptr;
    }

    // Removes rows first..last from every run, splitting runs that straddle
    // them. Only the runs that overlap are touched, so adding runs one after
    // another at the end of a column costs a constant each.
    void erase(int first, int last)
    {
        // The first run that ends at or after `first`, and one past the last
        // run that starts at or before `last`: [from, to) overlap the rows.
        auto from = std::lower_bound(m_runs.begin(), m_runs.end(), first,
                                     [](const Run<T>& run, int r) { return run.last < r; });
        auto to = std::upper_bound(from, m_runs.end(), last,
                                   [](int r, const Run<T>& run) { return r < run.first; });
        if (from == to) return;
        std::vector<Run<T>> pieces;
        if (from->first < first) pieces.push_back(Run<T>{from->first, first - 1, from->value});
        const Run<T>& tail = *(to - 1);
        if (tail.last > last) pieces.push_back(Run<T>{last + 1, tail.last, tail.value});
        const auto at = m_runs.erase(from, to);
        m_runs.insert(at, pieces.begin(), pieces.end());
    }

    // Gives rows first..last the value, replacing what they had, and merges
    // with neighbours that carry an equal value.
    void assign(int first, int last, T value)
    {
        erase(first, last);
        auto it = std::lower_bound(m_runs.begin(), m_runs.end(), first,
                                   [](const Run<T>& run, int r) { return run.first < r; });
        it = m_runs.insert(it, Run<T>{first, last, value});
        mergeAround(static_cast<size_t>(it - m_runs.begin()));
    }

    // Merges every pair of touching runs with equal values.
    void normalize()
    {
        Runs merged;
        merged.reserve(m_runs.size());
        for (const Run<T>& run : m_runs) {
            if (!merged.empty() && merged.back().last + 1 == run.first && merged.back().value == run.value)
                merged.back().last = run.last;
            else
                merged.push_back(run);
        }
        m_runs.swap(merged);
    }

private:
    void mergeAround(size_t index)
    {
        if (index + 1 < m_runs.size() && m_runs[index].last + 1 == m_runs[index + 1].first
            && m_runs[index].value == m_runs[index + 1].value) {
            m_runs[index].last = m_runs[index + 1].last;
            m_runs.erase(m_runs.begin() + static_cast<long>(index) + 1);
        }
        if (index > 0 && m_runs[index - 1].last + 1 == m_runs[index].first
            && m_runs[index - 1].value == m_runs[index].value) {
            m_runs[index - 1].last = m_runs[index].last;
            m_runs.erase(m_runs.begin() + static_cast<long>(index));
        }
    }

    Runs m_runs;
};

}  // namespace sheet
