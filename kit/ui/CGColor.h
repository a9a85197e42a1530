#pragma once

#include "kit/ui/Geometry.h"

#include <array>
#include <memory>
#include <vector>

namespace kit {

enum CGColorSpaceModel {
    kCGColorSpaceModelMonochrome = 0,
    kCGColorSpaceModelRGB = 1,
};

// A device colour space: grey (one component plus alpha) or RGB (three plus
// alpha). Bitmap contexts keep their pixels in the one kit pixel format
// (CGImage.h) whichever space they are given; the space only says how
// colour components passed with it are read.
class CGColorSpace {
public:
    explicit CGColorSpace(CGColorSpaceModel model) : m_model(model) { }
    CGColorSpaceModel model() const { return m_model; }
    // Colour components, without alpha.
    size_t numberOfComponents() const { return m_model == kCGColorSpaceModelRGB ? 3 : 1; }

private:
    CGColorSpaceModel m_model;
};

using CGColorSpaceRef = std::shared_ptr<const CGColorSpace>;

CGColorSpaceRef CGColorSpaceCreateDeviceRGB();
CGColorSpaceRef CGColorSpaceCreateDeviceGray();
// Nothing in, kCGColorSpaceModelRGB out.
CGColorSpaceModel CGColorSpaceGetModel(const CGColorSpaceRef&);
// Lets go of the caller's reference.
inline void CGColorSpaceRelease(CGColorSpaceRef& space) { space.reset(); }

// An immutable colour: its space and components, alpha last, each in [0, 1].
class CGColor {
public:
    CGColor(CGColorSpaceModel, std::vector<CGFloat> componentsWithAlpha);

    CGColorSpaceModel model() const { return m_model; }
    // Colour components followed by alpha: 2 for grey, 4 for RGB.
    const std::vector<CGFloat>& components() const { return m_components; }
    CGFloat alpha() const { return m_components.back(); }
    // Red, green, blue, alpha (not premultiplied), as drawing uses them.
    std::array<CGFloat, 4> rgba() const;

    bool operator==(const CGColor&) const = default;

private:
    CGColorSpaceModel m_model;
    std::vector<CGFloat> m_components;
};

using CGColorRef = std::shared_ptr<const CGColor>;

CGColorRef CGColorCreateRGB(CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha);
CGColorRef CGColorCreateGray(CGFloat white, CGFloat alpha);
// `components` holds the space's components and then alpha. Nothing without a
// space or components.
CGColorRef CGColorCreate(const CGColorSpaceRef&, const CGFloat* components);
const CGFloat* CGColorGetComponents(const CGColorRef&);
size_t CGColorGetNumberOfComponents(const CGColorRef&);
CGFloat CGColorGetAlpha(const CGColorRef&);
// Same space and components; two nothings are equal.
bool CGColorEqualToColor(const CGColorRef&, const CGColorRef&);

}
