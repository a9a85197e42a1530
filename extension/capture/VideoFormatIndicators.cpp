// The frame-rate and height indicators on the bottom bar.

#include "extension/capture/DimensionsAndFrameRates.h"

#include "extension/elements/CustomSlalomIndicatorView.h"
#include "extension/elements/ElementStyle.h"
#include "extension/hooks/HostCamera.h"
#include "extension/startup/Globals.h"
#include "extension/startup/Predicates.h"

#include "kit/ui/UILabel.h"
#include "kit/ui/UIScreen.h"
#include "kit/ui/UITapGestureRecognizer.h"

namespace vantor {

namespace {

constexpr kit::CGRect phoneFPSIndicatorFrame { { 258, 45.5 }, { 44, 42 } };
constexpr kit::CGRect phoneDimensionIndicatorFrame { { 202, 45.5 }, { 55, 42 } };
constexpr int64_t dimensionIndicatorTag = 1;

// The screen's long and short side, whichever way the bounds are given.
kit::CGFloat indicatorAxis()
{
    kit::CGRect screen = kit::UIScreen::mainScreen()->bounds();
    return isLandscapeOrientation() ? screen.size.width : screen.size.height;
}

void addToBottomBar(const std::shared_ptr<kit::UIView>& view)
{
    if (auto bar = _CAMBottomBar.lock())
        bar->addSubview(view);
}

}

kit::CGRect getSlalomFPSIndicatorFrame() { return kit::CGRectMake(27, indicatorAxis() / 2 + 70, 44, 42); }

kit::CGRect getSlalomDimensionIndicatorFrame() { return kit::CGRectMake(22, indicatorAxis() / 2 - 110, 55, 42); }

void createOrToggleFrameRateLabels(const kit::Action& callback, int32_t cameraMode, int32_t frameRate)
{
    if (!showFPS)
        return;
    emptyMaxFrameRatesForHeightVariables();
    kit::CGRect frame = IS_IPAD ? getSlalomFPSIndicatorFrame() : phoneFPSIndicatorFrame;
    int32_t shown = frameRate == 0 ? 30 : frameRate;
    bool video = cameraMode == 1;

    if (!IS_IPHONE_5S) {
        if (!video) {
            if (_CAMSlalomIndicatorReplacement)
                _CAMSlalomIndicatorReplacement->setHidden(true);
            return;
        }
        if (_CAMSlalomIndicatorReplacement) {
            _CAMSlalomIndicatorReplacement->setHidden(false);
            return;
        }
        auto indicator = std::make_shared<CustomSlalomIndicatorView>(frame, callback);
        indicator->setFramesPerSecond(shown);
        _CAMSlalomIndicatorReplacement = indicator;
        addToBottomBar(indicator);
        return;
    }

    // The iPhone 5s has the host's own indicator class; it is dressed in the
    // extension's colour and made tappable.
    if (!video) {
        if (_CAMSlalomIndicatorView)
            _CAMSlalomIndicatorView->setHidden(true);
        return;
    }
    if (_CAMSlalomIndicatorView) {
        _CAMSlalomIndicatorView->setHidden(false);
        return;
    }
    auto indicator = host::newSlalomIndicatorView(frame);
    if (!indicator)
        return;
    host::setFramesPerSecond(indicator.get(), shown);
    if (auto* caption = kit::cast<kit::UILabel>(host::framerateLabel(indicator.get())))
        caption->setTextColor(indicatorColor());
    indicator->setUserInteractionEnabled(true);
    indicator->addGestureRecognizer(std::make_shared<kit::UITapGestureRecognizer>(callback));
    _CAMSlalomIndicatorView = indicator;
    addToBottomBar(indicator);
}

void createDimensionLabels(const kit::Action& callback)
{
    if (!showDimensions)
        return;
    if (!deviceFrameRatesForDimensions) {
        deviceFrameRatesForDimensions = std::make_shared<FrameRatesForDimensions>();
        for (int32_t height : { 144, 288, 360, 480, 540, 720, 960, 1080, 1936, 2448 })
            (*deviceFrameRatesForDimensions)[height] = 0;
    }

    kit::id controller = host::sharedCameraController();
    if (!(isVideoMode(controller) || isCameraMode(controller)) || host::cameraMode(controller) == 2) {
        if (_CAMSlalomDimensionIndicator)
            _CAMSlalomDimensionIndicator->setHidden(true);
        return;
    }
    if (_CAMSlalomDimensionIndicator) {
        _CAMSlalomDimensionIndicator->setHidden(false);
        return;
    }
    auto indicator = std::make_shared<CustomSlalomIndicatorView>(
        IS_IPAD ? getSlalomDimensionIndicatorFrame() : phoneDimensionIndicatorFrame, callback);
    indicator->setIndicatorType(CustomSlalomIndicatorView::IndicatorTypeDimension);
    indicator->setLabelText("");
    indicator->setTag(dimensionIndicatorTag);
    _CAMSlalomDimensionIndicator = indicator;
    addToBottomBar(indicator);
}

}
