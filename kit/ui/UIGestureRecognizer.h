#pragma once

#include "kit/foundation/Action.h"
#include "kit/ui/UIEvent.h"

#include <functional>
#include <memory>
#include <vector>

namespace kit {

class UIView;

enum UIGestureRecognizerState {
    UIGestureRecognizerStatePossible = 0,
    UIGestureRecognizerStateBegan = 1,
    UIGestureRecognizerStateChanged = 2,
    UIGestureRecognizerStateEnded = 3,
    UIGestureRecognizerStateCancelled = 4,
    UIGestureRecognizerStateFailed = 5,
    UIGestureRecognizerStateRecognized = UIGestureRecognizerStateEnded,
};

// Turns touches into a gesture. A recogniser attached to a view sees every
// touch that lands on that view or inside it, before the view does.
//
// Subclasses override the four touch methods and set the state: a discrete
// gesture goes Possible -> Recognized (or Failed); a continuous one goes
// Possible -> Began -> Changed... -> Ended (or Cancelled), or Failed. The
// actions are sent, in the order added, after the touch method that changed
// the state returns (so a subclass may set its values after the state), on
// Recognized, Began, every Changed, Ended and Cancelled; never on Failed.
// Once every touch has lifted, a recogniser that has ended, failed or been
// cancelled returns to Possible and reset() runs.
//
// When one recogniser begins or recognises, the others seeing the same
// touches fail, unless the simultaneity hook allows both; with
// cancelsTouchesInView (default on) the views are sent touchesCancelled for
// its touches and see no more of them. With delaysTouchesEnded (default on)
// a view gets a touch's end only once no recogniser is still deciding.
class UIGestureRecognizer : public Object {
    KIT_OBJECT(UIGestureRecognizer, Object)

public:
    UIGestureRecognizer() = default;
    explicit UIGestureRecognizer(Action action);
    ~UIGestureRecognizer() override;

    // Actions hold their targets weakly: a gone target is skipped.
    void addTarget(Action);
    template <typename T>
    void addTarget(const std::shared_ptr<T>& target, void (T::*method)(id sender))
    {
        addTarget(Action(target, method));
    }
    void removeAllTargets() { m_actions.clear(); }

    UIGestureRecognizerState state() const { return m_state; }
    // For subclasses and the delivery machinery; see the class comment.
    void setState(UIGestureRecognizerState);

    bool isEnabled() const { return m_enabled; }
    // Turning a recogniser off cancels a gesture in progress.
    void setEnabled(bool);

    bool cancelsTouchesInView() const { return m_cancelsTouchesInView; }
    void setCancelsTouchesInView(bool cancels) { m_cancelsTouchesInView = cancels; }
    bool delaysTouchesEnded() const { return m_delaysTouchesEnded; }
    void setDelaysTouchesEnded(bool delays) { m_delaysTouchesEnded = delays; }

    // The view it is attached to (nothing when detached). Setting it is for
    // UIView and for host code that re-targets a recogniser it owns.
    UIView* view() const { return m_view; }
    void setView(UIView*);

    // The centroid of its touches in the view's coordinates (nil: window).
    // After the touches have lifted, where they were last.
    virtual CGPoint locationInView(const UIView*) const;
    size_t numberOfTouches() const { return m_touches.size(); }
    CGPoint locationOfTouch(size_t index, const UIView*) const;

    // This recogniser only begins or recognises after the other has failed,
    // and fails when the other recognises. Remembered weakly.
    void requireGestureRecognizerToFail(const std::shared_ptr<UIGestureRecognizer>&);

    // gestureRecognizer:shouldRecognizeSimultaneouslyWithGestureRecognizer:;
    // asked of both recognisers, either answering yes allows it.
    using SimultaneityHook = std::function<bool(UIGestureRecognizer* self, UIGestureRecognizer* other)>;
    void setShouldRecognizeSimultaneously(SimultaneityHook hook) { m_simultaneity = std::move(hook); }
    bool shouldRecognizeSimultaneouslyWith(UIGestureRecognizer* other);

    // The touch methods; the default does nothing.
    virtual void touchesBegan(const UITouchSet&, UIEvent*) { }
    virtual void touchesMoved(const UITouchSet&, UIEvent*) { }
    virtual void touchesEnded(const UITouchSet&, UIEvent*) { }
    virtual void touchesCancelled(const UITouchSet&, UIEvent*) { }
    // Called when the recogniser returns to Possible; subclasses clear their
    // per-gesture values here.
    virtual void reset() { }

    // Whether a new touch may join the gesture; the default takes touches
    // while the recogniser is Possible, Began or Changed.
    virtual bool acceptsTouches() const;
    // Whether it is still deciding with no touch down (a tap waiting for the
    // next tap), which holds back recognisers that require it to fail.
    virtual bool isDeciding() const { return false; }

    // --- For the delivery machinery.
    const std::vector<std::shared_ptr<UITouch>>& trackedTouches() const { return m_touches; }
    void addTrackedTouch(const std::shared_ptr<UITouch>&);
    void removeTrackedTouch(const UITouch*);
    // Runs a touch method and then sends what its state changes call for.
    void deliver(void (UIGestureRecognizer::*method)(const UITouchSet&, UIEvent*), const UITouchSet&, UIEvent*);
    // Back to Possible, once finished and without touches.
    void resetIfFinished();
    // The state it asked for while waiting on a recogniser it requires to fail.
    bool isWaitingForFailure() const { return m_waitingState != UIGestureRecognizerStatePossible; }
    void failureRequirementChanged();

protected:
    // Seconds on the main run loop's clock.
    static double now();

private:
    void applyState(UIGestureRecognizerState);
    void flush();
    bool blockedByRequirement() const;

    std::vector<Action> m_actions;
    std::vector<std::shared_ptr<UITouch>> m_touches;
    std::vector<std::weak_ptr<UIGestureRecognizer>> m_requiredToFail;
    SimultaneityHook m_simultaneity;
    UIView* m_view { nullptr };
    UIGestureRecognizerState m_state { UIGestureRecognizerStatePossible };
    UIGestureRecognizerState m_waitingState { UIGestureRecognizerStatePossible };
    CGPoint m_lastLocation;
    bool m_enabled { true };
    bool m_cancelsTouchesInView { true };
    bool m_delaysTouchesEnded { true };
    bool m_actionPending { false };
    int m_inTouchMethod { 0 };
};

}
