#pragma once

#include <algorithm>

namespace hardware {

// A setting that moves smoothly from one value to another over a time, as a
// camera's parts settle: easing in and out, then holding. Times in seconds
// on the run loop's clock.
template <typename T>
class Glide {
public:
    explicit Glide(T value = T {}) : m_from(value), m_to(value) { }

    // Holds the value from now on.
    void hold(T value)
    {
        m_from = m_to = value;
        m_start = m_end = 0;
    }
    // Moves from the value at `start` to `to`, arriving `duration` later.
    void moveTo(T to, double start, double duration)
    {
        m_from = at(start);
        m_to = to;
        m_start = start;
        m_end = start + std::max(0.0, duration);
    }
    // Stops where it is at that time.
    void stopAt(double time) { hold(at(time)); }

    T at(double time) const
    {
        if (time >= m_end || m_end <= m_start)
            return m_to;
        if (time <= m_start)
            return m_from;
        double t = (time - m_start) / (m_end - m_start);
        double eased = t * t * (3 - 2 * t);
        return m_from + (m_to - m_from) * eased;
    }
    T target() const { return m_to; }
    double arrival() const { return m_end; }
    bool isMovingAt(double time) const { return time < m_end; }

private:
    T m_from;
    T m_to;
    double m_start { 0 };
    double m_end { 0 };
};

}
