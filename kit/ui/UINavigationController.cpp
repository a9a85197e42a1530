#include "kit/ui/UINavigationController.h"

#include "kit/ui/UIButton.h"
#include "kit/ui/UIColor.h"
#include "kit/ui/UIFont.h"
#include "kit/ui/UILabel.h"
#include "kit/ui/UIScreen.h"

#include <algorithm>

namespace kit {

KIT_REGISTER_CLASS(UINavigationController);

std::shared_ptr<UINavigationController> UINavigationController::withRootViewController(std::shared_ptr<UIViewController> root)
{
    auto navigation = std::make_shared<UINavigationController>();
    if (root)
        navigation->pushViewController(std::move(root), false);
    return navigation;
}

void UINavigationController::adopt(const std::shared_ptr<UIViewController>& controller)
{
    controller->setParentViewController(strongRef<UIViewController>());
}

void UINavigationController::loadView()
{
    auto root = std::make_shared<UIView>(UIScreen::mainScreen()->bounds());
    root->setBackgroundColor(UIColor::whiteColor());
    CGFloat width = root->bounds().size.width;
    m_bar = std::make_shared<UIView>(CGRectMake(0, 0, width, statusBarHeight + navigationBarHeight));
    m_bar->setBackgroundColor(UIColor::colorWithWhite(0.97, 1));
    m_bar->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    m_titleLabel = std::make_shared<UILabel>(CGRectMake(80, statusBarHeight, std::max<CGFloat>(0, width - 160), navigationBarHeight));
    m_titleLabel->setTextAlignment(NSTextAlignmentCenter);
    m_titleLabel->setFont(UIFont::boldSystemFontOfSize(17));
    m_titleLabel->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    m_bar->addSubview(m_titleLabel);
    // The hairline that parts the bar from the page.
    auto hairline = std::make_shared<UIView>(CGRectMake(0, statusBarHeight + navigationBarHeight - 0.5, width, 0.5));
    hairline->setBackgroundColor(UIColor::colorWithWhite(0.7, 1));
    hairline->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    m_bar->addSubview(hairline);
    m_backButton = UIButton::buttonWithType(UIButtonTypeSystem);
    m_backButton->titleLabel()->setFont(UIFont::systemFontOfSize(17));
    m_backButton->setFrame(CGRectMake(0, statusBarHeight, 100, navigationBarHeight));
    std::weak_ptr<UINavigationController> weak = strongRef<UINavigationController>();
    m_backButton->addTarget(Action::function([weak](id) {
        if (auto self = weak.lock())
            self->popViewControllerAnimated(true);
    }),
        UIControlEventTouchUpInside);
    m_bar->addSubview(m_backButton);
    root->addSubview(m_bar);
    setView(root);
    if (auto* top = topViewController()) {
        auto content = top->viewShared();
        content->setFrame(contentFrame());
        content->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
        root->insertSubview(content, 0);
    }
    updateBar();
}

CGRect UINavigationController::contentFrame() const
{
    CGRect b = isViewLoaded() ? const_cast<UINavigationController*>(this)->view()->bounds() : UIScreen::mainScreen()->bounds();
    CGFloat top = m_barHidden ? 0 : statusBarHeight + navigationBarHeight;
    return CGRectMake(0, top, b.size.width, std::max<CGFloat>(0, b.size.height - top));
}

void UINavigationController::updateBar()
{
    if (!m_bar)
        return;
    m_bar->setHidden(m_barHidden);
    m_titleLabel->setText(topViewController() ? topViewController()->title() : "");
    bool canGoBack = m_stack.size() > 1;
    m_backButton->setHidden(!canGoBack);
    if (canGoBack) {
        const std::string& previous = m_stack[m_stack.size() - 2]->title();
        m_backButton->setTitle("\u2039 " + (previous.empty() ? std::string("Back") : previous), UIControlStateNormal);
    }
}

void UINavigationController::transition(const std::shared_ptr<UIViewController>& from,
    const std::shared_ptr<UIViewController>& to, bool forward, bool animated)
{
    updateBar();
    if (!isViewLoaded() || from == to)
        return;
    auto keep = strongRef<UINavigationController>();
    UIView* root = view();
    CGRect frame = contentFrame();
    if (from)
        from->viewWillDisappear(animated);
    std::shared_ptr<UIView> incoming;
    if (to) {
        incoming = to->viewShared();
        incoming->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
        to->viewWillAppear(animated);
    }
    std::shared_ptr<UIView> outgoing = from && from->isViewLoaded() ? from->viewShared() : nullptr;
    auto finish = [from, to, outgoing, animated](bool) {
        if (outgoing)
            outgoing->removeFromSuperview();
        if (from)
            from->viewDidDisappear(animated);
        if (to)
            to->viewDidAppear(animated);
    };
    if (incoming) {
        CGFloat width = frame.size.width;
        incoming->setFrame(CGRectOffset(frame, animated ? (forward ? width : -width / 3) : 0, 0));
        if (outgoing && !forward)
            root->insertSubviewBelow(incoming, outgoing.get());
        else if (m_bar)
            root->insertSubviewBelow(incoming, m_bar.get());
        else
            root->addSubview(incoming);
    }
    if (!animated) {
        finish(true);
        return;
    }
    UIView::animateWithDuration(0.35, 0, UIViewAnimationOptionCurveEaseInOut,
        [&] {
            if (incoming)
                incoming->setFrame(frame);
            if (outgoing)
                outgoing->setFrame(CGRectOffset(frame, forward ? -frame.size.width / 3 : frame.size.width, 0));
        },
        finish);
}

void UINavigationController::pushViewController(std::shared_ptr<UIViewController> controller, bool animated)
{
    if (!controller || std::find(m_stack.begin(), m_stack.end(), controller) != m_stack.end())
        return;
    auto from = m_stack.empty() ? nullptr : m_stack.back();
    adopt(controller);
    m_stack.push_back(controller);
    transition(from, controller, true, animated && from);
}

std::shared_ptr<UIViewController> UINavigationController::popViewControllerAnimated(bool animated)
{
    if (m_stack.size() < 2)
        return nullptr;
    auto popped = m_stack.back();
    m_stack.pop_back();
    transition(popped, m_stack.back(), false, animated);
    popped->setParentViewController(nullptr);
    return popped;
}

std::vector<std::shared_ptr<UIViewController>> UINavigationController::popToRootViewControllerAnimated(bool animated)
{
    if (m_stack.size() < 2)
        return {};
    auto top = m_stack.back();
    std::vector<std::shared_ptr<UIViewController>> popped(m_stack.begin() + 1, m_stack.end());
    m_stack.resize(1);
    transition(top, m_stack.back(), false, animated);
    for (auto& controller : popped)
        controller->setParentViewController(nullptr);
    return popped;
}

void UINavigationController::setViewControllers(std::vector<std::shared_ptr<UIViewController>> controllers, bool animated)
{
    auto from = m_stack.empty() ? nullptr : m_stack.back();
    for (auto& controller : m_stack)
        controller->setParentViewController(nullptr);
    m_stack.clear();
    for (auto& controller : controllers)
        if (controller && std::find(m_stack.begin(), m_stack.end(), controller) == m_stack.end()) {
            adopt(controller);
            m_stack.push_back(controller);
        }
    transition(from, m_stack.empty() ? nullptr : m_stack.back(), true, animated && from);
}

void UINavigationController::setNavigationBarHidden(bool hidden, bool)
{
    m_barHidden = hidden;
    updateBar();
    if (auto* top = topViewController(); top && top->isViewLoaded() && isViewLoaded())
        top->view()->setFrame(contentFrame());
}

void UINavigationController::viewWillAppear(bool animated)
{
    UIViewController::viewWillAppear(animated);
    if (auto* top = topViewController())
        top->viewWillAppear(animated);
}

void UINavigationController::viewDidAppear(bool animated)
{
    UIViewController::viewDidAppear(animated);
    if (auto* top = topViewController())
        top->viewDidAppear(animated);
}

void UINavigationController::viewWillDisappear(bool animated)
{
    UIViewController::viewWillDisappear(animated);
    if (auto* top = topViewController())
        top->viewWillDisappear(animated);
}

void UINavigationController::viewDidDisappear(bool animated)
{
    UIViewController::viewDidDisappear(animated);
    if (auto* top = topViewController())
        top->viewDidDisappear(animated);
}

}
