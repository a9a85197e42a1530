#include "kit/foundation/Dispatch.h"
#include "kit/foundation/NSTimer.h"
#include "kit/foundation/RunLoop.h"
#include "kit/foundation/SystemLog.h"

#include <cmath>
#include <limits>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

using namespace kit;

namespace {

class RunLoopTest : public ::testing::Test {
protected:
    void SetUp() override { RunLoop::main().resetWithVirtualClock(); }
    RunLoop& loop() { return RunLoop::main(); }

    void record(std::string what) { m_events.push_back(std::to_string(loop().now()).substr(0, 4) + " " + what); }
    std::vector<std::string> m_events;
};

struct Owner {
    int fired = 0;
    void tick() { ++fired; }
};

}

TEST_F(RunLoopTest, TimersAndCompletionsRunInTimeOrderEachAtItsOwnTime)
{
    loop().schedule(1.5, [&] { record("completion"); });
    auto timer = NSTimer::scheduledTimerWithTimeInterval(1.0, Action::function([&](id) { record("tick"); }), true);
    loop().post([&] { record("async"); });
    loop().schedule(1.0, [&] { record("same time, scheduled later"); });

    loop().advance(3.2);
    EXPECT_EQ(m_events, (std::vector<std::string> { "0.00 async", "1.00 tick", "1.00 same time, scheduled later",
                            "1.50 completion", "2.00 tick", "3.00 tick" }));
    EXPECT_DOUBLE_EQ(loop().now(), 3.2);
    EXPECT_TRUE(timer->isValid());
    timer->invalidate();
    loop().advance(5);
    EXPECT_EQ(m_events.size(), 6u);
}

TEST_F(RunLoopTest, ATimerMayInvalidateItselfOrStartAnotherFromItsAction)
{
    int count = 0;
    std::shared_ptr<NSTimer> second;
    NSTimer::scheduledTimerWithTimeInterval(1.0,
        Action::function([&](id sender) {
            if (++count == 3) {
                static_cast<NSTimer*>(sender)->invalidate();
                second = NSTimer::scheduledTimerWithTimeInterval(0.5, Action::function([&](id) { record("second"); }),
                    false);
            }
        }),
        true);
    loop().advance(10);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(m_events, std::vector<std::string> { "3.50 second" });
    EXPECT_FALSE(second->isValid());
}

TEST_F(RunLoopTest, ATimerDoesNotKeepItsTargetAliveNorCallADeadOne)
{
    auto owner = std::make_shared<Owner>();
    auto timer = NSTimer::scheduledTimerWithTimeInterval(1.0, Action(owner, &Owner::tick), true);
    loop().advance(2);
    EXPECT_EQ(owner->fired, 2);
    std::weak_ptr<Owner> weak = owner;
    owner.reset();
    EXPECT_TRUE(weak.expired());
    loop().advance(2); // fires into nothing
    timer->invalidate();
}

TEST_F(RunLoopTest, TheScheduledTimersAreThoseTheLoopWouldStillFire)
{
    auto repeating = NSTimer::scheduledTimerWithTimeInterval(1.0, Action::function([](id) { }), true);
    auto once = NSTimer::scheduledTimerWithTimeInterval(0.5, Action::function([](id) { }), false);
    auto stopped = NSTimer::scheduledTimerWithTimeInterval(2.0, Action::function([](id) { }), true);
    stopped->invalidate();
    EXPECT_EQ(NSTimer::scheduledTimers(), (std::vector<std::shared_ptr<NSTimer>> { repeating, once }));

    loop().advance(1); // the one-shot has fired
    EXPECT_EQ(NSTimer::scheduledTimers(), std::vector<std::shared_ptr<NSTimer>> { repeating });

    // A timer the loop dropped with its other work is no longer scheduled.
    loop().resetWithVirtualClock();
    EXPECT_TRUE(NSTimer::scheduledTimers().empty());
}

