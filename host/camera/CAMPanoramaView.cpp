#include "host/camera/CAMPanoramaView.h"

#include "kit/ui/CGContext.h"
#include "kit/ui/UIColor.h"
#include "kit/ui/UIFont.h"
#include "kit/ui/UIGraphics.h"
#include "kit/ui/UILabel.h"

namespace host {

KIT_REGISTER_CLASS(CAMPanoramaView);

CAMPanoramaView::CAMPanoramaView()
{
    setOpaque(false);
    setUserInteractionEnabled(false);
    m_hint = std::make_shared<kit::UILabel>();
    m_hint->setText("Move continuously when taking a Panorama.");
    m_hint->setFont(kit::UIFont::systemFontOfSize(13));
    m_hint->setTextColor(kit::UIColor::whiteColor());
    m_hint->setTextAlignment(kit::NSTextAlignmentCenter);
    m_hint->setBackgroundColor(kit::UIColor::colorWithWhite(0, 0.45));
    addSubview(m_hint);
}

kit::CGRect CAMPanoramaView::band() const
{
    auto b = bounds();
    double height = b.size.height * 0.2;
    return kit::CGRectMake(12, b.size.height / 2 - height / 2, b.size.width - 24, height);
}

void CAMPanoramaView::layoutSubviews()
{
    auto guide = band();
    m_hint->setFrame(kit::CGRectMake(guide.origin.x, guide.origin.y - 44, guide.size.width, 24));
    setNeedsDisplay();
}

void CAMPanoramaView::drawRect(kit::CGRect)
{
    auto cg = kit::UIGraphicsGetCurrentContext();
    auto guide = band();
    kit::CGContextSetRGBFillColor(cg, 0, 0, 0, 0.25);
    kit::CGContextFillRect(cg, guide);
    kit::CGContextSetRGBStrokeColor(cg, 1, 1, 1, 0.9);
    kit::CGContextSetLineWidth(cg, 1);
    kit::CGContextStrokeRect(cg, guide);
    // The arrow at the start of the sweep, pointing the way to turn.
    double midY = guide.origin.y + guide.size.height / 2;
    double x = guide.origin.x + 14;
    kit::CGContextSetRGBFillColor(cg, 1, 1, 1, 1);
    kit::CGContextFillRect(cg, kit::CGRectMake(x, midY - 2, 26, 4));
    kit::CGContextMoveToPoint(cg, x + 24, midY - 10);
    kit::CGContextAddLineToPoint(cg, x + 40, midY);
    kit::CGContextAddLineToPoint(cg, x + 24, midY + 10);
    kit::CGContextClosePath(cg);
    kit::CGContextFillPath(cg);
}

}
