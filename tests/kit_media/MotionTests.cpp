#include "kit/foundation/ProcessIdentity.h"
#include "kit/foundation/RunLoop.h"
#include "kit/media/CMMotionManager.h"
#include "kit/media/DeviceProfile.h"
#include "kit/media/MotionSimulator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <condition_variable>
#include <mutex>

using namespace kit;

namespace {

class Motion : public testing::Test {
protected:
    void SetUp() override
    {
        RunLoop::main().resetWithVirtualClock();
        ProcessIdentity::set(DeviceProfile::forModel("iPhone6,1")->processIdentity("com.apple.camera"));
        MotionSimulator::reset();
    }
    void TearDown() override
    {
        MotionSimulator::reset();
        ProcessIdentity::set({});
    }

    struct Received {
        std::mutex mutex;
        std::vector<std::shared_ptr<CMDeviceMotion>> samples;
        bool onMainThread { false };
    };

    static CMDeviceMotionHandler collector(Received& received)
    {
        return [&received](std::shared_ptr<CMDeviceMotion> motion, NSErrorRef) {
            std::lock_guard lock(received.mutex);
            received.samples.push_back(std::move(motion));
            received.onMainThread = RunLoop::main().isMainThread();
        };
    }
};

}

TEST_F(Motion, AvailabilityComesFromTheProfile)
{
    CMMotionManager manager;
    EXPECT_TRUE(manager.isDeviceMotionAvailable());
    ProcessIdentity::set(DeviceProfile::forModel("iPhone2,1")->processIdentity("com.apple.camera"));
    EXPECT_FALSE(manager.isDeviceMotionAvailable());
    Received received;
    manager.startDeviceMotionUpdatesUsingReferenceFrame(
        CMAttitudeReferenceFrameXArbitraryZVertical, NSOperationQueue::mainQueue(), collector(received));
    EXPECT_FALSE(manager.isDeviceMotionActive());
    RunLoop::main().advance(1);
    EXPECT_TRUE(received.samples.empty());
}

TEST_F(Motion, SamplesArriveAtTheIntervalOnTheVirtualClock)
{
    CMMotionManager manager;
    manager.setDeviceMotionUpdateInterval(1.0 / 60);
    auto queue = std::make_shared<NSOperationQueue>();
    Received received;
    MotionSimulator::setGravityFunction([](double t) { return CMAcceleration { std::sin(t), -std::cos(t), 0 }; });
    manager.startDeviceMotionUpdatesUsingReferenceFrame(
        CMAttitudeReferenceFrameXArbitraryZVertical, queue, collector(received));
    EXPECT_TRUE(manager.isDeviceMotionActive());
    RunLoop::main().advance(1.0);
    queue->waitUntilAllOperationsAreFinished();
    ASSERT_EQ(received.samples.size(), 60u);
    EXPECT_FALSE(received.onMainThread) << "a queue of its own runs off the main thread";
    for (size_t i = 0; i < received.samples.size(); ++i) {
        double t = double(i + 1) / 60;
        EXPECT_NEAR(received.samples[i]->timestamp(), t, 1e-9);
        EXPECT_NEAR(received.samples[i]->gravity().x, std::sin(t), 1e-9);
    }
    EXPECT_EQ(manager.deviceMotion(), received.samples.back());

    manager.stopDeviceMotionUpdates();
    EXPECT_FALSE(manager.isDeviceMotionActive());
    RunLoop::main().advance(1.0);
    queue->waitUntilAllOperationsAreFinished();
    EXPECT_EQ(received.samples.size(), 60u) << "nothing after the stop";
}

