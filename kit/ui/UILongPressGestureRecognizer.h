#pragma once

#include "kit/foundation/RunLoop.h"
#include "kit/ui/UIGestureRecognizer.h"

namespace kit {

// Recognises a finger held still (continuous): Began once it has been down
// for minimumPressDuration without moving more than allowableMovement,
// Changed as it then moves, Ended when it lifts. Lifting or moving too far
// before that fails it. Time is the main run loop's clock.
class UILongPressGestureRecognizer : public UIGestureRecognizer {
    KIT_OBJECT(UILongPressGestureRecognizer, UIGestureRecognizer)

public:
    using UIGestureRecognizer::UIGestureRecognizer;

    // Seconds, >= 0; default 0.5.
    double minimumPressDuration() const { return m_minimumPressDuration; }
    void setMinimumPressDuration(double seconds) { m_minimumPressDuration = std::max(0.0, seconds); }
    // Points, >= 0; default 10.
    double allowableMovement() const { return m_allowableMovement; }
    void setAllowableMovement(double points) { m_allowableMovement = std::max(0.0, points); }
    int numberOfTouchesRequired() const { return m_touchesRequired; }
    void setNumberOfTouchesRequired(int touches) { m_touchesRequired = std::max(1, touches); }

    void touchesBegan(const UITouchSet&, UIEvent*) override;
    void touchesMoved(const UITouchSet&, UIEvent*) override;
    void touchesEnded(const UITouchSet&, UIEvent*) override;
    void touchesCancelled(const UITouchSet&, UIEvent*) override;
    void reset() override;

private:
    void stopTimer();

    double m_minimumPressDuration { 0.5 };
    double m_allowableMovement { 10 };
    int m_touchesRequired { 1 };
    CGPoint m_start;
    std::shared_ptr<ScheduledTask> m_timer;
};

}
