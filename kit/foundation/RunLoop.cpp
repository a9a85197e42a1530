#include "kit/foundation/RunLoop.h"

#include "kit/foundation/SystemLog.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <future>

namespace kit {

RunLoop& RunLoop::main()
{
    static RunLoop loop;
    return loop;
}

RunLoop::RunLoop()
    : m_clock(std::make_shared<VirtualClock>(VirtualClock::defaultStartWallTime))
    , m_mainThread(std::this_thread::get_id())
{
}

void RunLoop::reset(std::shared_ptr<Clock> clock)
{
    std::lock_guard lock(m_mutex);
    while (!m_tasks.empty()) {
        m_tasks.top()->cancel();
        m_tasks.pop();
    }
    m_clock = std::move(clock);
    m_mainThread = std::this_thread::get_id();
    m_stopRequested = false;
}

void RunLoop::resetWithVirtualClock(double startWallTime)
{
    reset(std::make_shared<VirtualClock>(startWallTime));
}

std::shared_ptr<ScheduledTask> RunLoop::schedule(double delaySeconds, std::function<void()> work)
{
    auto task = std::make_shared<ScheduledTask>();
    double now = 0;
    bool dropped = false;
    {
        std::lock_guard lock(m_mutex);
        now = m_clock->now();
        // Work asked for later that would fall due at once (a delay too small
        // for the clock's precision at this time, or not a number) would run
        // again and again without the clock moving: it is dropped instead.
        bool movesPastNow = !std::isnan(delaySeconds) && (delaySeconds <= 0 || now + delaySeconds > now);
        if (movesPastNow) {
            task->m_work = std::move(work);
            task->m_fireTime = now + (delaySeconds > 0 ? delaySeconds : 0);
            task->m_sequence = m_nextSequence++;
            m_tasks.push(task);
        } else {
            task->cancel();
            dropped = true;
        }
    }
    if (dropped) {
        logf("RunLoop: work due %g s after %.17g s falls due at once on this clock; it is dropped", delaySeconds, now);
        return task;
    }
    m_wake.notify_all();
    return task;
}

void RunLoop::post(std::function<void()> work)
{
    schedule(0, std::move(work));
}

std::shared_ptr<ScheduledTask> RunLoop::addTurnObserver(std::function<void()> observer)
{
    assert(isMainThread() && "turn observers are added on the main thread");
    auto task = std::make_shared<ScheduledTask>();
    task->m_work = std::move(observer);
    m_turnObservers.push_back(task);
    return task;
}

void RunLoop::endTurn()
{
    std::erase_if(m_turnObservers, [](const auto& observer) { return observer->isCancelled(); });
    // Over a copy: an observer may add another, which runs from the next turn.
    for (auto observers = m_turnObservers; auto& observer : observers)
        if (!observer->isCancelled())
            observer->m_work();
}

void RunLoop::performAndWait(std::function<void()> work)
{
    if (isMainThread()) {
        work();
        return;
    }
    std::promise<void> done;
    auto finished = done.get_future();
    post([&] {
        work();
        done.set_value();
    });
    finished.wait();
}

void RunLoop::dropCancelledLocked() const
{
    while (!m_tasks.empty() && m_tasks.top()->isCancelled())
        m_tasks.pop();
}

bool RunLoop::hasWorkDue(double limit) const
{
    std::lock_guard lock(m_mutex);
    dropCancelledLocked();
    return !m_tasks.empty() && m_tasks.top()->m_fireTime <= limit;
}

std::shared_ptr<ScheduledTask> RunLoop::popDue(double limit)
{
    std::lock_guard lock(m_mutex);
    dropCancelledLocked();
    if (m_tasks.empty() || m_tasks.top()->m_fireTime > limit)
        return nullptr;
    auto task = m_tasks.top();
    m_tasks.pop();
    return task;
}

void RunLoop::advance(double seconds)
{
    assert(m_clock->isVirtual() && "advance() moves a virtual clock only");
    assert(isMainThread() && "the run loop is advanced on the main thread");
    // No end, or no amount at all, is no time to let pass.
    if (!std::isfinite(seconds)) {
        logf("RunLoop: %g s is no time to advance by; the clock stays", seconds);
        return;
    }
    auto clock = std::static_pointer_cast<VirtualClock>(m_clock);
    double target = clock->now() + (seconds > 0 ? seconds : 0);
    // One turn at each moment something falls due, each ended by the
    // observers; the clock then moves to the next such moment.
    runDue();
    while (auto next = nextFireTime()) {
        if (*next > target)
            break;
        clock->setNow(std::max(*next, clock->now()));
        runDue();
    }
    clock->setNow(target);
}

void RunLoop::runDue()
{
    double now = m_clock->now();
    do {
        while (auto task = popDue(now)) {
            // A task cancelled after it was taken off the queue still must not run.
            if (!task->isCancelled()) {
                auto work = std::move(task->m_work);
                work();
            }
        }
        endTurn();
    } while (hasWorkDue(now));
}

void RunLoop::runFor(double seconds)
{
    if (m_clock->isVirtual()) {
        advance(seconds);
        return;
    }
    m_stopRequested = false;
    double end = m_clock->now() + seconds;
    while (!m_stopRequested && m_clock->now() < end) {
        runDue();
        std::unique_lock lock(m_mutex);
        dropCancelledLocked();
        double wakeAt = end;
        if (!m_tasks.empty())
            wakeAt = std::min(wakeAt, m_tasks.top()->m_fireTime);
        double wait = wakeAt - m_clock->now();
        if (wait > 0 && !m_stopRequested)
            m_wake.wait_for(lock, std::chrono::duration<double>(wait));
    }
    runDue();
}

void RunLoop::stop()
{
    m_stopRequested = true;
    m_wake.notify_all();
}

bool RunLoop::hasPendingWork() const
{
    std::lock_guard lock(m_mutex);
    dropCancelledLocked();
    return !m_tasks.empty();
}

std::optional<double> RunLoop::nextFireTime() const
{
    std::lock_guard lock(m_mutex);
    dropCancelledLocked();
    if (m_tasks.empty())
        return std::nullopt;
    return m_tasks.top()->m_fireTime;
}

}
