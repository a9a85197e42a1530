#pragma once

#include "kit/ui/UIViewController.h"

#include <vector>

namespace kit {

class UIButton;
class UILabel;

// A stack of controllers, the top one shown below a navigation bar that
// holds its title and, above the root, a back button titled with the
// previous controller's title ("Back" when it has none) that pops.
//
// Pushing and popping update the stack at once. When the view is loaded the
// views swap, sliding over 0.35 s when animated, with viewWillAppear /
// viewWillDisappear before and viewDidAppear / viewDidDisappear after (at the
// end of the slide). Controllers on the stack are owned by it and find it
// through navigationController().
class UINavigationController : public UIViewController {
    KIT_OBJECT(UINavigationController, UIViewController)

public:
    // Points.
    static constexpr CGFloat statusBarHeight = 20;
    static constexpr CGFloat navigationBarHeight = 44;

    UINavigationController() = default;
    // initWithRootViewController:.
    static std::shared_ptr<UINavigationController> withRootViewController(std::shared_ptr<UIViewController>);

    const std::vector<std::shared_ptr<UIViewController>>& viewControllers() const { return m_stack; }
    void setViewControllers(std::vector<std::shared_ptr<UIViewController>>, bool animated);
    UIViewController* topViewController() const { return m_stack.empty() ? nullptr : m_stack.back().get(); }
    UIViewController* visibleViewController() const { return topViewController(); }

    // A controller already on the stack is not pushed again.
    void pushViewController(std::shared_ptr<UIViewController>, bool animated);
    // The root is never popped; answers the popped controller.
    std::shared_ptr<UIViewController> popViewControllerAnimated(bool animated);
    std::vector<std::shared_ptr<UIViewController>> popToRootViewControllerAnimated(bool animated);

    UIView* navigationBar() { view(); return m_bar.get(); }
    bool isNavigationBarHidden() const { return m_barHidden; }
    void setNavigationBarHidden(bool hidden, bool animated);

    void loadView() override;
    void viewWillAppear(bool) override;
    void viewDidAppear(bool) override;
    void viewWillDisappear(bool) override;
    void viewDidDisappear(bool) override;

private:
    void transition(const std::shared_ptr<UIViewController>& from, const std::shared_ptr<UIViewController>& to,
        bool forward, bool animated);
    void updateBar();
    CGRect contentFrame() const;
    void adopt(const std::shared_ptr<UIViewController>&);

    std::vector<std::shared_ptr<UIViewController>> m_stack;
    std::shared_ptr<UIView> m_bar;
    std::shared_ptr<UILabel> m_titleLabel;
    std::shared_ptr<UIButton> m_backButton;
    bool m_barHidden { false };
};

}
