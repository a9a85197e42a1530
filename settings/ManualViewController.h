#pragma once

// The camera's manual: four pages from the bundle's layouts. The first page
// is the controller's own view (its layout chosen by the root controller);
// the later ones are stacked on it as tagged subviews with a page curl and
// taken off again the same way. Each page's "next" and "previous" buttons
// carry the page's number as their tag. The manual needs no delegate.

#include "kit/ui/UIViewController.h"

#include <memory>
#include <string>

namespace vantor {

class ManualViewController : public kit::UIViewController {
    KIT_OBJECT(ManualViewController, kit::UIViewController)

public:
    // Seconds each page turn lasts.
    static constexpr double pageTurnDuration = 1.0;

    kit::UIViewController* initWithNibName(std::string nibName, std::shared_ptr<kit::NSBundle>) override;
    void viewDidLoad() override;

    // Curls the page after the sender's page (tag 1 to 3) up over what is
    // shown, from a fresh copy of its layout. Other tags show nothing.
    void onNext(kit::id sender);
    // Curls the sender's page (tag 2 to 4) down off the stack and discards
    // it; nothing when that page is not shown or the tag is another.
    void onPrev(kit::id sender);
};

}
