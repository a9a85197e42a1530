#pragma once

#include "kit/ui/Geometry.h"

#include <string>

namespace kit {

// An affine transform as the platform keeps it: the matrix
//     | a  b  0 |
//     | c  d  0 |
//     | tx ty 1 |
// applied to row vectors, so a point (x, y) maps to
// (a·x + c·y + tx, b·x + d·y + ty).
struct CGAffineTransform {
    CGFloat a { 1 }, b { 0 }, c { 0 }, d { 1 }, tx { 0 }, ty { 0 };
    bool operator==(const CGAffineTransform&) const = default;
};

inline constexpr CGAffineTransform CGAffineTransformIdentity {};

inline CGAffineTransform CGAffineTransformMake(CGFloat a, CGFloat b, CGFloat c, CGFloat d, CGFloat tx, CGFloat ty)
{
    return { a, b, c, d, tx, ty };
}

// Angles are in radians; a positive angle turns the x axis towards the y
// axis (clockwise on a y-down screen).
CGAffineTransform CGAffineTransformMakeRotation(CGFloat angle);
CGAffineTransform CGAffineTransformMakeScale(CGFloat sx, CGFloat sy);
CGAffineTransform CGAffineTransformMakeTranslation(CGFloat tx, CGFloat ty);

// t1 applied first, then t2.
CGAffineTransform CGAffineTransformConcat(CGAffineTransform t1, CGAffineTransform t2);

// Each of these applies its own operation first and then t, so
// CGAffineTransformRotate(CGAffineTransformMakeTranslation(10, 0), a) turns a
// point about the origin and then moves it by 10.
CGAffineTransform CGAffineTransformRotate(CGAffineTransform t, CGFloat angle);
CGAffineTransform CGAffineTransformScale(CGAffineTransform t, CGFloat sx, CGFloat sy);
CGAffineTransform CGAffineTransformTranslate(CGAffineTransform t, CGFloat tx, CGFloat ty);

// The transform that undoes t; t itself, unchanged, when t cannot be
// inverted (its determinant is zero), as the platform does.
CGAffineTransform CGAffineTransformInvert(CGAffineTransform t);
bool CGAffineTransformIsInvertible(CGAffineTransform t);

bool CGAffineTransformIsIdentity(CGAffineTransform t);
bool CGAffineTransformEqualToTransform(CGAffineTransform, CGAffineTransform);

CGPoint CGPointApplyAffineTransform(CGPoint, CGAffineTransform);
// Only the linear part (no translation): a·w + c·h, b·w + d·h; the result
// may be negative.
CGSize CGSizeApplyAffineTransform(CGSize, CGAffineTransform);
// The smallest upright rectangle holding the transformed corners; null
// stays null.
CGRect CGRectApplyAffineTransform(CGRect, CGAffineTransform);

// "[a, b, c, d, tx, ty]".
std::string NSStringFromCGAffineTransform(CGAffineTransform);

}
