#include "common/CAM_Tools.h"

#include "extension/elements/BlurView.h"

#include "kit/ui/UIColor.h"

#include <vector>

namespace vantor {

std::shared_ptr<BlurView> CAM_Tools::CreateAndConfigureBlurView(kit::CGRect rect)
{
    auto view = std::make_shared<BlurView>(kit::CGRectMake(0, 0, rect.size.width, rect.size.height));
    view->setBlurEdges(false);
    view->setBlurRadius(10);
    // An additive dark grey (0.1, opaque) over the blurred backdrop.
    auto tint = kit::CAFilter::filterWithName(kit::kCAFilterColorAdd);
    tint->setValue(std::vector<double> { 0.1, 0.1, 0.1, 1.0 }, "inputColor");
    view->setTintColorFilter(std::move(tint));
    return view;
}

std::shared_ptr<kit::UIView> CAM_Tools::CreatePlainBackgroundView(kit::CGRect rect)
{
    auto view = std::make_shared<kit::UIView>(kit::CGRectMake(0, 0, rect.size.width, rect.size.height));
    view->setBackgroundColor(kit::UIColor::lightGrayColor());
    view->setAlpha(0.5);
    return view;
}

}
