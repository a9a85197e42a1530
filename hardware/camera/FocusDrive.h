#pragma once

namespace hardware {

// The lens's focusing motor: where the lens is focused (dioptres) over time.
// A move sweeps a little past the goal and comes back, as a contrast-seeking
// focus does, taking from 0.15 s for a small step to 0.4 s across the whole
// range. Times in seconds on the run loop's clock.
class FocusDrive {
public:
    explicit FocusDrive(double nearness = 0) { hold(nearness); }

    void hold(double nearness);
    void moveTo(double goal, double now);
    // Stops where the lens is then.
    void stopAt(double time) { hold(at(time)); }

    double at(double time) const;
    double goal() const { return m_goal; }
    double arrival() const { return m_arrival; }
    bool isMovingAt(double time) const { return time < m_arrival; }

private:
    double m_from { 0 };
    double m_past { 0 };
    double m_goal { 0 };
    double m_start { 0 };
    double m_turn { 0 };
    double m_arrival { 0 };
};

}