TEST_F(RunLoopTest, ACompletionThatStartsAnotherChainsFromItsOwnTime)
{
    loop().schedule(0.3, [&] {
        record("first");
        loop().schedule(0.3, [&] { record("second"); });
    });
    auto cancelled = loop().schedule(0.5, [&] { record("cancelled"); });
    loop().schedule(0.4, [&] { cancelled->cancel(); });
    loop().advance(1);
    EXPECT_EQ(m_events, (std::vector<std::string> { "0.30 first", "0.60 second" }));
}

TEST_F(RunLoopTest, DispatchAfterWaitsOnTheVirtualClockThenRunsOnTheQueue)
{
    auto queue = dispatch_queue_create("com.tallberry.backgroundDelay", DISPATCH_QUEUE_SERIAL);
    EXPECT_STREQ(dispatch_queue_get_label(queue), "com.tallberry.backgroundDelay");
    std::thread::id ranOn, resultOn;
    std::atomic<bool> ran { false };
    dispatch_after(dispatch_time(DISPATCH_TIME_NOW, NSEC_PER_SEC), queue, [&] {
        ranOn = std::this_thread::get_id();
        // Background work hands its result to the main queue.
        dispatch_async(dispatch_get_main_queue(), [&] { resultOn = std::this_thread::get_id(); });
        ran = true;
    });
    loop().advance(0.9);
    DispatchQueue::waitForBackgroundWork();
    EXPECT_FALSE(ran);
    ASSERT_TRUE(DispatchQueue::nextDelayedBackgroundWork());
    EXPECT_DOUBLE_EQ(*DispatchQueue::nextDelayedBackgroundWork(), 1.0);
    loop().advance(0.2);
    EXPECT_FALSE(DispatchQueue::nextDelayedBackgroundWork()) << "handed to its queue";
    DispatchQueue::waitForBackgroundWork();
    EXPECT_TRUE(ran);
    EXPECT_NE(ranOn, std::this_thread::get_id());
    // The result runs on the main thread by the next turn of the loop at the
    // latest (the background block may post it while the loop still runs).
    loop().advance(0);
    EXPECT_EQ(resultOn, std::this_thread::get_id());
}

TEST_F(RunLoopTest, DelayedBackgroundWorkDroppedWithTheLoopsTasksNoLongerWaits)
{
    dispatch_after(dispatch_time(DISPATCH_TIME_NOW, 3 * NSEC_PER_SEC), dispatch_queue_create("later"), [] { });
    dispatch_after(dispatch_time(DISPATCH_TIME_NOW, 2 * NSEC_PER_SEC), dispatch_get_main_queue(), [] { });
    ASSERT_TRUE(DispatchQueue::nextDelayedBackgroundWork());
    EXPECT_DOUBLE_EQ(*DispatchQueue::nextDelayedBackgroundWork(), 3.0) << "main-queue work is not background work";
    loop().resetWithVirtualClock();
    EXPECT_FALSE(DispatchQueue::nextDelayedBackgroundWork());
}

TEST_F(RunLoopTest, ASerialQueueRunsItsBlocksInOrderAndOutlivesItsLastReference)
{
    std::vector<int> order;
    std::mutex mutex;
    {
        auto queue = dispatch_queue_create("serial", DISPATCH_QUEUE_SERIAL);
        for (int i = 0; i < 50; ++i)
            dispatch_async(queue, [&, i] {
                std::lock_guard lock(mutex);
                order.push_back(i);
            });
    }
    DispatchQueue::waitForBackgroundWork();
    ASSERT_EQ(order.size(), 50u);
    EXPECT_TRUE(std::is_sorted(order.begin(), order.end()));
}

TEST_F(RunLoopTest, PerformAndWaitRunsOnTheMainThread)
{
    auto queue = dispatch_queue_create("worker", DISPATCH_QUEUE_SERIAL);
    std::atomic<bool> done { false };
    std::thread::id mainThread = std::this_thread::get_id();
    std::thread::id ranOn;
    dispatch_async(queue, [&] {
        RunLoop::main().performAndWait([&] { ranOn = std::this_thread::get_id(); });
        done = true;
    });
    while (!done)
        loop().runDue();
    DispatchQueue::waitForBackgroundWork();
    EXPECT_EQ(ranOn, mainThread);
    // On the main thread it runs at once.
    bool inline_ = false;
    loop().performAndWait([&] { inline_ = true; });
    EXPECT_TRUE(inline_);
}

