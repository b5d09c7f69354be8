// The normality test on a worker thread; see background_normality.h.
#include "chart/background_normality.h"

#include <QFuture>
#include <QFutureWatcher>
#include <QPromise>
#include <QThreadPool>

namespace chart {

// What a worker hands back: the start it belongs to and its figures.
struct BackgroundNormality::Result {
    std::uint64_t generation = 0;
    capability::NormalityFigures figures;
    QString error;
};

BackgroundNormality::BackgroundNormality(ResultHandler onResult, Test test, QThreadPool* pool)
    : m_onResult(std::move(onResult)), m_test(std::move(test)),
      m_pool(pool ? pool : QThreadPool::globalInstance()),
      m_watcher(std::make_unique<QFutureWatcher<Result>>())
{
    QObject::connect(m_watcher.get(), &QFutureWatcherBase::finished, m_watcher.get(), [this] { deliver(); });
}

// The watcher goes with this object; a worker still running finishes into a
// future nobody watches, on values it holds itself.
BackgroundNormality::~BackgroundNormality() = default;

void BackgroundNormality::start(std::shared_ptr<const std::vector<double>> values)
{
    const std::uint64_t generation = ++m_generation;
    auto promise = std::make_shared<QPromise<Result>>();
    QFuture<Result> future = promise->future();
    promise->start();
    m_pending = true;
    // The worker gets copies of everything it reads: the shared values, the
    // test function and its generation, never `this`.
    m_pool->start([promise, values = std::move(values), test = m_test, generation] {
        Result result;
        result.generation = generation;
        try {
            result.figures = test(*values);
        } catch (const std::exception& error) {
            const auto failed = capability::Figure::failed(sheet::ErrorCode::Num);
            result.figures = {failed, failed, failed};
            result.error = QString::fromUtf8(error.what());
        }
        promise->addResult(std::move(result));
        promise->finish();
    });
    m_watcher->setFuture(future);
}

void BackgroundNormality::discard()
{
    ++m_generation;
    m_pending = false;
}

void BackgroundNormality::deliver()
{
    const QFuture<Result> future = m_watcher->future();
    if (future.resultCount() == 0)
        return;
    const Result result = future.resultAt(0);
    if (result.generation != m_generation)
        return;   // a fill came since: its own test is on the way
    m_pending = false;
    m_onResult(result.figures, result.error);
}

}  // namespace chart
