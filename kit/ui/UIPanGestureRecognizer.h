#pragma once

#include "kit/ui/UIGestureRecognizer.h"

#include <deque>

namespace kit {

// Recognises a drag (continuous): Began once the fingers' centroid has moved
// past the slop, Changed with every move after, Ended when the last finger
// lifts. Lifting before the slop is passed fails it.
class UIPanGestureRecognizer : public UIGestureRecognizer {
    KIT_OBJECT(UIPanGestureRecognizer, UIGestureRecognizer)

public:
    struct Config {
        // Points the centroid moves before the pan begins.
        double minimumMovement { 10 };
        // Seconds of recent movement that the velocity is measured over.
        double velocityWindow { 0.1 };
    };

    using UIGestureRecognizer::UIGestureRecognizer;

    int minimumNumberOfTouches() const { return m_minimumTouches; }
    void setMinimumNumberOfTouches(int touches) { m_minimumTouches = std::max(1, touches); }
    int maximumNumberOfTouches() const { return m_maximumTouches; }
    void setMaximumNumberOfTouches(int touches) { m_maximumTouches = std::max(1, touches); }
    Config& config() { return m_config; }

    // The centroid's travel since touch-down (or since setTranslation), as a
    // vector in the view's coordinates (nil: the window's).
    CGPoint translationInView(const UIView*) const;
    void setTranslation(CGPoint, const UIView*);
    // Points per second in the view's coordinates, over the recent moves.
    CGPoint velocityInView(const UIView*) const;

    void touchesBegan(const UITouchSet&, UIEvent*) override;
    void touchesMoved(const UITouchSet&, UIEvent*) override;
    void touchesEnded(const UITouchSet&, UIEvent*) override;
    void touchesCancelled(const UITouchSet&, UIEvent*) override;
    void reset() override;

private:
    CGPoint centroid() const;
    // A screen vector as seen in a view's coordinates, and back.
    CGPoint vectorInView(CGPoint screenVector, const UIView*) const;
    CGPoint vectorFromView(CGPoint vector, const UIView*) const;
    void sample();

    Config m_config;
    int m_minimumTouches { 1 };
    int m_maximumTouches { 1 << 20 };
    CGPoint m_origin;
    CGPoint m_current;
    struct Sample {
        double time;
        CGPoint location;
    };
    std::deque<Sample> m_samples;
};

}
