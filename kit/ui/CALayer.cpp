#include "kit/ui/CALayer.h"

#include <algorithm>

namespace kit {

KIT_REGISTER_CLASS(CALayer);

void CALayer::setCornerRadius(CGFloat radius)
{
    m_cornerRadius = std::max<CGFloat>(0, radius);
}

void CALayer::setBorderWidth(CGFloat width)
{
    m_borderWidth = std::max<CGFloat>(0, width);
}

void CALayer::setBorderColor(std::shared_ptr<UIColor> color)
{
    m_borderColor = std::move(color);
}

void CALayer::setShadowColor(std::shared_ptr<UIColor> color)
{
    m_shadowColor = std::move(color);
}

void CALayer::setShadowOpacity(float opacity)
{
    m_shadowOpacity = std::clamp(opacity, 0.0f, 1.0f);
}

void CALayer::setShadowRadius(CGFloat radius)
{
    m_shadowRadius = std::max<CGFloat>(0, radius);
}

}
