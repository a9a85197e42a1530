#pragma once

#include "kit/ui/UIViewController.h"

#include <memory>
#include <string>

namespace kit {

// The Settings app's page controller (the preferences framework's). A
// preference bundle's entry class derives from it; the Settings app creates
// the entry by name through the runtime (the class must be registered with a
// factory, KIT_REGISTER_CLASS plus staticClass()->setFactory), calls
// initForContentSize, then places it as the child of its own list and
// pushes it on its navigation controller under navigationTitle().
//
// The entry's view is what the Settings app shows for the entry: an entry
// that shows another controller's view sets it as its own in loadView
// (setView(page->viewShared())).
class PSViewController : public UIViewController {
    KIT_OBJECT(PSViewController, UIViewController)

public:
    PSViewController() = default;

    // initForContentSize:: creation for a Settings entry; the size is the
    // content area below the navigation bar. Answers this controller, or
    // nothing when creation fails (the Settings app then stays on its list).
    virtual PSViewController* initForContentSize(CGSize);

    // pushController:: shows the page on the Settings app's navigation stack,
    // sliding in. The page goes onto the stack of this controller's
    // navigation controller, or else its parent controller's. A controller
    // that the Settings app has not placed yet (one still being created)
    // has neither, and the page is not shown. A page already on the stack is
    // not pushed again.
    virtual void pushController(std::shared_ptr<UIViewController>);

    // The controller that placed this one (the Settings app's list); not owned.
    PSViewController* parentController() const { return m_parentController.lock().get(); }
    void setParentController(const std::shared_ptr<PSViewController>& parent) { m_parentController = parent; }

    // The title the navigation bar shows for this page; the title by default.
    virtual std::string navigationTitle() const { return title(); }

private:
    std::weak_ptr<PSViewController> m_parentController;
};

}
