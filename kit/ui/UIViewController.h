#pragma once

#include "kit/ui/UIView.h"

#include <string>

namespace kit {

class NSBundle;
class UINavigationController;

enum UIModalPresentationStyle {
    UIModalPresentationFullScreen = 0,
    UIModalPresentationPageSheet = 1,
    UIModalPresentationFormSheet = 2,
    UIModalPresentationCurrentContext = 3,
};

// Manages one screenful of views. The view is made on first use (loadView,
// then viewDidLoad) and owned by the controller; the appearance calls come
// from whoever shows the controller (a window or a navigation controller).
class UIViewController : public UIResponder {
    KIT_OBJECT(UIViewController, UIResponder)

public:
    UIViewController() = default;

    // initWithNibName:bundle:: the view will be loaded from the layout
    // NAME.nib of the bundle (kit/ui/UINib.h) when it is first asked for,
    // with this controller as the layout's owner: its outlets are set and its
    // actions connected before viewDidLoad. A layout that is missing,
    // malformed or refused leaves a plain view, with one log line saying
    // which. Overrides call the base first; answers this controller (nothing
    // when creation fails).
    virtual UIViewController* initWithNibName(std::string nibName, std::shared_ptr<NSBundle> bundle);
    const std::string& nibName() const { return m_nibName; }
    const std::shared_ptr<NSBundle>& nibBundle() const { return m_nibBundle; }

    // Loads the view when it is not loaded yet.
    UIView* view();
    std::shared_ptr<UIView> viewShared();
    bool isViewLoaded() const { return bool(m_view); }
    // Replaces the view (nothing unloads it).
    void setView(std::shared_ptr<UIView>);

    const std::string& title() const { return m_title; }
    virtual void setTitle(std::string);

    // How the controller would be shown when presented modally; kept for
    // whoever presents it (a push ignores it).
    UIModalPresentationStyle modalPresentationStyle() const { return m_modalPresentationStyle; }
    void setModalPresentationStyle(UIModalPresentationStyle style) { m_modalPresentationStyle = style; }

    // The navigation controller whose stack holds this controller; nothing
    // when none does (or it is gone).
    UINavigationController* navigationController() const;
    UIViewController* parentViewController() const { return m_parent.lock().get(); }
    void setParentViewController(const std::shared_ptr<UIViewController>&);

    UIResponder* nextResponder() const override;

    // Overridable steps; call the base first, as on the platform.
    // Makes the view from the layout given at creation, or else a plain view
    // the size of the screen.
    virtual void loadView();
    virtual void viewDidLoad() { }
    virtual void viewWillAppear(bool) { }
    virtual void viewDidAppear(bool) { }
    virtual void viewWillDisappear(bool) { }
    virtual void viewDidDisappear(bool) { }
    virtual void viewWillLayoutSubviews() { }
    virtual void viewDidLayoutSubviews() { }
    virtual void didReceiveMemoryWarning() { }

private:
    std::shared_ptr<UIView> m_view;
    std::string m_title;
    UIModalPresentationStyle m_modalPresentationStyle { UIModalPresentationFullScreen };
    std::string m_nibName;
    std::shared_ptr<NSBundle> m_nibBundle;
    std::weak_ptr<UIViewController> m_parent;
    bool m_loading { false };
};

}
