#include "kit/ui/PSViewController.h"

#include "kit/ui/UINavigationController.h"

namespace kit {

KIT_REGISTER_CLASS(PSViewController);

PSViewController* PSViewController::initForContentSize(CGSize)
{
    return this;
}

void PSViewController::pushController(std::shared_ptr<UIViewController> controller)
{
    if (!controller)
        return;
    if (auto* navigation = navigationController()) {
        navigation->pushViewController(std::move(controller), true);
        return;
    }
    if (auto* parent = parentController(); parent && parent != this)
        parent->pushController(std::move(controller));
}

}
