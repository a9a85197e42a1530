#include "host/springboard/SBDockView.h"

#include "kit/ui/CAFilter.h"
#include "kit/ui/UIColor.h"

namespace host {

KIT_REGISTER_CLASS(SBDockView);

SBDockView::SBDockView(kit::CGRect frame)
    : UIView(frame)
{
    setBackgroundColor(kit::UIColor::colorWithWhite(1, 0.12));
    setOpaque(false);
    auto blur = kit::CAFilter::filterWithType(kit::kCAFilterGaussianBlur);
    blur->setValue(12.0, "inputRadius");
    auto lighten = kit::CAFilter::filterWithType(kit::kCAFilterColorAdd);
    lighten->setValue(std::vector<double> { 0.12, 0.12, 0.14, 0 }, "inputColor");
    layer()->setFilters({ blur, lighten });
}

}
