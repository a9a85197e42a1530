#include "kit/ui/UIColor.h"

#include "kit/ui/UIGraphics.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kit {

KIT_REGISTER_CLASS(UIColor);

std::shared_ptr<UIColor> UIColor::colorWithRed(CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha)
{
    return std::make_shared<UIColor>(CGColorCreateRGB(red, green, blue, alpha));
}

std::shared_ptr<UIColor> UIColor::colorWithWhite(CGFloat white, CGFloat alpha)
{
    return std::make_shared<UIColor>(CGColorCreateGray(white, alpha));
}

std::shared_ptr<UIColor> UIColor::colorWithHue(CGFloat hue, CGFloat saturation, CGFloat brightness, CGFloat alpha)
{
    auto unit = [](CGFloat value) { return std::isnan(value) ? 0.0 : std::clamp(value, 0.0, 1.0); };
    hue = unit(hue);
    saturation = unit(saturation);
    brightness = unit(brightness);
    CGFloat sector = hue * 6;
    if (sector >= 6)
        sector = 0;
    int index = int(sector);
    CGFloat fraction = sector - index;
    CGFloat p = brightness * (1 - saturation);
    CGFloat q = brightness * (1 - saturation * fraction);
    CGFloat t = brightness * (1 - saturation * (1 - fraction));
    CGFloat v = brightness;
    switch (index) {
    case 0: return colorWithRed(v, t, p, alpha);
    case 1: return colorWithRed(q, v, p, alpha);
    case 2: return colorWithRed(p, v, t, alpha);
    case 3: return colorWithRed(p, q, v, alpha);
    case 4: return colorWithRed(t, p, v, alpha);
    default: return colorWithRed(v, p, q, alpha);
    }
}

std::shared_ptr<UIColor> UIColor::colorWithCGColor(const CGColorRef& color)
{
    return color ? std::make_shared<UIColor>(color) : nullptr;
}

std::shared_ptr<UIColor> UIColor::blackColor() { return colorWithWhite(0, 1); }
std::shared_ptr<UIColor> UIColor::darkGrayColor() { return colorWithWhite(1.0 / 3.0, 1); }
std::shared_ptr<UIColor> UIColor::lightGrayColor() { return colorWithWhite(2.0 / 3.0, 1); }
std::shared_ptr<UIColor> UIColor::whiteColor() { return colorWithWhite(1, 1); }
std::shared_ptr<UIColor> UIColor::grayColor() { return colorWithWhite(0.5, 1); }
std::shared_ptr<UIColor> UIColor::clearColor() { return colorWithWhite(0, 0); }
std::shared_ptr<UIColor> UIColor::redColor() { return colorWithRed(1, 0, 0, 1); }
std::shared_ptr<UIColor> UIColor::greenColor() { return colorWithRed(0, 1, 0, 1); }
std::shared_ptr<UIColor> UIColor::blueColor() { return colorWithRed(0, 0, 1, 1); }
std::shared_ptr<UIColor> UIColor::cyanColor() { return colorWithRed(0, 1, 1, 1); }
std::shared_ptr<UIColor> UIColor::yellowColor() { return colorWithRed(1, 1, 0, 1); }
std::shared_ptr<UIColor> UIColor::magentaColor() { return colorWithRed(1, 0, 1, 1); }
std::shared_ptr<UIColor> UIColor::orangeColor() { return colorWithRed(1, 0.5, 0, 1); }
std::shared_ptr<UIColor> UIColor::purpleColor() { return colorWithRed(0.5, 0, 0.5, 1); }
std::shared_ptr<UIColor> UIColor::brownColor() { return colorWithRed(0.6, 0.4, 0.2, 1); }

std::shared_ptr<UIColor> UIColor::colorWithAlphaComponent(CGFloat alpha) const
{
    auto components = m_color->components();
    components.back() = alpha;
    return std::make_shared<UIColor>(std::make_shared<const kit::CGColor>(m_color->model(), std::move(components)));
}

bool UIColor::getRed(CGFloat* red, CGFloat* green, CGFloat* blue, CGFloat* alpha) const
{
    auto rgba = m_color->rgba();
    if (red)
        *red = rgba[0];
    if (green)
        *green = rgba[1];
    if (blue)
        *blue = rgba[2];
    if (alpha)
        *alpha = rgba[3];
    return true;
}

bool UIColor::getHue(CGFloat* hue, CGFloat* saturation, CGFloat* brightness, CGFloat* alpha) const
{
    auto [r, g, b, a] = m_color->rgba();
    CGFloat maximum = std::max({ r, g, b });
    CGFloat minimum = std::min({ r, g, b });
    CGFloat delta = maximum - minimum;
    CGFloat h = 0;
    if (delta > 0) {
        if (maximum == r)
            h = (g - b) / delta;
        else if (maximum == g)
            h = 2 + (b - r) / delta;
        else
            h = 4 + (r - g) / delta;
        h /= 6;
        if (h < 0)
            h += 1;
    }
    if (hue)
        *hue = h;
    if (saturation)
        *saturation = maximum > 0 ? delta / maximum : 0;
    if (brightness)
        *brightness = maximum;
    if (alpha)
        *alpha = a;
    return true;
}

bool UIColor::getWhite(CGFloat* white, CGFloat* alpha) const
{
    if (!isGrey())
        return false;
    if (white)
        *white = m_color->components()[0];
    if (alpha)
        *alpha = m_color->alpha();
    return true;
}

void UIColor::set() const
{
    setFill();
    setStroke();
}

void UIColor::setFill() const
{
    CGContextSetFillColorWithColor(UIGraphicsGetCurrentContext(), m_color);
}

void UIColor::setStroke() const
{
    CGContextSetStrokeColorWithColor(UIGraphicsGetCurrentContext(), m_color);
}

bool UIColor::isEqual(const UIColor* other) const
{
    return other && *m_color == *other->m_color;
}

std::string UIColor::description() const
{
    std::string text = isGrey() ? "UIDeviceWhiteColorSpace" : "UIDeviceRGBColorSpace";
    for (CGFloat component : m_color->components()) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, " %g", component);
        text += buffer;
    }
    return text;
}

ArchivedColor UIColor::archivedColor() const
{
    const auto& c = m_color->components();
    if (isGrey())
        return ArchivedColor::grey(c[0], c[1]);
    return ArchivedColor::rgba(c[0], c[1], c[2], c[3]);
}

std::shared_ptr<UIColor> UIColor::colorWithArchivedColor(const ArchivedColor& archived)
{
    if (archived.space == ArchivedColor::Space::Grey)
        return colorWithWhite(archived.white, archived.alpha);
    return colorWithRed(archived.red, archived.green, archived.blue, archived.alpha);
}

Data UIColor::archivedData() const
{
    return archiveColor(archivedColor());
}

std::shared_ptr<UIColor> UIColor::colorWithArchivedData(std::span<const uint8_t> data)
{
    auto archived = unarchiveColor(data);
    return archived ? colorWithArchivedColor(*archived) : nullptr;
}

}
