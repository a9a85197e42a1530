#include "kit/media/CMMotionManager.h"

#include "kit/foundation/RunLoop.h"
#include "kit/foundation/SystemLog.h"
#include "kit/media/DeviceProfile.h"
#include "kit/media/MotionSimulator.h"
#include "kit/runtime/Class.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace kit {

KIT_REGISTER_CLASS(CMMotionManager);

struct MotionSettings {
    std::mutex mutex;
    double interval { 0.01 };
    CMAttitudeReferenceFrame frame { CMAttitudeReferenceFrameXArbitraryZVertical };
    std::shared_ptr<CMDeviceMotion> latest;

    double currentInterval()
    {
        std::lock_guard lock(mutex);
        return interval;
    }
};

struct CMMotionManager::Session {
    std::shared_ptr<MotionSettings> settings;
    std::shared_ptr<NSOperationQueue> queue;
    CMDeviceMotionHandler handler;

    std::mutex mutex;
    std::condition_variable wake;
    bool active { true };
    std::shared_ptr<ScheduledTask> timer;
    std::thread sampler;

    bool isActive()
    {
        std::lock_guard lock(mutex);
        return active;
    }

    // Takes one sample at the clock's time and hands it on.
    void sample(double now)
    {
        auto motion = std::make_shared<CMDeviceMotion>(MotionSimulator::gravityAt(now), now);
        {
            std::lock_guard lock(settings->mutex);
            settings->latest = motion;
        }
        if (queue && handler)
            queue->addOperationWithBlock([handler = handler, motion] { handler(motion, nullptr); });
    }

    // Virtual clock: a sample given to a queue of its own is handled before
    // time moves on, so whatever the handler sends to the main queue runs at
    // the sample's own time, the same in every run.
    void finishHandlingOffTheMainQueue()
    {
        if (queue && !queue->isMainQueue())
            queue->waitUntilAllOperationsAreFinished();
    }

    // Virtual clock: a chain of one-shot timers. Due times are counted from
    // an anchor (the start, or the last change of interval) rather than added
    // up, so that 60 samples at 1/60 s fall within one second exactly.
    static void scheduleNext(const std::shared_ptr<Session>& session, double anchor, double interval, int64_t taken)
    {
        std::weak_ptr<Session> weak = session;
        double dueAt = anchor + double(taken + 1) * interval;
        auto task = RunLoop::main().schedule(std::max(0.0, dueAt - RunLoop::main().now()), [weak, anchor, interval, taken, dueAt] {
            auto self = weak.lock();
            if (!self || !self->isActive())
                return;
            self->sample(dueAt);
            self->finishHandlingOffTheMainQueue();
            if (!self->isActive())
                return;
            double current = self->settings->currentInterval();
            if (current == interval)
                scheduleNext(self, anchor, interval, taken + 1);
            else
                scheduleNext(self, dueAt, current, 0);
        });
        std::lock_guard lock(session->mutex);
        session->timer = std::move(task);
    }

    // Real clock: a thread of its own, sleeping until each sample is due.
    void runSampler()
    {
        using Clock = std::chrono::steady_clock;
        auto due = Clock::now();
        std::unique_lock lock(mutex);
        for (;;) {
            due += std::chrono::duration_cast<Clock::duration>(
                std::chrono::duration<double>(settings->currentInterval()));
            if (wake.wait_until(lock, due, [&] { return !active; }))
                return;
            lock.unlock();
            sample(RunLoop::main().now());
            lock.lock();
        }
    }

    void stop()
    {
        std::shared_ptr<ScheduledTask> task;
        {
            std::lock_guard lock(mutex);
            active = false;
            task = std::move(timer);
        }
        wake.notify_all();
        if (task)
            task->cancel();
        if (sampler.joinable())
            sampler.join(); // samples are handed to queues, so this is never the sampler's own thread
    }
};

CMMotionManager::CMMotionManager()
    : m_settings(std::make_shared<MotionSettings>())
{
}

CMMotionManager::~CMMotionManager()
{
    stopDeviceMotionUpdates();
}

bool CMMotionManager::isDeviceMotionAvailable() const
{
    const auto* profile = DeviceProfile::current();
    return profile && profile->deviceMotionAvailable;
}

unsigned CMMotionManager::availableAttitudeReferenceFrames()
{
    // No magnetometer is simulated, so only the frames without north.
    return CMAttitudeReferenceFrameXArbitraryZVertical | CMAttitudeReferenceFrameXArbitraryCorrectedZVertical;
}

double CMMotionManager::deviceMotionUpdateInterval() const
{
    return m_settings->currentInterval();
}

void CMMotionManager::setDeviceMotionUpdateInterval(double interval)
{
    if (std::isnan(interval))
        return;
    std::lock_guard lock(m_settings->mutex);
    m_settings->interval = std::max(interval, 0.01);
}

void CMMotionManager::startDeviceMotionUpdatesUsingReferenceFrame(
    CMAttitudeReferenceFrame frame, std::shared_ptr<NSOperationQueue> queue, CMDeviceMotionHandler handler)
{
    if (!queue || !handler) {
        logf("CMMotionManager: device-motion updates need a queue and a handler");
        return;
    }
    start(frame, std::move(queue), std::move(handler));
}

void CMMotionManager::startDeviceMotionUpdates()
{
    start(CMAttitudeReferenceFrameXArbitraryZVertical, nullptr, nullptr);
}

void CMMotionManager::start(
    CMAttitudeReferenceFrame frame, std::shared_ptr<NSOperationQueue> queue, CMDeviceMotionHandler handler)
{
    stopDeviceMotionUpdates();
    if (!isDeviceMotionAvailable())
        return;
    {
        std::lock_guard lock(m_settings->mutex);
        m_settings->frame = frame;
    }
    auto session = std::make_shared<Session>();
    session->settings = m_settings;
    session->queue = std::move(queue);
    session->handler = std::move(handler);
    m_session = session;
    auto& loop = RunLoop::main();
    if (loop.clock().isVirtual())
        Session::scheduleNext(session, loop.now(), m_settings->currentInterval(), 0);
    else
        session->sampler = std::thread([raw = session.get()] { raw->runSampler(); }); // joined by stop()
}

void CMMotionManager::stopDeviceMotionUpdates()
{
    if (auto session = std::move(m_session))
        session->stop();
}

bool CMMotionManager::isDeviceMotionActive() const
{
    return m_session != nullptr;
}

std::shared_ptr<CMDeviceMotion> CMMotionManager::deviceMotion() const
{
    std::lock_guard lock(m_settings->mutex);
    return m_settings->latest;
}

CMAttitudeReferenceFrame CMMotionManager::attitudeReferenceFrame() const
{
    std::lock_guard lock(m_settings->mutex);
    return m_settings->frame;
}

}
