#include "host/springboard/SBCameraGrabberView.h"

#include "host/springboard/SpringBoardArtwork.h"

#include "kit/ui/UIColor.h"
#include "kit/ui/UIImageView.h"

namespace host {

KIT_REGISTER_CLASS(SBCameraGrabberView);

SBCameraGrabberView::SBCameraGrabberView()
    : UIView(kit::CGRectMake(0, 0, side, side))
{
    setBackgroundColor(kit::UIColor::clearColor());
    setOpaque(false);
    // The lock screen takes the finger; the grabber only marks the place.
    setUserInteractionEnabled(false);
    m_glyph = std::make_shared<kit::UIImageView>(SpringBoardArtwork::cameraGrabber());
    m_glyph->setFrame(kit::CGRectMake((side - 24) / 2, (side - 18) / 2, 24, 18));
    m_glyph->setAlpha(0.85);
    addSubview(m_glyph);
}

}
