#pragma once

#include "kit/ui/UIView.h"

#include <memory>

namespace kit {
class UIImageView;
}

namespace host {

// The camera grabber in the lock screen's bottom right corner: a small
// camera glyph that a finger pulls up to open the camera. Its touch area is
// the corner's 44 points square around the glyph.
class SBCameraGrabberView : public kit::UIView {
    KIT_OBJECT(SBCameraGrabberView, kit::UIView)

public:
    static constexpr kit::CGFloat side = 44;

    SBCameraGrabberView();

private:
    std::shared_ptr<kit::UIImageView> m_glyph;
};

}
