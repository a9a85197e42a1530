#pragma once

#include "kit/foundation/Action.h"
#include "kit/ui/UIImageView.h"

#include <cstdint>
#include <memory>

namespace kit {
class UIImage;
}

namespace vantor {

class OverlaySelectionView;

// The overlay indicator in the host's bottom bar: a small frame showing the
// thumbnail of the active overlay (tag -99), the strip of choices it opens,
// and the overlay drawn over the preview. Taps on the thumbnail and on the
// choices go to the callback (the camera bar's toggleElement:) with the tap
// recogniser as sender. The mode lives in sessionOverlayMode and is mirrored
// into globOverlayMode for the settings file.
class OverlayIndicator final : public kit::UIImageView {
    KIT_OBJECT(OverlayIndicator, kit::UIImageView)

public:
    static constexpr int64_t thumbnailTag = -99;

    // initWithFrame:withCallbackSelector:andCallbackOwner:. Closes the strip's
    // flag (overlaySelectorIsShowing), since no strip exists yet.
    OverlayIndicator(kit::CGRect frame, kit::Action callback);
    // Takes the strip, the thumbnail and the drawing off the screen.
    ~OverlayIndicator() override;

    // setOverlayIndicatorImg:isFromStartup:. A user's tap (fromStartup false)
    // on the active choice switches overlays off, and is saved when
    // rememberSettings is on; at start-up the stored mode is applied as it is.
    // Tags outside 0 to 4 keep the mode.
    void setOverlayIndicatorImg(int32_t choiceTag, bool isFromStartup);
    // The images of the current mode, read from the resource folder; nothing
    // when the file is missing.
    std::shared_ptr<kit::UIImage> getCurrentOverlayIndicatorImg() const;
    std::shared_ptr<kit::UIImage> getCurrentOverlayImg() const;

    // Slides the strip in over 0.15 s when it is closed and open is not 0,
    // else out; the flag changes as the slide starts. The strip is made on
    // first use.
    void toggleOverlaySelector(int32_t open);
    // Hides or shows the indicator and the drawing, and closes an open strip.
    void hideOverlayFunctionality(bool hide);

    kit::UIImageView* actualIndicator() const { return m_actualIndicator.get(); }
    // The drawing over the preview; nothing before the first mode is set.
    kit::UIImageView* overlay() const { return m_overlay.get(); }
    // The strip; nothing before it is first opened.
    OverlaySelectionView* overlaySelectionView() const { return m_overlaySelectionView.get(); }

    // Where the drawing goes in the host view: the picture area between the
    // bars in a photo mode, the whole view otherwise.
    static kit::CGRect overlayFrame();

private:
    std::shared_ptr<OverlaySelectionView> m_overlaySelectionView;
    kit::Action m_callback;
    std::shared_ptr<kit::UIImageView> m_actualIndicator;
    std::shared_ptr<kit::UIImageView> m_overlay;
};

}
