#include "extension/elements/CustomDimensionView.h"

#include "common/CAM_Tools.h"
#include "extension/capture/DimensionsAndFrameRates.h"
#include "extension/elements/BlurView.h"
#include "extension/elements/CustomDimensionViewButton.h"
#include "extension/elements/ElementStyle.h"
#include "extension/hooks/HostCamera.h"
#include "extension/startup/Predicates.h"
#include "extension/startup/VantorHelper.h"

#include "kit/ui/CAFilter.h"
#include "kit/ui/UIColor.h"
#include "kit/ui/UIImageView.h"

#include <algorithm>
#include <vector>

namespace vantor {

KIT_REGISTER_CLASS(CustomDimensionView);

namespace {

constexpr double rotateSeconds = 0.4;
constexpr kit::CGFloat gridAlpha = 0.8;
// The buttons' grid: three to a row.
constexpr kit::CGFloat buttonWidth = 55, buttonHeight = 42;
constexpr kit::CGFloat firstX = 20, firstY = 35, columnGap = 25, rowStep = 60;
constexpr int columns = 3;

std::vector<CustomDimensionViewButton*> buttonsOf(const kit::UIView& view)
{
    std::vector<CustomDimensionViewButton*> buttons;
    for (const auto& subview : view.subviews()) {
        if (auto* button = dynamic_cast<CustomDimensionViewButton*>(subview.get()))
            buttons.push_back(button);
    }
    return buttons;
}

}

int32_t intCompare(int32_t a, int32_t b) { return a < b ? -1 : (a > b ? 1 : 0); }

CustomDimensionView::CustomDimensionView(kit::CGRect frame)
    : kit::UIView(frame)
{
    layer()->setCornerRadius(25);
    setClipsToBounds(true);
    auto grid = std::make_shared<kit::UIImageView>(
        kit::CGRectMake(22, 25, frame.size.width - 50, frame.size.height - 50));
    grid->setImage(resourceImage("Dimensions/gridOverlay@2x.png"));
    grid->setAlpha(gridAlpha);
    addSubview(grid);
}

void CustomDimensionView::setBlur()
{
    if (!blurButtonBar) {
        if (m_nonBlur)
            return;
        m_nonBlur = CAM_Tools::CreatePlainBackgroundView(bounds());
        insertSubview(m_nonBlur, 0);
        return;
    }
    if (!m_blur)
        m_blur = CAM_Tools::CreateAndConfigureBlurView(frame());
    m_blur->setBlurRadius(20);
    auto tint = kit::CAFilter::filterWithName(kit::kCAFilterColorAdd);
    tint->setValue(std::vector<double> { 0.35, 0.35, 0.35, 1.0 }, "inputColor");
    m_blur->setTintColorFilter(std::move(tint));
    insertSubview(m_blur, 0);
}

void CustomDimensionView::_rotate()
{
    auto buttons = buttonsOf(*this);
    std::vector<std::shared_ptr<kit::UIView>> held;
    for (auto* button : buttons)
        held.push_back(button->strongRef<kit::UIView>());
    kit::CGAffineTransform turn = VantorHelper::getTransformation();
    kit::UIView::animateWithDuration(rotateSeconds, [held, turn] {
        for (const auto& button : held)
            button->setTransform(turn);
    });
}

void CustomDimensionView::removeAllButtonsAndImageView()
{
    for (auto* button : buttonsOf(*this))
        button->removeFromSuperview();
}

void CustomDimensionView::initButtons(const FrameRatesForDimensions& ratesByHeight, const kit::Action& btnCallback)
{
    removeAllButtonsAndImageView();

    std::vector<int32_t> heights;
    for (const auto& [height, rate] : ratesByHeight)
        heights.push_back(height);
    std::sort(heights.begin(), heights.end(), [](int32_t a, int32_t b) { return intCompare(a, b) < 0; });

    kit::id controller = host::sharedCameraController();
    int32_t mode = host::cameraMode(controller);
    int32_t device = host::cameraDevice(controller);
    kit::CGRect place = kit::CGRectMake(firstX, firstY, buttonWidth, buttonHeight);
    int column = 0;
    for (int32_t height : heights) {
        if (ratesByHeight.at(height) <= 0 || !isValidDimension(height, mode, device))
            continue;
        addSubview(std::make_shared<CustomDimensionViewButton>(place, btnCallback, height));
        place.origin.x += buttonWidth + columnGap;
        if (++column == columns) {
            place.origin.x = firstX;
            place.origin.y += rowStep;
            column = 0;
        }
    }

    for (const auto& subview : subviews()) {
        if (subview->isMemberOfClass(kit::UIImageView::staticClass()))
            subview->setAlpha(gridAlpha);
    }

    if (!IS_IPAD && isLandscapeOrientation())
        _rotate();
    setBlur();
}

kit::UIView* CustomDimensionView::getButtonWithTag(int32_t tag)
{
    for (const auto& subview : subviews()) {
        if (subview->tag() == tag)
            return subview.get();
    }
    return nullptr;
}

void CustomDimensionView::removeButtonWithTag(int32_t tag)
{
    if (auto* button = getButtonWithTag(tag))
        button->removeFromSuperview();
}

void CustomDimensionView::fadeInDimensionView(const std::shared_ptr<kit::UIView>& view, double seconds,
    kit::Action finished, const FrameRatesForDimensions& ratesByHeight, kit::Action btnCallback)
{
    if (!view)
        return;
    std::weak_ptr<CustomDimensionView> weakSelf = strongRef<CustomDimensionView>();
    FrameRatesForDimensions rates = ratesByHeight;
    kit::UIView::animateWithDuration(seconds, [view] { view->setAlpha(1); },
        [weakSelf, rates, finished = std::move(finished), btnCallback = std::move(btnCallback)](bool done) {
            if (!done)
                return;
            finished(nullptr);
            if (auto self = weakSelf.lock())
                self->initButtons(rates, btnCallback);
        });
}

void CustomDimensionView::fadeOutDimensionView(const std::shared_ptr<kit::UIView>& view, double seconds, kit::Action finished)
{
    removeAllButtonsAndImageView();
    if (!view)
        return;
    kit::UIView::animateWithDuration(seconds, [view] { view->setAlpha(0); },
        [finished = std::move(finished)](bool done) {
            if (done)
                finished(nullptr);
        });
}

}
