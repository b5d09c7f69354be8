// The normality test of a fill on a worker thread. Over a few hundred
// thousand values the test (it sorts them all) holds the thread that runs
// it longer than a frame, so the control chart window hands long series
// here and fills the figures in when they arrive. Each start belongs to one
// fill: starting again or discarding drops every result of an earlier
// start, even one already on its way. The worker keeps the values alive
// itself, so the owner may go away with a test in flight; its result then
// goes nowhere. Widget-free: Qt Core only.
#pragma once

#include "capability/normality_test.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

class QThreadPool;
template <typename T> class QFutureWatcher;

namespace chart {

// Series at least this long are tested on a worker. The test takes about
// 32 ns per value of CPU on the development machine when no two values are
// alike (the slowest case): 250,000 values take 8 ms alone and about a frame
// (16 ms) on a machine busy with other work, as the program's users' are.
inline constexpr std::size_t kBackgroundNormalityValues = 250000;

class BackgroundNormality {
public:
    using Test = std::function<capability::NormalityFigures(std::span<const double>)>;
    // The figures, and the message of an error the test threw (empty when
    // none; the figures are then #NUM!).
    using ResultHandler = std::function<void(const capability::NormalityFigures&, const QString& error)>;

    // `test` runs on a thread of `pool` (the application's shared pool when
    // null); `onResult` is called on the owner's thread with the result of
    // the latest start only.
    explicit BackgroundNormality(ResultHandler onResult, Test test = capability::testNormality,
                                 QThreadPool* pool = nullptr);
    ~BackgroundNormality();
    BackgroundNormality(const BackgroundNormality&) = delete;
    BackgroundNormality& operator=(const BackgroundNormality&) = delete;

    // Tests `values` for a new fill; a result of an earlier start is dropped.
    void start(std::shared_ptr<const std::vector<double>> values);
    // Drops whatever is in flight (a new fill that is tested at once).
    void discard();
    // Whether a started test has not delivered its result yet.
    bool pending() const { return m_pending; }

private:
    struct Result;
    void deliver();

    ResultHandler m_onResult;
    Test m_test;
    QThreadPool* m_pool;
    std::unique_ptr<QFutureWatcher<Result>> m_watcher;
    std::uint64_t m_generation = 0;
    bool m_pending = false;
};

}  // namespace chart
