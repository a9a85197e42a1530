#include "kit/ui/UIViewController.h"

#include "kit/foundation/SystemLog.h"
#include "kit/ui/UINavigationController.h"
#include "kit/ui/UINib.h"
#include "kit/ui/UIScreen.h"

namespace kit {

KIT_REGISTER_CLASS(UIViewController);

UIView* UIViewController::view()
{
    return viewShared().get();
}

std::shared_ptr<UIView> UIViewController::viewShared()
{
    if (!m_view && !m_loading) {
        m_loading = true;
        loadView();
        if (!m_view)
            setView(std::make_shared<UIView>(UIScreen::mainScreen()->bounds()));
        m_loading = false;
        viewDidLoad();
    }
    return m_view;
}

void UIViewController::setView(std::shared_ptr<UIView> view)
{
    if (view == m_view)
        return;
    if (m_view)
        m_view->setViewControllerForRootView(nullptr);
    m_view = std::move(view);
    if (m_view) {
        auto self = strongRef<UIViewController>();
        if (self)
            m_view->setViewControllerForRootView(self);
        else
            logf("UIViewController: %s is not owned by a shared pointer; its view will not find it", className());
    }
}

UIViewController* UIViewController::initWithNibName(std::string nibName, std::shared_ptr<NSBundle> bundle)
{
    m_nibName = std::move(nibName);
    m_nibBundle = std::move(bundle);
    return this;
}

void UIViewController::loadView()
{
    // The layout sets the view through its "view" outlet, or else its first
    // top-level view is the view; a layout that was refused has logged why,
    // and the page opens on a plain view.
    if (!m_nibName.empty()) {
        auto views = UINib::nibWithNibName(m_nibName, m_nibBundle)->instantiateWithOwner(this);
        if (!isViewLoaded() && views && !views->empty())
            setView(views->front());
    }
    if (!isViewLoaded())
        setView(std::make_shared<UIView>(UIScreen::mainScreen()->bounds()));
}

void UIViewController::setTitle(std::string title)
{
    m_title = std::move(title);
}

UINavigationController* UIViewController::navigationController() const
{
    for (auto parent = m_parent.lock(); parent; parent = parent->m_parent.lock())
        if (auto* navigation = dynamic_cast<UINavigationController*>(parent.get()))
            return navigation;
    return nullptr;
}

void UIViewController::setParentViewController(const std::shared_ptr<UIViewController>& parent)
{
    m_parent = parent;
}

UIResponder* UIViewController::nextResponder() const
{
    if (m_view && m_view->superview())
        return m_view->superview();
    return nullptr;
}

}
