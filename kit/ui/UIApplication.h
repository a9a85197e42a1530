#pragma once

#include "kit/ui/UIResponder.h"
#include "kit/ui/Geometry.h"

#include <memory>
#include <vector>

namespace kit {

class UIWindow;

// The application: the list of windows, the key window, touch delivery and
// the background / foreground / memory-warning events that the host drives.
//
// didReceiveMemoryWarning is registered with the runtime, so a host can
// subclass UIApplication (install its instance with setSharedApplication)
// or replace the method with MSHookMessageEx; simulateMemoryWarning sends it
// as a message.
class UIApplication : public UIResponder {
    KIT_OBJECT(UIApplication, UIResponder)

public:
    static UIApplication* sharedApplication();
    // Replaces the shared instance (a host's subclass). Windows, the key
    // window and touches in progress are kept.
    static void setSharedApplication(std::shared_ptr<UIApplication>);

    // Every window that exists, back to front: by level, then by when each
    // was last shown. Hidden windows are included.
    std::vector<UIWindow*> windows() const;
    UIWindow* keyWindow() const;

    // --- Touch input, in screen points; each finger is numbered by the caller.
    // A finger that goes down again without going up is first cancelled.
    // Moves and ups of a finger that is not down are ignored.
    void touchDown(CGPoint screenPoint, int finger = 0);
    void touchMove(CGPoint screenPoint, int finger = 0);
    void touchUp(CGPoint screenPoint, int finger = 0);
    void touchCancel(int finger = 0);
    // A down and an up at one point.
    void tap(CGPoint screenPoint, int finger = 0);
    // Drops every touch in progress without delivering anything: a fresh
    // start, as a test or a new scenario wants.
    void resetTouches();
    // The frontmost view that takes a touch at the screen point.
    UIView* hitTest(CGPoint screenPoint) const;

    // --- Life-cycle events the host drives.
    // Posts UIApplicationDidEnterBackgroundNotification.
    void enterBackground();
    // Posts UIApplicationWillEnterForegroundNotification.
    void enterForeground();
    // Sends didReceiveMemoryWarning (through the runtime), then posts
    // UIApplicationDidReceiveMemoryWarningNotification.
    void simulateMemoryWarning();
    virtual void didReceiveMemoryWarning() { }

    bool isIdleTimerDisabled() const { return m_idleTimerDisabled; }
    void setIdleTimerDisabled(bool disabled) { m_idleTimerDisabled = disabled; }

    // Window bookkeeping, for UIWindow.
    static void registerWindow(UIWindow*);
    static void unregisterWindow(UIWindow*);
    static void setKeyWindow(UIWindow*);

private:
    bool m_idleTimerDisabled { false };
};

}
