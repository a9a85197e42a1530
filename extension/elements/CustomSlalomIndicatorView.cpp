#include "extension/elements/CustomSlalomIndicatorView.h"

#include "extension/elements/ElementStyle.h"
#include "extension/startup/Globals.h"

#include "kit/ui/UIColor.h"
#include "kit/ui/UIImageView.h"
#include "kit/ui/UILabel.h"
#include "kit/ui/UITapGestureRecognizer.h"

namespace vantor {

KIT_REGISTER_CLASS(CustomSlalomIndicatorView);

namespace {

std::shared_ptr<kit::UILabel> makeLabel(kit::CGRect frame, kit::CGFloat fontSize, std::string text)
{
    auto label = std::make_shared<kit::UILabel>(frame);
    label->setFont(indicatorFont(fontSize));
    label->setTextColor(indicatorColor());
    label->setTextAlignment(kit::NSTextAlignmentCenter);
    label->setText(std::move(text));
    return label;
}

}

CustomSlalomIndicatorView::CustomSlalomIndicatorView(kit::CGRect frame, kit::Action callback)
    : kit::UIView(frame)
{
    setAutoresizesSubviews(false);
    setBackgroundColor(kit::UIColor::clearColor());
    __indicatorType = IndicatorTypeFrameRate;
    _framesPerSecond = 30;

    kit::CGFloat width = frame.size.width;
    __framerateNumberLabel = makeLabel(kit::CGRectMake(0, 4, width, 21), IS_IPAD ? 19 : 18, std::to_string(_framesPerSecond));
    addSubview(__framerateNumberLabel);
    __framerateLabel = makeLabel(kit::CGRectMake(0, 18, width, 23), IS_IPAD ? 14 : 13, "FPS");
    addSubview(__framerateLabel);

    setUserInteractionEnabled(true);
    addGestureRecognizer(std::make_shared<kit::UITapGestureRecognizer>(std::move(callback)));
}

CustomSlalomIndicatorView::~CustomSlalomIndicatorView()
{
    for (auto* view : { static_cast<kit::UIView*>(__framerateNumberLabel.get()),
             static_cast<kit::UIView*>(__framerateLabel.get()), static_cast<kit::UIView*>(__resolutionImgView.get()) }) {
        if (view)
            view->removeFromSuperview();
    }
}

void CustomSlalomIndicatorView::setFramesPerSecond(int32_t framesPerSecond)
{
    _framesPerSecond = framesPerSecond;
    __framerateNumberLabel->setText(std::to_string(framesPerSecond));
}

void CustomSlalomIndicatorView::setLabelText(std::string text) { __framerateLabel->setText(std::move(text)); }

void CustomSlalomIndicatorView::setIndicatorType(int32_t type)
{
    __indicatorType = type;
    if (type == IndicatorTypeFrameRate) {
        __framerateNumberLabel->setHidden(false);
        return;
    }
    if (type != IndicatorTypeDimension)
        return;
    __framerateNumberLabel->setHidden(true);
    __framerateLabel->setFont(indicatorFont(IS_IPAD ? 14 : 12));
    if (!__resolutionImgView) {
        __resolutionImgView = std::make_shared<kit::UIImageView>(kit::CGRectMake(15, 5, 22.5, 16.5));
        addSubview(__resolutionImgView);
    }
}

void CustomSlalomIndicatorView::setResolutionImgFrame(kit::CGRect frame)
{
    if (__resolutionImgView)
        __resolutionImgView->setFrame(frame);
}

void CustomSlalomIndicatorView::setResolutionImg(std::shared_ptr<kit::UIImage> image)
{
    if (__resolutionImgView)
        __resolutionImgView->setImage(std::move(image));
}

}
