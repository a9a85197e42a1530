#include "hardware/camera/FocusDrive.h"

#include "hardware/camera/Lens.h"

#include <algorithm>
#include <cmath>

namespace hardware {

namespace {

double eased(double from, double to, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    return from + (to - from) * t * t * (3 - 2 * t);
}

}

void FocusDrive::hold(double nearness)
{
    m_from = m_past = m_goal = nearness;
    m_start = m_turn = m_arrival = 0;
}

void FocusDrive::moveTo(double goal, double now)
{
    double from = at(now);
    double step = std::fabs(goal - from);
    double duration = 0.15 + 0.25 * std::min(1.0, step / 3);
    m_from = from;
    m_goal = goal;
    m_past = std::clamp(goal + 0.15 * (goal - from), 0.0, Lens::nearestFocus);
    m_start = now;
    m_turn = now + 0.7 * duration;
    m_arrival = now + duration;
}

double FocusDrive::at(double time) const
{
    if (time >= m_arrival)
        return m_goal;
    if (time <= m_start)
        return m_from;
    if (time < m_turn)
        return eased(m_from, m_past, (time - m_start) / (m_turn - m_start));
    return eased(m_past, m_goal, (time - m_turn) / (m_arrival - m_turn));
}

}
