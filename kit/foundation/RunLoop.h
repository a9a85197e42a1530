#pragma once

#include "kit/foundation/Clock.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <queue>
#include <thread>
#include <vector>

namespace kit {

// One piece of work waiting on the run loop. cancel() may be called from any
// thread; a cancelled task never runs.
class ScheduledTask {
public:
    double fireTime() const { return m_fireTime; }
    bool isCancelled() const { return m_cancelled.load(); }
    void cancel() { m_cancelled.store(true); }

private:
    friend class RunLoop;
    double m_fireTime { 0 };
    uint64_t m_sequence { 0 };
    std::function<void()> m_work;
    std::atomic<bool> m_cancelled { false };
};

// The main run loop: the one thread on which timers, animation completions,
// blocks sent to the main queue and notifications run, on an injectable clock.
//
// Work runs in time order; work due at the same time runs in the order it was
// scheduled. Work may schedule or cancel other work, including itself.
//
// With a virtual clock (the default, for tests and scenarios) time moves only
// in advance(); with a real clock the caller runs runFor() or runDue().
//
// A turn of the loop ends when the work due at this moment has run, before
// time moves on: the turn observers run then, in the order they were added
// (the platform's display cycle lays out the windows there). Work they
// schedule for now runs in a further turn at the same moment.
class RunLoop {
public:
    static RunLoop& main();

    // Replaces the clock and drops every pending task: a fresh start, as a
    // test or a new process wants. The calling thread becomes the main thread.
    void reset(std::shared_ptr<Clock>);
    void resetWithVirtualClock(double startWallTime = VirtualClock::defaultStartWallTime);

    const Clock& clock() const { return *m_clock; }
    double now() const { return m_clock->now(); }
    double wallTime() const { return m_clock->wallTime(); }

    // Runs work after delay seconds (0: as soon as the loop runs). Any thread.
    // Work whose delay does not move its time past now (not a number, or too
    // small for the clock at this time) is dropped with one log line: the
    // task answered is cancelled, so nothing spins on a clock that cannot move.
    std::shared_ptr<ScheduledTask> schedule(double delaySeconds, std::function<void()>);
    // dispatch_async to the main queue. Any thread.
    void post(std::function<void()>);
    // Runs `observer` at the end of every turn from now on, on the main
    // thread, until the answer is cancelled; a reset keeps it (it belongs to
    // the process, not to one run). Added on the main thread.
    std::shared_ptr<ScheduledTask> addTurnObserver(std::function<void()> observer);
    // Runs work on the main thread and waits for it; at once when called there.
    void performAndWait(std::function<void()>);

    // Virtual clock: moves time forward by seconds, running every task that
    // falls due, each at its own time. Must be called on the main thread.
    // Infinity and not-a-number are refused with one log line.
    void advance(double seconds);
    // Runs what is due now, including what that schedules for now.
    void runDue();
    // Real clock: runs tasks as they fall due for the given time, sleeping
    // in between; returns early when stop() is called.
    void runFor(double seconds);
    void stop();

    bool isMainThread() const { return std::this_thread::get_id() == m_mainThread; }
    bool hasPendingWork() const;
    // When the next task falls due; nothing when none is waiting.
    std::optional<double> nextFireTime() const;

private:
    RunLoop();

    struct Later {
        bool operator()(const std::shared_ptr<ScheduledTask>& a, const std::shared_ptr<ScheduledTask>& b) const
        {
            if (a->m_fireTime != b->m_fireTime)
                return a->m_fireTime > b->m_fireTime;
            return a->m_sequence > b->m_sequence;
        }
    };

    std::shared_ptr<ScheduledTask> popDue(double limit);
    void dropCancelledLocked() const;
    bool hasWorkDue(double limit) const;
    void endTurn();

    std::shared_ptr<Clock> m_clock;
    std::thread::id m_mainThread;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    mutable std::priority_queue<std::shared_ptr<ScheduledTask>, std::vector<std::shared_ptr<ScheduledTask>>, Later>
        m_tasks;
    uint64_t m_nextSequence { 0 };
    std::atomic<bool> m_stopRequested { false };
    std::vector<std::shared_ptr<ScheduledTask>> m_turnObservers;
};

}
