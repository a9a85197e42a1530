#pragma once

#include <atomic>
#include <chrono>

namespace kit {

// Where the main run loop takes its time from. now() is monotonic seconds
// since an arbitrary start; wallTime() is the calendar time, in seconds since
// 1 January 1970 UTC, that [NSDate date] gives.
class Clock {
public:
    virtual ~Clock() = default;
    virtual double now() const = 0;
    virtual double wallTime() const = 0;
    virtual bool isVirtual() const = 0;
};

// Moves only when the run loop is told to advance (on the main thread; any
// thread may read it); its calendar time is the
// start date plus the time advanced, so runs are repeatable.
class VirtualClock final : public Clock {
public:
    explicit VirtualClock(double startWallTime) : m_startWallTime(startWallTime) { }

    double now() const override { return m_now.load(); }
    double wallTime() const override { return m_startWallTime + m_now.load(); }
    bool isVirtual() const override { return true; }

    // Time never runs backwards: an earlier value is ignored.
    void setNow(double seconds)
    {
        if (seconds > m_now.load())
            m_now.store(seconds);
    }

    // 2014-05-03 10:00:00 UTC: a spring morning of the system's era.
    static constexpr double defaultStartWallTime = 1399111200.0;

private:
    double m_startWallTime;
    std::atomic<double> m_now { 0 };
};

class RealClock final : public Clock {
public:
    RealClock() : m_start(std::chrono::steady_clock::now()) { }

    double now() const override
    {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
    }
    double wallTime() const override
    {
        return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
    }
    bool isVirtual() const override { return false; }

private:
    std::chrono::steady_clock::time_point m_start;
};

}
