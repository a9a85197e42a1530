#pragma once

#include "kit/ui/UIEvent.h"

#include <memory>
#include <vector>

namespace kit {

class UIGestureRecognizer;
class UIView;

// Takes the host's finger events and hands them out: each touch goes to the
// view hit on touch-down (hit-testing the windows from the front), first to
// the enabled gesture recognisers of that view and its ancestors, then to the
// view's touch methods (which pass them up the responder chain). It also
// settles the recognisers' contest: exclusivity, cancelsTouchesInView,
// delaysTouchesEnded and failure requirements. UIApplication forwards to it.
class TouchDelivery {
public:
    struct Config {
        // A touch-down this soon (seconds) after the previous tap lifted,
        // and this near it (points), counts one more tap.
        double tapInterval { 0.35 };
        double tapDistance { 45 };
    };

    static TouchDelivery& shared();

    void down(CGPoint screenPoint, int finger);
    void move(CGPoint screenPoint, int finger);
    void up(CGPoint screenPoint, int finger);
    void cancel(int finger);

    UIView* hitTest(CGPoint screenPoint, UIEvent*) const;

    // --- For UIGestureRecognizer.
    // Whether no other recogniser already owns the touches it shares.
    bool mayBegin(UIGestureRecognizer*);
    // After a recogniser's state changed: others fail, views lose their
    // touches, recognisers waiting on failures and delayed touch ends move on.
    void stateChanged(UIGestureRecognizer*);
    void addWaiting(const std::shared_ptr<UIGestureRecognizer>&);
    // The run loop was reset: drop every touch without delivering anything.
    void forgetAll();

private:
    struct Active {
        std::shared_ptr<UITouch> touch;
        std::vector<std::shared_ptr<UIGestureRecognizer>> recognizers;
        bool viewCancelled { false };
        bool ended { false };
        bool endPending { false };
    };

    std::shared_ptr<Active> find(int finger) const;
    UIEvent* prepareEvent(const UITouch* current);
    void deliverToRecognizers(const Active&, void (UIGestureRecognizer::*)(const UITouchSet&, UIEvent*), UIEvent*);
    void finish(const std::shared_ptr<UITouch>&, bool cancelled);
    void releasePendingEnds();
    std::vector<std::shared_ptr<UIGestureRecognizer>> sharingTouchesWith(UIGestureRecognizer*) const;
    bool isDelayingEnd(const Active&) const;

    Config m_config;
    std::vector<std::shared_ptr<Active>> m_active;
    std::vector<std::weak_ptr<UIGestureRecognizer>> m_waiting;
    std::shared_ptr<UIEvent> m_event { std::make_shared<UIEvent>() };
    double m_lastTapTime { -1e9 };
    CGPoint m_lastTapLocation;
    int m_lastTapCount { 0 };
};

}
