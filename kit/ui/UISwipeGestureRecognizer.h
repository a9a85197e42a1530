#pragma once

#include "kit/foundation/RunLoop.h"
#include "kit/ui/UIGestureRecognizer.h"

namespace kit {

using UISwipeGestureRecognizerDirection = uint32_t;
inline constexpr UISwipeGestureRecognizerDirection UISwipeGestureRecognizerDirectionRight = 1 << 0;
inline constexpr UISwipeGestureRecognizerDirection UISwipeGestureRecognizerDirectionLeft = 1 << 1;
inline constexpr UISwipeGestureRecognizerDirection UISwipeGestureRecognizerDirectionUp = 1 << 2;
inline constexpr UISwipeGestureRecognizerDirection UISwipeGestureRecognizerDirectionDown = 1 << 3;

// Recognises a quick stroke in one of the allowed directions (discrete), as
// soon as the finger has gone far enough, straight enough, fast enough. It
// fails when the time runs out first, when the finger lifts first, or when
// the stroke strays from every allowed direction.
class UISwipeGestureRecognizer : public UIGestureRecognizer {
    KIT_OBJECT(UISwipeGestureRecognizer, UIGestureRecognizer)

public:
    struct Config {
        // Points to travel along the direction.
        double minimumDistance { 50 };
        // Seconds from touch-down in which to travel it (so at least
        // minimumDistance / maximumDuration points per second on average).
        double maximumDuration { 0.5 };
        // The largest sideways travel, as a share of the travel along the
        // direction (0.5: about 27 degrees off the axis).
        double maximumDeviation { 0.5 };
        // Points a finger may stray before the stroke counts as astray.
        double slop { 10 };
    };

    using UIGestureRecognizer::UIGestureRecognizer;

    // A mask of the allowed directions; default right.
    UISwipeGestureRecognizerDirection direction() const { return m_direction; }
    void setDirection(UISwipeGestureRecognizerDirection direction) { m_direction = direction; }
    int numberOfTouchesRequired() const { return m_touchesRequired; }
    void setNumberOfTouchesRequired(int touches) { m_touchesRequired = std::max(1, touches); }
    Config& config() { return m_config; }

    void touchesBegan(const UITouchSet&, UIEvent*) override;
    void touchesMoved(const UITouchSet&, UIEvent*) override;
    void touchesEnded(const UITouchSet&, UIEvent*) override;
    void touchesCancelled(const UITouchSet&, UIEvent*) override;
    void reset() override;

private:
    void stopTimer();

    Config m_config;
    UISwipeGestureRecognizerDirection m_direction { UISwipeGestureRecognizerDirectionRight };
    int m_touchesRequired { 1 };
    CGPoint m_start;
    double m_startTime { 0 };
    std::shared_ptr<ScheduledTask> m_timer;
};

}
