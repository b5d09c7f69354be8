// The normality test on a worker: only the latest start is delivered, also
// when an earlier one finishes last; discard drops a test in flight; the
// worker's values outlive the caller's copy and the owner itself; an error
// the test throws arrives as #NUM! with its message.
#include "chart/background_normality.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThreadPool>
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <stdexcept>

using capability::Figure;
using capability::NormalityFigures;

namespace {

// A test that holds the values starting with 1 until release(): lets a
// later start finish first, whichever worker thread picks which up first.
class HeldTest {
public:
    NormalityFigures operator()(std::span<const double> values)
    {
        if (values[0] == 1.0) {
            std::unique_lock lock(m_mutex);
            m_released.wait(lock, [this] { return m_free; });
        }
        return figuresOf(values);
    }
    void release()
    {
        std::lock_guard lock(m_mutex);
        m_free = true;
        m_released.notify_all();
    }
    // The statistic is the first value: says which start a result came from.
    static NormalityFigures figuresOf(std::span<const double> values)
    {
        return {Figure::of(values[0]), Figure::of(values[0]), Figure::of(double(values.size()))};
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_released;
    bool m_free = false;
};

std::shared_ptr<const std::vector<double>> valuesStartingWith(double first)
{
    return std::make_shared<const std::vector<double>>(std::vector<double>{first, 2.0, 3.0});
}

// Runs the event loop until the pool is idle and every queued delivery is done.
void settle(QThreadPool& pool)
{
    pool.waitForDone();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

class BackgroundNormalityTest : public ::testing::Test {
protected:
    QThreadPool pool;
    std::vector<double> delivered;   // statistic of each delivered result
    QStringList errors;
    std::shared_ptr<HeldTest> held = std::make_shared<HeldTest>();

    BackgroundNormalityTest() { pool.setMaxThreadCount(2); }
    // A failed check must not leave a worker held: the pool waits for it.
    void TearDown() override { held->release(); }

    std::unique_ptr<chart::BackgroundNormality> make()
    {
        return std::make_unique<chart::BackgroundNormality>(
            [this](const NormalityFigures& figures, const QString& error) {
                delivered.push_back(figures.statistic.value);
                if (!error.isEmpty()) errors << error;
            },
            [held = held](std::span<const double> values) { return (*held)(values); }, &pool);
    }
};

}  // namespace

TEST_F(BackgroundNormalityTest, AnEarlierStartFinishingLastIsDropped)
{
    auto worker = make();
    worker->start(valuesStartingWith(1.0));   // held until released
    worker->start(valuesStartingWith(2.0));
    QElapsedTimer clock;
    clock.start();
    while (delivered.empty() && clock.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_EQ(delivered, std::vector<double>{2.0});
    EXPECT_FALSE(worker->pending());

    held->release();   // the first start finishes now, after the second
    settle(pool);
    EXPECT_EQ(delivered, std::vector<double>{2.0});
}

TEST_F(BackgroundNormalityTest, DiscardDropsTheTestInFlightAndAStartAfterItIsDelivered)
{
    held->release();
    auto worker = make();
    worker->start(valuesStartingWith(1.0));
    EXPECT_TRUE(worker->pending());
    worker->discard();
    EXPECT_FALSE(worker->pending());
    settle(pool);
    EXPECT_TRUE(delivered.empty());

    worker->start(valuesStartingWith(3.0));
    settle(pool);
    EXPECT_EQ(delivered, std::vector<double>{3.0});
}

TEST_F(BackgroundNormalityTest, WorkerKeepsItsValuesWhenCallerAndOwnerAreGone)
{
    auto worker = make();
    {
        auto values = std::make_shared<std::vector<double>>(std::vector<double>{1.0, 8.0, 9.0, 10.0});
        worker->start(values);
    }   // the caller's copy is gone
    worker.reset();   // so is the owner, with the test still held
    held->release();
    settle(pool);
    EXPECT_TRUE(delivered.empty());
}

TEST_F(BackgroundNormalityTest, AnErrorOfTheTestArrivesAsNumWithItsMessage)
{
    chart::BackgroundNormality worker(
        [this](const NormalityFigures& figures, const QString& error) {
            EXPECT_EQ(figures.pValue.error, sheet::ErrorCode::Num);
            delivered.push_back(0.0);
            errors << error;
        },
        [](std::span<const double>) -> NormalityFigures { throw std::runtime_error("out of memory"); }, &pool);
    worker.start(valuesStartingWith(1.0));
    settle(pool);
    EXPECT_EQ(delivered.size(), 1u);
    EXPECT_EQ(errors, QStringList{"out of memory"});
}
