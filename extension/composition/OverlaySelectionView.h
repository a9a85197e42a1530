#pragma once

#include "kit/foundation/Action.h"
#include "kit/ui/UIView.h"

#include <memory>

namespace kit {
class UIImageView;
class UIScrollView;
}

namespace vantor {

class BlurView;

// The strip of overlay choices that slides in above the bottom bar: golden
// section, trisection, thirds and square, each an image with its caption in
// a horizontally bouncing scroll view, over a live blur of the preview (or,
// with blurButtonBar off, a translucent light grey). A tap on a choice sends
// the callback with the tap recogniser, whose view is the choice's image
// view; its tag is the choice tag (1 thirds, 2 golden, 3 trisection,
// 4 square).
class OverlaySelectionView final : public kit::UIView {
    KIT_OBJECT(OverlaySelectionView, kit::UIView)

public:
    // initWithFrame:callbackOwner:callback:. The callback holds its owner
    // weakly; the strip ends with setBlur, so it always has its background.
    OverlaySelectionView(kit::CGRect frame, kit::Action callback);

    // Makes sure the background exists and is the bottom-most subview; each
    // kind is made once.
    void setBlur();

    BlurView* blur() const { return m_blur.get(); }
    kit::UIView* nonBlur() const { return m_nonBlur.get(); }
    const std::shared_ptr<kit::UIScrollView>& scrollview() const { return m_scrollview; }
    // The choice with that tag, or nothing.
    kit::UIImageView* choice(int64_t tag) const;

private:
    std::shared_ptr<BlurView> m_blur;
    std::shared_ptr<kit::UIView> m_nonBlur;
    std::shared_ptr<kit::UIScrollView> m_scrollview;
};

}
