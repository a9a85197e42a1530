#pragma once

#include "kit/foundation/Action.h"
#include "kit/runtime/Types.h"
#include "kit/ui/UIView.h"

#include <array>
#include <memory>

namespace kit {
class UILabel;
class UIScrollView;
}

namespace vantor {

class BlurView;

// The strip that holds the mode buttons and their captions, over a live blur
// of the preview (or, when the setting blurButtonBar is off, a plain
// translucent grey). The buttons themselves are owned by their globals and
// put into scrollview() by toggleCameraButtonArray; the strip owns its
// background, its scroll view and the four captions.
class CameraButtonView final : public kit::UIView {
    KIT_OBJECT(CameraButtonView, kit::UIView)

public:
    // Caption slots: adv mode, timer / snapshot, lapse, white-balance lock.
    static constexpr int captionCount = 4;
    // Captions are 55 x 10 points; on a phone they stand at y 60.
    static constexpr kit::CGFloat captionWidth = 55;
    static constexpr kit::CGFloat captionHeight = 10;
    static constexpr kit::CGFloat phoneCaptionY = 60;

    // initWithFrame:callbackOwner:callback:. The owner and callback are
    // accepted for the caller's sake and not used: the buttons send their
    // taps to the camera bar themselves. Clips to its bounds, and ends with
    // setBlur(20), so a new strip always has its background.
    CameraButtonView(kit::CGRect frame, kit::id callbackOwner, kit::Action callback);

    // Lays out and captions the strip for the controller's current mode
    // (anything but a video mode counts as photo), and picks the background:
    // radius 10 with a 0.1 grey tint, or radius 1 with a darker 0.07 tint
    // while a video is being recorded. The blur view is made afresh each
    // time; the plain grey background is kept. On a pad the captions follow
    // the buttons' frames, so the buttons should exist; missing ones leave
    // their captions where they are.
    void setTextForMode(kit::id controller, bool isCapturing);

    // Makes sure the background exists and is the bottom-most subview: the
    // plain grey view when blurButtonBar is off (made once), else the blur
    // view, which gets the radius only when it is made here.
    void setBlur(float radius);

    const std::shared_ptr<kit::UIScrollView>& scrollview() const { return m_scrollview; }
    // Replaces the scroll view in the strip; nothing removes it.
    void setScrollview(std::shared_ptr<kit::UIScrollView>);
    // The backgrounds; at most one of them exists at a time.
    BlurView* blur() const { return m_blur.get(); }
    kit::UIView* nonBlur() const { return m_nonBlur.get(); }
    // The captions of slots 1 to 4; btnTxt gives nothing for any other slot.
    kit::UILabel* btnTxt(int slot) const;
    kit::UILabel* btn1Txt() const { return btnTxt(1); }
    kit::UILabel* btn2Txt() const { return btnTxt(2); }
    kit::UILabel* btn3Txt() const { return btnTxt(3); }
    kit::UILabel* btn4Txt() const { return btnTxt(4); }

private:
    void placeCaption(int slot, kit::CGFloat x, kit::CGFloat y);
    void placeCaptionX(int slot, kit::CGFloat x);
    void removeBlur();

    std::shared_ptr<BlurView> m_blur;
    std::shared_ptr<kit::UIView> m_nonBlur;
    std::shared_ptr<kit::UIScrollView> m_scrollview;
    std::array<std::shared_ptr<kit::UILabel>, captionCount> m_btnTxt {};
};

}