TEST_F(Motion, WhatAQueueOfItsOwnSendsToTheMainQueueRunsAtTheSamplesTime)
{
    // The platform's usual pattern: samples on a queue of their own, handed
    // on to the main queue. On the virtual clock each arrives at its own time.
    CMMotionManager manager;
    manager.setDeviceMotionUpdateInterval(0.1);
    std::vector<double> shownAt;
    manager.startDeviceMotionUpdatesUsingReferenceFrame(CMAttitudeReferenceFrameXArbitraryZVertical,
        std::make_shared<NSOperationQueue>(), [&shownAt](std::shared_ptr<CMDeviceMotion>, NSErrorRef) {
            NSOperationQueue::mainQueue()->addOperationWithBlock([&shownAt] { shownAt.push_back(RunLoop::main().now()); });
        });
    for (int step = 1; step <= 3; ++step) {
        RunLoop::main().advance(0.1);
        ASSERT_EQ(shownAt.size(), size_t(step));
        EXPECT_NEAR(shownAt.back(), 0.1 * step, 1e-9);
    }
    manager.stopDeviceMotionUpdates();
}

TEST_F(Motion, MainQueueHandlersRunOnTheMainThreadAndMayStopTheUpdates)
{
    auto manager = std::make_shared<CMMotionManager>();
    manager->setDeviceMotionUpdateInterval(0.1);
    MotionSimulator::setGravity({ -1, 0, 0 });
    int calls = 0;
    bool onMain = false;
    manager->startDeviceMotionUpdatesUsingReferenceFrame(CMAttitudeReferenceFrameXArbitraryZVertical,
        NSOperationQueue::mainQueue(), [&](std::shared_ptr<CMDeviceMotion> motion, NSErrorRef) {
            ++calls;
            onMain = RunLoop::main().isMainThread();
            EXPECT_EQ(motion->gravity(), (CMAcceleration { -1, 0, 0 }));
            if (calls == 3)
                manager->stopDeviceMotionUpdates();
        });
    RunLoop::main().advance(1.0);
    EXPECT_EQ(calls, 3);
    EXPECT_TRUE(onMain);
}

TEST_F(Motion, IntervalIsClampedAndDestroyingStops)
{
    Received received;
    auto queue = std::make_shared<NSOperationQueue>();
    {
        CMMotionManager manager;
        manager.setDeviceMotionUpdateInterval(0.0001);
        EXPECT_DOUBLE_EQ(manager.deviceMotionUpdateInterval(), 0.01);
        manager.startDeviceMotionUpdatesUsingReferenceFrame(
            CMAttitudeReferenceFrameXArbitraryZVertical, queue, collector(received));
        RunLoop::main().advance(0.1);
    }
    RunLoop::main().advance(1.0);
    queue->waitUntilAllOperationsAreFinished();
    EXPECT_EQ(received.samples.size(), 10u);
    EXPECT_EQ(MotionSimulator::gravityAt(5), (CMAcceleration { 0, -1, 0 })) << "upright portrait by default";
}

TEST_F(Motion, RealClockSamplesComeFromABackgroundThread)
{
    RunLoop::main().reset(std::make_shared<RealClock>());
    std::mutex mutex;
    std::condition_variable arrived;
    std::vector<double> times;
    auto queue = std::make_shared<NSOperationQueue>();
    {
        CMMotionManager manager;
        manager.setDeviceMotionUpdateInterval(0.02);
        manager.startDeviceMotionUpdatesUsingReferenceFrame(CMAttitudeReferenceFrameXArbitraryZVertical, queue,
            [&](std::shared_ptr<CMDeviceMotion> motion, NSErrorRef) {
                std::lock_guard lock(mutex);
                times.push_back(motion->timestamp());
                arrived.notify_all();
            });
        std::unique_lock lock(mutex);
        EXPECT_TRUE(arrived.wait_for(lock, std::chrono::seconds(10), [&] { return times.size() >= 3; }));
    } // destroying the manager stops the sampling thread
    queue->waitUntilAllOperationsAreFinished();
    size_t count = times.size();
    ASSERT_GE(count, 3u);
    for (size_t i = 1; i < count; ++i)
        EXPECT_GE(times[i] - times[i - 1], 0.015) << "no faster than the interval";
    RunLoop::main().resetWithVirtualClock();
}