TEST_F(RunLoopTest, WorkThatCannotFallDueAfterNowIsDroppedWithOneLogLine)
{
    // So far on that the clock cannot move by a fraction of a second.
    loop().advance(1e16);
    SystemLog::clearRecentLines();
    int ran = 0;
    auto later = loop().schedule(0.5, [&] { ++ran; });
    EXPECT_TRUE(later->isCancelled());
    EXPECT_TRUE(loop().schedule(std::nan(""), [&] { ++ran; })->isCancelled());
    auto timer = NSTimer::scheduledTimerWithTimeInterval(1.0, Action::function([&](id) { ++ran; }), true);
    loop().post([&] { ++ran; });
    EXPECT_EQ(SystemLog::recentLines().size(), 3u);
    EXPECT_NE(SystemLog::recentLines().front().find("dropped"), std::string::npos);

    loop().advance(10);
    EXPECT_EQ(ran, 1) << "only the work asked for now runs";
    EXPECT_FALSE(loop().hasPendingWork());
    timer->invalidate();
}

TEST_F(RunLoopTest, AnEndlessOrUnknownAdvanceLeavesTheClockWhereItWas)
{
    int ticks = 0;
    auto timer = NSTimer::scheduledTimerWithTimeInterval(1.0, Action::function([&](id) { ++ticks; }), true);
    loop().advance(2.5);
    loop().advance(std::numeric_limits<double>::infinity());
    loop().advance(std::nan(""));
    EXPECT_DOUBLE_EQ(loop().now(), 2.5);
    EXPECT_EQ(ticks, 2);
    timer->invalidate();
}

TEST_F(RunLoopTest, EachMomentsWorkEndsWithTheTurnObserversBeforeTimeMovesOn)
{
    bool askedAgain = false;
    auto observer = loop().addTurnObserver([&] {
        record("turn");
        // Work an observer asks for now runs in a further turn at once.
        if (loop().now() == 1.0 && !askedAgain) {
            askedAgain = true;
            loop().post([&] { record("asked by the turn"); });
        }
    });
    loop().post([&] { record("async"); });
    loop().schedule(1.0, [&] { record("first"); });
    loop().schedule(1.0, [&] { record("second"); });
    loop().schedule(1.5, [&] { record("later"); });

    loop().advance(2);
    EXPECT_EQ(m_events, (std::vector<std::string> { "0.00 async", "0.00 turn", "1.00 first", "1.00 second", "1.00 turn",
                            "1.00 asked by the turn", "1.00 turn", "1.50 later", "1.50 turn" }));

    // A reset keeps the observer; a cancelled one never runs again.
    loop().resetWithVirtualClock();
    m_events.clear();
    loop().runDue();
    EXPECT_EQ(m_events, (std::vector<std::string> { "0.00 turn" }));
    observer->cancel();
    loop().post([&] { record("async"); });
    loop().advance(1);
    EXPECT_EQ(m_events, (std::vector<std::string> { "0.00 turn", "0.00 async" }));
}

TEST(RealClockRunLoop, RunsWorkAsItFallsDueAndStopsWhenAsked)
{
    auto& loop = RunLoop::main();
    loop.reset(std::make_shared<RealClock>());
    std::vector<int> order;
    loop.schedule(0.02, [&] { order.push_back(2); });
    loop.post([&] { order.push_back(1); });
    loop.schedule(0.03, [&] {
        order.push_back(3);
        loop.stop();
    });
    loop.schedule(30, [&] { order.push_back(4); });
    double started = loop.now();
    loop.runFor(20);
    EXPECT_EQ(order, (std::vector<int> { 1, 2, 3 }));
    EXPECT_LT(loop.now() - started, 10.0);
    loop.resetWithVirtualClock();
}
