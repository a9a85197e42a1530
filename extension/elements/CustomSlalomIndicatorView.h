#pragma once

#include "kit/foundation/Action.h"
#include "kit/ui/UIView.h"

#include <cstdint>
#include <memory>
#include <string>

namespace kit {
class UIImage;
class UIImageView;
class UILabel;
}

namespace vantor {

// A small indicator on the bottom bar: the frame rate as a number over
// "FPS" (type 0), or a height badge over a caption such as "720p" (type 1).
// A tap sends the callback with the tap recogniser as sender.
class CustomSlalomIndicatorView final : public kit::UIView {
    KIT_OBJECT(CustomSlalomIndicatorView, kit::UIView)

public:
    enum : int32_t { IndicatorTypeFrameRate = 0, IndicatorTypeDimension = 1 };

    // initWithFrame:withCallbackSelector:andCallbackOwner:; starts as a
    // frame-rate indicator showing 30.
    CustomSlalomIndicatorView(kit::CGRect frame, kit::Action callback);
    ~CustomSlalomIndicatorView() override;

    int32_t framesPerSecond() const { return _framesPerSecond; }
    // The number label shows the value as it is given.
    void setFramesPerSecond(int32_t);
    // The caption under the number or the badge.
    void setLabelText(std::string);
    int32_t indicatorType() const { return __indicatorType; }
    // Type 1 hides the number, shrinks the caption and adds the badge view;
    // the badge view is made once.
    void setIndicatorType(int32_t);
    // The badge; nothing before the indicator became type 1.
    void setResolutionImgFrame(kit::CGRect);
    void setResolutionImg(std::shared_ptr<kit::UIImage>);

    const std::shared_ptr<kit::UILabel>& framerateLabel() const { return __framerateLabel; }
    const std::shared_ptr<kit::UILabel>& framerateNumberLabel() const { return __framerateNumberLabel; }
    const std::shared_ptr<kit::UIImageView>& resolutionImgView() const { return __resolutionImgView; }

private:
    int32_t _framesPerSecond { 30 };
    std::shared_ptr<kit::UILabel> __framerateNumberLabel;
    std::shared_ptr<kit::UILabel> __framerateLabel;
    std::shared_ptr<kit::UIImageView> __resolutionImgView;
    int32_t __indicatorType { IndicatorTypeFrameRate };
};

}
