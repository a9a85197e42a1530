#include "extension/elements/CustomDimensionViewButton.h"

#include "extension/elements/ElementStyle.h"

#include "kit/ui/UIImageView.h"
#include "kit/ui/UILabel.h"
#include "kit/ui/UITapGestureRecognizer.h"

namespace vantor {

KIT_REGISTER_CLASS(CustomDimensionViewButton);

CustomDimensionViewButton::CustomDimensionViewButton(kit::CGRect frame, kit::Action callback, int32_t height)
    : kit::UIView(frame)
{
    setTag(height);
    HeightBadge badge = heightBadge(height, true);
    auto image = resourceImage(badge.imageName);
    if (!image) {
        setUserInteractionEnabled(false);
        return;
    }

    auto badgeView = std::make_shared<kit::UIImageView>(badge.frame);
    badgeView->setImage(std::move(image));
    addSubview(badgeView);

    auto label = std::make_shared<kit::UILabel>(kit::CGRectMake(0, 20, frame.size.width, 23));
    label->setFont(indicatorFont(14));
    label->setTextAlignment(kit::NSTextAlignmentCenter);
    label->setText(heightText(height));
    label->setTextColor(indicatorColor());
    addSubview(label);

    setUserInteractionEnabled(true);
    addGestureRecognizer(std::make_shared<kit::UITapGestureRecognizer>(std::move(callback)));
}

bool CustomDimensionViewButton::pointInside(kit::CGPoint point, kit::UIEvent* event)
{
    return kit::CGRectContainsPoint(frame(), point) || kit::UIView::pointInside(point, event);
}

}
