#pragma once

#include "kit/ui/CGContext.h"

#include <memory>
#include <vector>

namespace kit {

enum CGGradientDrawingOptions : uint32_t {
    kCGGradientDrawsBeforeStartLocation = 1 << 0,
    kCGGradientDrawsAfterEndLocation = 1 << 1,
};

// Colour stops at locations in [0, 1], kept as RGBA (grey widened).
class CGGradient {
public:
    struct Stop {
        CGFloat location;
        std::array<CGFloat, 4> rgba;
    };
    explicit CGGradient(std::vector<Stop> stops) : m_stops(std::move(stops)) { }
    const std::vector<Stop>& stops() const { return m_stops; }

private:
    std::vector<Stop> m_stops;
};

using CGGradientRef = std::shared_ptr<const CGGradient>;

// `components` holds count colours, each the space's components and alpha.
// Without locations the stops are spread evenly from 0 to 1. Nothing
// without a space or components, or with count 0.
CGGradientRef CGGradientCreateWithColorComponents(const CGColorSpaceRef&, const CGFloat* components, const CGFloat* locations, size_t count);
inline void CGGradientRelease(CGGradientRef& gradient) { gradient.reset(); }

// Paints the clip area with the gradient along the line from start to end
// (user space). Beyond either end nothing is painted unless the options
// extend the end colour there.
void CGContextDrawLinearGradient(const CGContextRef&, const CGGradientRef&, CGPoint start, CGPoint end, uint32_t options);

}
