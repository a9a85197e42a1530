#pragma once

#include "extension/startup/Globals.h"

#include "kit/foundation/Action.h"
#include "kit/ui/UIView.h"

#include <cstdint>
#include <memory>

namespace vantor {

class BlurView;

// intCompare: of two heights: -1, 0 or 1 for ascending order.
int32_t intCompare(int32_t a, int32_t b);

// The resolution chooser: a rounded, blurred (or plain grey) panel with a
// grid and one button per height the camera offers, in rows of three. The
// buttons are made on every fade-in and removed on every fade-out; the grid
// stays.
class CustomDimensionView final : public kit::UIView {
    KIT_OBJECT(CustomDimensionView, kit::UIView)

public:
    explicit CustomDimensionView(kit::CGRect frame);

    // The background: a light-grey view, or the live blur when the setting
    // "blurButtonBar" is on; each is made once and kept bottom-most.
    void setBlur();
    // Turns the buttons upright for the way the device is held (0.4 s).
    void _rotate();
    void removeAllButtonsAndImageView();
    // One button for each height whose rate is above 0 and which the device
    // allows in the current mode, smallest first.
    void initButtons(const FrameRatesForDimensions&, const kit::Action& btnCallback);
    kit::UIView* getButtonWithTag(int32_t tag);
    void removeButtonWithTag(int32_t tag);

    // Fades the view in and, once the fade has finished, sends finished and
    // makes the buttons. A fade taken over by another one leaves both the
    // callback and the buttons to that other fade.
    void fadeInDimensionView(const std::shared_ptr<kit::UIView>& view, double seconds, kit::Action finished,
        const FrameRatesForDimensions&, kit::Action btnCallback);
    // Removes the buttons at once, fades the view out, then sends finished.
    void fadeOutDimensionView(const std::shared_ptr<kit::UIView>& view, double seconds, kit::Action finished);

    const std::shared_ptr<BlurView>& blur() const { return m_blur; }
    const std::shared_ptr<kit::UIView>& nonBlur() const { return m_nonBlur; }

private:
    std::shared_ptr<BlurView> m_blur;
    std::shared_ptr<kit::UIView> m_nonBlur;
};

}
