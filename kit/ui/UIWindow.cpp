#include "kit/ui/UIWindow.h"

#include "kit/foundation/RunLoop.h"
#include "kit/ui/UIApplication.h"
#include "kit/ui/UIViewController.h"

namespace kit {

KIT_REGISTER_CLASS(UIWindow);

namespace {

uint64_t nextOrderedFront()
{
    static uint64_t sequence = 0;
    return ++sequence;
}

}

UIWindow::UIWindow(CGRect frame)
    : UIView(frame)
{
    UIView::setHidden(true);
    UIApplication::registerWindow(this);
}

UIWindow::~UIWindow()
{
    UIApplication::unregisterWindow(this);
}

void UIWindow::setHidden(bool hidden)
{
    bool appearing = !hidden && isHidden();
    if (appearing)
        m_orderedFront = nextOrderedFront();
    UIView::setHidden(hidden);
    if (!hidden)
        requestLayoutPass();
    if (appearing && m_rootViewController) {
        auto controller = m_rootViewController;
        controller->viewWillAppear(false);
        controller->viewDidAppear(false);
    }
}

void UIWindow::makeKeyAndVisible()
{
    makeKeyWindow();
    setHidden(false);
}

void UIWindow::makeKeyWindow()
{
    UIApplication::setKeyWindow(this);
}

bool UIWindow::isKeyWindow() const
{
    return UIApplication::sharedApplication()->keyWindow() == this;
}

void UIWindow::setRootViewController(std::shared_ptr<UIViewController> controller)
{
    if (controller == m_rootViewController)
        return;
    auto previous = std::move(m_rootViewController);
    m_rootViewController = std::move(controller);
    if (previous && previous->isViewLoaded() && previous->view()->superview() == this)
        previous->view()->removeFromSuperview();
    if (m_rootViewController) {
        auto view = m_rootViewController->viewShared();
        view->setFrame(bounds());
        view->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
        auto root = m_rootViewController;
        if (!isHidden())
            root->viewWillAppear(false);
        addSubview(view);
        if (!isHidden())
            root->viewDidAppear(false);
    }
}

UIResponder* UIWindow::nextResponder() const
{
    return UIApplication::sharedApplication();
}

void UIWindow::requestLayoutPass()
{
    // The display cycle: one observer for the process, at the end of every
    // turn of the main run loop, laying out only when something asked.
    static bool requested = false;
    static bool observing = false;
    requested = true;
    if (observing)
        return;
    observing = true;
    RunLoop::main().addTurnObserver([] {
        if (!requested)
            return;
        requested = false;
        layoutAllWindows();
    });
}

void UIWindow::layoutAllWindows()
{
    std::vector<std::shared_ptr<UIWindow>> windows;
    for (auto* window : UIApplication::sharedApplication()->windows())
        if (auto keep = window->strongRef<UIWindow>())
            windows.push_back(std::move(keep));
    for (auto& window : windows)
        window->layoutIfNeeded();
}

}
