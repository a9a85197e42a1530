#pragma once

#include "kit/ui/UIView.h"

namespace kit {

class UIViewController;

using UIWindowLevel = CGFloat;
inline constexpr UIWindowLevel UIWindowLevelNormal = 0;
inline constexpr UIWindowLevel UIWindowLevelStatusBar = 1000;
inline constexpr UIWindowLevel UIWindowLevelAlert = 2000;

// A top-level view on the screen. Its frame is in screen points. Windows
// start hidden, as on the platform; a shown window is drawn and touched in
// order of its level (higher in front), and among equal levels the one
// shown last is in front. The application lists windows while they exist;
// whoever made a window owns it.
class UIWindow : public UIView {
    KIT_OBJECT(UIWindow, UIView)

public:
    explicit UIWindow(CGRect frame = CGRectZero);
    ~UIWindow() override;

    UIWindowLevel windowLevel() const { return m_windowLevel; }
    void setWindowLevel(UIWindowLevel level) { m_windowLevel = level; }

    // Showing a window puts it in front of the windows of its level.
    void setHidden(bool) override;
    void makeKeyAndVisible();
    void makeKeyWindow();
    bool isKeyWindow() const;

    // Its view fills the window and goes in at once; the old controller's
    // view leaves.
    const std::shared_ptr<UIViewController>& rootViewController() const { return m_rootViewController; }
    void setRootViewController(std::shared_ptr<UIViewController>);

    UIResponder* nextResponder() const override;

    // Increases each time a window is shown; orders windows of one level.
    uint64_t orderedFrontSequence() const { return m_orderedFront; }

    // Lays out every window at the end of this run-loop turn (once however
    // often it is asked for), as the display cycle does whether or not
    // anything is drawn.
    static void requestLayoutPass();
    // Lays out every window now.
    static void layoutAllWindows();

private:
    UIWindowLevel m_windowLevel { UIWindowLevelNormal };
    uint64_t m_orderedFront { 0 };
    std::shared_ptr<UIViewController> m_rootViewController;
};

}
