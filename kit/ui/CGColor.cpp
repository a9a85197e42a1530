#include "kit/ui/CGColor.h"

#include <algorithm>
#include <cmath>

namespace kit {

CGColorSpaceRef CGColorSpaceCreateDeviceRGB()
{
    static const auto space = std::make_shared<const CGColorSpace>(kCGColorSpaceModelRGB);
    return space;
}

CGColorSpaceRef CGColorSpaceCreateDeviceGray()
{
    static const auto space = std::make_shared<const CGColorSpace>(kCGColorSpaceModelMonochrome);
    return space;
}

CGColorSpaceModel CGColorSpaceGetModel(const CGColorSpaceRef& space)
{
    return space ? space->model() : kCGColorSpaceModelRGB;
}

CGColor::CGColor(CGColorSpaceModel model, std::vector<CGFloat> componentsWithAlpha)
    : m_model(model)
    , m_components(std::move(componentsWithAlpha))
{
    m_components.resize(model == kCGColorSpaceModelRGB ? 4 : 2, 1.0);
    for (auto& component : m_components)
        component = std::isnan(component) ? 0.0 : std::clamp(component, 0.0, 1.0);
}

std::array<CGFloat, 4> CGColor::rgba() const
{
    if (m_model == kCGColorSpaceModelRGB)
        return { m_components[0], m_components[1], m_components[2], m_components[3] };
    return { m_components[0], m_components[0], m_components[0], m_components[1] };
}

CGColorRef CGColorCreateRGB(CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha)
{
    return std::make_shared<const CGColor>(kCGColorSpaceModelRGB, std::vector<CGFloat> { red, green, blue, alpha });
}

CGColorRef CGColorCreateGray(CGFloat white, CGFloat alpha)
{
    return std::make_shared<const CGColor>(kCGColorSpaceModelMonochrome, std::vector<CGFloat> { white, alpha });
}

CGColorRef CGColorCreate(const CGColorSpaceRef& space, const CGFloat* components)
{
    if (!space || !components)
        return nullptr;
    return std::make_shared<const CGColor>(space->model(), std::vector<CGFloat>(components, components + space->numberOfComponents() + 1));
}

const CGFloat* CGColorGetComponents(const CGColorRef& color)
{
    return color ? color->components().data() : nullptr;
}

size_t CGColorGetNumberOfComponents(const CGColorRef& color)
{
    return color ? color->components().size() : 0;
}

CGFloat CGColorGetAlpha(const CGColorRef& color)
{
    return color ? color->alpha() : 0;
}

bool CGColorEqualToColor(const CGColorRef& a, const CGColorRef& b)
{
    if (!a || !b)
        return !a && !b;
    return *a == *b;
}

}
