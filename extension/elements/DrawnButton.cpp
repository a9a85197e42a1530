#include "extension/elements/DrawnButton.h"

#include "kit/ui/UIGraphics.h"

namespace vantor {

DrawnButton::DrawnButton(kit::CGRect frame, RGBA selectedColor)
    : kit::UIButton(frame)
    , m_selectedColor(selectedColor)
{
}

DrawnButton::RGBA DrawnButton::fillColor() const
{
    return isSelected() ? m_selectedColor : RGBA { 1, 1, 1, 1 };
}

std::shared_ptr<kit::UIBezierPath> DrawnButton::oval(kit::CGFloat x, kit::CGFloat y, kit::CGFloat width, kit::CGFloat height)
{
    return kit::UIBezierPath::bezierPathWithOvalInRect(kit::CGRectMake(x, y, width, height));
}

std::shared_ptr<kit::UIBezierPath> DrawnButton::rect(kit::CGFloat x, kit::CGFloat y, kit::CGFloat width, kit::CGFloat height)
{
    return kit::UIBezierPath::bezierPathWithRect(kit::CGRectMake(x, y, width, height));
}

std::shared_ptr<kit::UIBezierPath> DrawnButton::polygon(std::initializer_list<kit::CGPoint> points)
{
    auto path = kit::UIBezierPath::bezierPath();
    bool first = true;
    for (auto point : points) {
        if (first)
            path->moveToPoint(point);
        else
            path->addLineToPoint(point);
        first = false;
    }
    path->closePath();
    return path;
}

std::shared_ptr<kit::UIBezierPath> DrawnButton::withHoles(std::shared_ptr<kit::UIBezierPath> outline,
    std::initializer_list<std::shared_ptr<kit::UIBezierPath>> holes)
{
    for (auto& hole : holes)
        outline->appendPath(*hole);
    outline->setUsesEvenOddFillRule(true);
    return outline;
}

void DrawnButton::drawRect(kit::CGRect)
{
    auto context = kit::UIGraphicsGetCurrentContext();
    if (!context)
        return;
    auto [r, g, b, a] = fillColor();
    kit::CGContextSetRGBFillColor(context, r, g, b, a);
    for (auto& shape : pictogram())
        shape->fill();
}

}
