#pragma once

#include "kit/foundation/RunLoop.h"
#include "kit/ui/UIGestureRecognizer.h"

namespace kit {

// Recognises one or more quick taps (discrete). It fails when a finger moves
// too far, when more fingers than required come down, or when the next tap
// does not follow soon enough.
class UITapGestureRecognizer : public UIGestureRecognizer {
    KIT_OBJECT(UITapGestureRecognizer, UIGestureRecognizer)

public:
    struct Config {
        // Points a finger may move during a tap.
        double maximumMovement { 10 };
        // Seconds from one tap's lift to the next touch-down.
        double maximumTapInterval { 0.35 };
        // Points between the first tap and the later ones.
        double maximumTapDistance { 45 };
    };

    using UIGestureRecognizer::UIGestureRecognizer;

    // >= 1.
    int numberOfTapsRequired() const { return m_tapsRequired; }
    void setNumberOfTapsRequired(int taps) { m_tapsRequired = std::max(1, taps); }
    int numberOfTouchesRequired() const { return m_touchesRequired; }
    void setNumberOfTouchesRequired(int touches) { m_touchesRequired = std::max(1, touches); }
    Config& config() { return m_config; }

    void touchesBegan(const UITouchSet&, UIEvent*) override;
    void touchesMoved(const UITouchSet&, UIEvent*) override;
    void touchesEnded(const UITouchSet&, UIEvent*) override;
    void touchesCancelled(const UITouchSet&, UIEvent*) override;
    void reset() override;
    bool isDeciding() const override { return m_waitingForNextTap != nullptr; }

private:
    void stopWaiting();

    Config m_config;
    int m_tapsRequired { 1 };
    int m_touchesRequired { 1 };
    int m_taps { 0 };
    size_t m_mostTouches { 0 };
    CGPoint m_firstLocation;
    CGPoint m_tapStart;
    std::shared_ptr<ScheduledTask> m_waitingForNextTap;
};

}
