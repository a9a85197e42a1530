#pragma once

#include <string>

namespace kit {

using CGFloat = double;

struct CGPoint {
    CGFloat x { 0 }, y { 0 };
    bool operator==(const CGPoint&) const = default;
};

struct CGSize {
    CGFloat width { 0 }, height { 0 };
    bool operator==(const CGSize&) const = default;
};

// A rectangle as the platform keeps it: an origin and a size whose width and
// height may be negative. Every function below (except the field-wise
// operator== and CGRectMake) works on the standardised rectangle, so
// (10, 10, -5, -5) and (5, 5, 5, 5) describe the same area.
//
// The null rectangle (CGRectNull) is "no rectangle at all": the result of
// intersecting rectangles that do not meet. It is empty, contains nothing,
// and is ignored by CGRectUnion.
struct CGRect {
    CGPoint origin;
    CGSize size;
    bool operator==(const CGRect&) const = default;
};

struct UIEdgeInsets {
    CGFloat top { 0 }, left { 0 }, bottom { 0 }, right { 0 };
    bool operator==(const UIEdgeInsets&) const = default;
};

inline CGPoint CGPointMake(CGFloat x, CGFloat y) { return { x, y }; }
inline CGSize CGSizeMake(CGFloat w, CGFloat h) { return { w, h }; }
inline CGRect CGRectMake(CGFloat x, CGFloat y, CGFloat w, CGFloat h) { return { { x, y }, { w, h } }; }
inline UIEdgeInsets UIEdgeInsetsMake(CGFloat top, CGFloat left, CGFloat bottom, CGFloat right) { return { top, left, bottom, right }; }

inline constexpr CGPoint CGPointZero {};
inline constexpr CGSize CGSizeZero {};
inline constexpr CGRect CGRectZero {};
extern const CGRect CGRectNull;
inline constexpr UIEdgeInsets UIEdgeInsetsZero {};

// The same rectangle with a non-negative width and height.
CGRect CGRectStandardize(CGRect);

CGFloat CGRectGetMinX(CGRect);
CGFloat CGRectGetMidX(CGRect);
CGFloat CGRectGetMaxX(CGRect);
CGFloat CGRectGetMinY(CGRect);
CGFloat CGRectGetMidY(CGRect);
CGFloat CGRectGetMaxY(CGRect);
// Always non-negative.
CGFloat CGRectGetWidth(CGRect);
CGFloat CGRectGetHeight(CGRect);

bool CGRectIsNull(CGRect);
// Null, or of zero width or height.
bool CGRectIsEmpty(CGRect);

bool CGPointEqualToPoint(CGPoint, CGPoint);
bool CGSizeEqualToSize(CGSize, CGSize);
// Equal after standardising; two null rectangles are equal.
bool CGRectEqualToRect(CGRect, CGRect);

// Containment is half-open: the minimum edges are inside, the maximum edges
// are not, so a point belongs to exactly one of two rectangles that share an
// edge. Nothing is inside an empty rectangle.
bool CGRectContainsPoint(CGRect, CGPoint);
// Whether the second rectangle lies entirely inside the first (edges may
// touch). A null rectangle contains nothing and is contained by nothing.
bool CGRectContainsRect(CGRect outer, CGRect inner);
// Whether the two share some area: rectangles that only touch along an edge,
// and empty rectangles, do not intersect.
bool CGRectIntersectsRect(CGRect, CGRect);
// The common part; CGRectNull when the rectangles are apart. Rectangles that
// touch along an edge give a rectangle of zero width or height there.
CGRect CGRectIntersection(CGRect, CGRect);
// The smallest rectangle holding both; a null rectangle is ignored.
CGRect CGRectUnion(CGRect, CGRect);
// Moves each edge inwards by dx and dy (outwards when negative); CGRectNull
// when nothing is left. Null stays null.
CGRect CGRectInset(CGRect, CGFloat dx, CGFloat dy);
// Null stays null.
CGRect CGRectOffset(CGRect, CGFloat dx, CGFloat dy);
// The smallest rectangle with integral edges that holds the rectangle.
CGRect CGRectIntegral(CGRect);

CGRect UIEdgeInsetsInsetRect(CGRect, UIEdgeInsets);

// "{x, y}", "{w, h}", "{{x, y}, {w, h}}" with the shortest exact decimals,
// as the platform prints them in logs.
std::string NSStringFromCGPoint(CGPoint);
std::string NSStringFromCGSize(CGSize);
std::string NSStringFromCGRect(CGRect);

}
