#include "kit/foundation/NSTimer.h"

#include <algorithm>
#include <cmath>

namespace kit {

KIT_REGISTER_CLASS(NSTimer);

namespace {

// Every timer scheduled and not yet found invalid or gone, oldest first.
std::vector<std::weak_ptr<NSTimer>>& timerList()
{
    static std::vector<std::weak_ptr<NSTimer>> list;
    return list;
}

}

void NSTimer::dropFinishedTimers()
{
    std::erase_if(timerList(), [](const std::weak_ptr<NSTimer>& weak) {
        auto timer = weak.lock();
        return !timer || !timer->isScheduled();
    });
}

bool NSTimer::isScheduled() const
{
    auto task = m_task.lock();
    return m_valid && task && !task->isCancelled();
}

std::shared_ptr<NSTimer> NSTimer::scheduledTimerWithTimeInterval(double seconds, Action action, bool repeats)
{
    auto timer = std::make_shared<NSTimer>();
    // As on the platform, a non-positive interval counts as 0.1 ms.
    timer->m_interval = seconds > 0 ? seconds : 0.0001;
    timer->m_action = std::move(action);
    timer->m_repeats = repeats;
    timer->m_fireDate = RunLoop::main().now() + timer->m_interval;
    timer->scheduleNext();
    dropFinishedTimers();
    timerList().push_back(timer);
    return timer;
}

std::vector<std::shared_ptr<NSTimer>> NSTimer::scheduledTimers()
{
    dropFinishedTimers();
    std::vector<std::shared_ptr<NSTimer>> timers;
    for (auto& weak : timerList()) {
        if (auto timer = weak.lock())
            timers.push_back(std::move(timer));
    }
    return timers;
}

void NSTimer::scheduleNext()
{
    auto& loop = RunLoop::main();
    // A fire date the clock cannot tell from now asks for the interval itself,
    // which the run loop drops rather than firing the timer again and again.
    double delay = m_fireDate - loop.now();
    if (delay <= 0)
        delay = m_interval;
    // The task holds the timer: the run loop retains a valid timer.
    m_task = loop.schedule(delay, [self = std::static_pointer_cast<NSTimer>(shared_from_this())] {
        if (!self->m_valid)
            return;
        if (self->m_repeats) {
            // A late run loop skips the firings it missed, as the platform does.
            double now = RunLoop::main().now();
            double missed = std::floor((now - self->m_fireDate) / self->m_interval);
            self->m_fireDate += (std::max(0.0, missed) + 1) * self->m_interval;
            if (self->m_fireDate <= now)
                self->m_fireDate += self->m_interval;
            self->scheduleNext();
        } else {
            self->m_valid = false;
            self->m_task.reset();
        }
        self->m_action(self.get());
    });
}

void NSTimer::invalidate()
{
    m_valid = false;
    if (auto task = m_task.lock())
        task->cancel();
    m_task.reset();
}

void NSTimer::fire()
{
    if (!m_valid)
        return;
    auto keepAlive = shared_from_this();
    if (!m_repeats)
        invalidate();
    m_action(this);
}

}
