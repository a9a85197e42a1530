#include "kit/ui/Geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace kit {

const CGRect CGRectNull = CGRectMake(std::numeric_limits<CGFloat>::infinity(), std::numeric_limits<CGFloat>::infinity(), 0, 0);

CGRect CGRectStandardize(CGRect r)
{
    if (r.size.width < 0) {
        r.origin.x += r.size.width;
        r.size.width = -r.size.width;
    }
    if (r.size.height < 0) {
        r.origin.y += r.size.height;
        r.size.height = -r.size.height;
    }
    return r;
}

CGFloat CGRectGetMinX(CGRect r) { return CGRectStandardize(r).origin.x; }
CGFloat CGRectGetMinY(CGRect r) { return CGRectStandardize(r).origin.y; }
CGFloat CGRectGetMidX(CGRect r) { return r.origin.x + r.size.width / 2; }
CGFloat CGRectGetMidY(CGRect r) { return r.origin.y + r.size.height / 2; }
CGFloat CGRectGetMaxX(CGRect r) { return std::max(r.origin.x, r.origin.x + r.size.width); }
CGFloat CGRectGetMaxY(CGRect r) { return std::max(r.origin.y, r.origin.y + r.size.height); }
CGFloat CGRectGetWidth(CGRect r) { return std::fabs(r.size.width); }
CGFloat CGRectGetHeight(CGRect r) { return std::fabs(r.size.height); }

bool CGRectIsNull(CGRect r)
{
    return std::isinf(r.origin.x) || std::isinf(r.origin.y);
}

bool CGRectIsEmpty(CGRect r)
{
    return CGRectIsNull(r) || r.size.width == 0 || r.size.height == 0;
}

bool CGPointEqualToPoint(CGPoint a, CGPoint b) { return a == b; }
bool CGSizeEqualToSize(CGSize a, CGSize b) { return a == b; }

bool CGRectEqualToRect(CGRect a, CGRect b)
{
    if (CGRectIsNull(a) || CGRectIsNull(b))
        return CGRectIsNull(a) && CGRectIsNull(b);
    return CGRectStandardize(a) == CGRectStandardize(b);
}

bool CGRectContainsPoint(CGRect r, CGPoint p)
{
    if (CGRectIsEmpty(r))
        return false;
    r = CGRectStandardize(r);
    return p.x >= r.origin.x && p.x < r.origin.x + r.size.width && p.y >= r.origin.y && p.y < r.origin.y + r.size.height;
}

bool CGRectContainsRect(CGRect outer, CGRect inner)
{
    if (CGRectIsNull(outer) || CGRectIsNull(inner))
        return false;
    return CGRectGetMinX(inner) >= CGRectGetMinX(outer) && CGRectGetMaxX(inner) <= CGRectGetMaxX(outer)
        && CGRectGetMinY(inner) >= CGRectGetMinY(outer) && CGRectGetMaxY(inner) <= CGRectGetMaxY(outer);
}

CGRect CGRectIntersection(CGRect a, CGRect b)
{
    if (CGRectIsNull(a) || CGRectIsNull(b))
        return CGRectNull;
    CGFloat minX = std::max(CGRectGetMinX(a), CGRectGetMinX(b));
    CGFloat maxX = std::min(CGRectGetMaxX(a), CGRectGetMaxX(b));
    CGFloat minY = std::max(CGRectGetMinY(a), CGRectGetMinY(b));
    CGFloat maxY = std::min(CGRectGetMaxY(a), CGRectGetMaxY(b));
    if (minX > maxX || minY > maxY)
        return CGRectNull;
    return CGRectMake(minX, minY, maxX - minX, maxY - minY);
}

bool CGRectIntersectsRect(CGRect a, CGRect b)
{
    if (CGRectIsEmpty(a) || CGRectIsEmpty(b))
        return false;
    return !CGRectIsEmpty(CGRectIntersection(a, b));
}

CGRect CGRectUnion(CGRect a, CGRect b)
{
    if (CGRectIsNull(a))
        return CGRectStandardize(b);
    if (CGRectIsNull(b))
        return CGRectStandardize(a);
    CGFloat minX = std::min(CGRectGetMinX(a), CGRectGetMinX(b));
    CGFloat maxX = std::max(CGRectGetMaxX(a), CGRectGetMaxX(b));
    CGFloat minY = std::min(CGRectGetMinY(a), CGRectGetMinY(b));
    CGFloat maxY = std::max(CGRectGetMaxY(a), CGRectGetMaxY(b));
    return CGRectMake(minX, minY, maxX - minX, maxY - minY);
}

CGRect CGRectInset(CGRect r, CGFloat dx, CGFloat dy)
{
    if (CGRectIsNull(r))
        return CGRectNull;
    r = CGRectStandardize(r);
    r.origin.x += dx;
    r.origin.y += dy;
    r.size.width -= 2 * dx;
    r.size.height -= 2 * dy;
    if (r.size.width < 0 || r.size.height < 0)
        return CGRectNull;
    return r;
}

CGRect CGRectOffset(CGRect r, CGFloat dx, CGFloat dy)
{
    if (CGRectIsNull(r))
        return CGRectNull;
    r = CGRectStandardize(r);
    r.origin.x += dx;
    r.origin.y += dy;
    return r;
}

CGRect CGRectIntegral(CGRect r)
{
    if (CGRectIsNull(r))
        return CGRectNull;
    CGFloat minX = std::floor(CGRectGetMinX(r));
    CGFloat minY = std::floor(CGRectGetMinY(r));
    CGFloat maxX = std::ceil(CGRectGetMaxX(r));
    CGFloat maxY = std::ceil(CGRectGetMaxY(r));
    return CGRectMake(minX, minY, maxX - minX, maxY - minY);
}

CGRect UIEdgeInsetsInsetRect(CGRect r, UIEdgeInsets insets)
{
    r.origin.x += insets.left;
    r.origin.y += insets.top;
    r.size.width -= insets.left + insets.right;
    r.size.height -= insets.top + insets.bottom;
    return r;
}

static std::string number(CGFloat value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
    // The shortest form that reads back as the same value.
    for (int precision = 1; precision <= 17; ++precision) {
        char shorter[32];
        std::snprintf(shorter, sizeof shorter, "%.*g", precision, value);
        if (std::strtod(shorter, nullptr) == value)
            return shorter;
    }
    return buffer;
}

std::string NSStringFromCGPoint(CGPoint p)
{
    return "{" + number(p.x) + ", " + number(p.y) + "}";
}

std::string NSStringFromCGSize(CGSize s)
{
    return "{" + number(s.width) + ", " + number(s.height) + "}";
}

std::string NSStringFromCGRect(CGRect r)
{
    return "{" + NSStringFromCGPoint(r.origin) + ", " + NSStringFromCGSize(r.size) + "}";
}

}
