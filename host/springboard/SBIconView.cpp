#include "host/springboard/SBIconView.h"

#include "kit/ui/UIColor.h"
#include "kit/ui/UIFont.h"
#include "kit/ui/UIImageView.h"
#include "kit/ui/UILabel.h"
#include "kit/ui/UITouch.h"

namespace host {

KIT_REGISTER_CLASS(SBIconView);

namespace {

constexpr kit::CGFloat labelHeight = 16;
constexpr kit::CGFloat labelGap = 5;
constexpr kit::CGFloat sideMargin = 8;

}

SBIconView::SBIconView(std::string bundleIdentifier, std::string name, std::shared_ptr<kit::UIImage> image,
    kit::CGFloat iconSide)
    : UIView(kit::CGRectMake(0, 0, iconSide + 2 * sideMargin, iconSide + labelGap + labelHeight))
    , m_bundleIdentifier(std::move(bundleIdentifier))
{
    setBackgroundColor(kit::UIColor::clearColor());
    setOpaque(false);
    m_image = std::make_shared<kit::UIImageView>(std::move(image));
    m_image->setFrame(kit::CGRectMake(sideMargin, 0, iconSide, iconSide));
    addSubview(m_image);
    // Pressed, a shade of the icon's own shape darkens it.
    m_shade = std::make_shared<kit::UIView>(m_image->frame());
    m_shade->setBackgroundColor(kit::UIColor::colorWithWhite(0, 0.4));
    m_shade->layer()->setCornerRadius(iconSide * 0.225);
    m_shade->setUserInteractionEnabled(false);
    m_shade->setHidden(true);
    addSubview(m_shade);
    m_label = std::make_shared<kit::UILabel>(
        kit::CGRectMake(0, iconSide + labelGap, bounds().size.width, labelHeight));
    m_label->setText(std::move(name));
    m_label->setFont(kit::UIFont::systemFontOfSize(iconSide > 60 ? 13 : 12));
    m_label->setTextColor(kit::UIColor::whiteColor());
    m_label->setTextAlignment(kit::NSTextAlignmentCenter);
    addSubview(m_label);
}

void SBIconView::setHighlighted(bool highlighted)
{
    m_highlighted = highlighted;
    m_shade->setHidden(!highlighted);
}

void SBIconView::touchesBegan(const kit::UITouchSet&, kit::UIEvent*)
{
    setHighlighted(true);
}

void SBIconView::touchesMoved(const kit::UITouchSet& touches, kit::UIEvent*)
{
    // A finger that leaves the icon lets it go.
    if (auto* touch = touches.anyObject())
        setHighlighted(kit::CGRectContainsPoint(bounds(), touch->locationInView(this)));
}

void SBIconView::touchesEnded(const kit::UITouchSet& touches, kit::UIEvent*)
{
    auto* touch = touches.anyObject();
    bool inside = touch && kit::CGRectContainsPoint(bounds(), touch->locationInView(this));
    setHighlighted(false);
    if (inside && onOpen)
        onOpen(m_bundleIdentifier);
}

void SBIconView::touchesCancelled(const kit::UITouchSet&, kit::UIEvent*)
{
    setHighlighted(false);
}

}
