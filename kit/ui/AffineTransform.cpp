#include "kit/ui/AffineTransform.h"

#include <algorithm>
#include <cmath>

namespace kit {

CGAffineTransform CGAffineTransformMakeRotation(CGFloat angle)
{
    CGFloat s = std::sin(angle);
    CGFloat c = std::cos(angle);
    return { c, s, -s, c, 0, 0 };
}

CGAffineTransform CGAffineTransformMakeScale(CGFloat sx, CGFloat sy)
{
    return { sx, 0, 0, sy, 0, 0 };
}

CGAffineTransform CGAffineTransformMakeTranslation(CGFloat tx, CGFloat ty)
{
    return { 1, 0, 0, 1, tx, ty };
}

CGAffineTransform CGAffineTransformConcat(CGAffineTransform t1, CGAffineTransform t2)
{
    return {
        t1.a * t2.a + t1.b * t2.c,
        t1.a * t2.b + t1.b * t2.d,
        t1.c * t2.a + t1.d * t2.c,
        t1.c * t2.b + t1.d * t2.d,
        t1.tx * t2.a + t1.ty * t2.c + t2.tx,
        t1.tx * t2.b + t1.ty * t2.d + t2.ty,
    };
}

CGAffineTransform CGAffineTransformRotate(CGAffineTransform t, CGFloat angle)
{
    return CGAffineTransformConcat(CGAffineTransformMakeRotation(angle), t);
}

CGAffineTransform CGAffineTransformScale(CGAffineTransform t, CGFloat sx, CGFloat sy)
{
    return CGAffineTransformConcat(CGAffineTransformMakeScale(sx, sy), t);
}

CGAffineTransform CGAffineTransformTranslate(CGAffineTransform t, CGFloat tx, CGFloat ty)
{
    return CGAffineTransformConcat(CGAffineTransformMakeTranslation(tx, ty), t);
}

bool CGAffineTransformIsInvertible(CGAffineTransform t)
{
    CGFloat determinant = t.a * t.d - t.b * t.c;
    return determinant != 0 && std::isfinite(1 / determinant);
}

CGAffineTransform CGAffineTransformInvert(CGAffineTransform t)
{
    if (!CGAffineTransformIsInvertible(t))
        return t;
    CGFloat determinant = t.a * t.d - t.b * t.c;
    CGAffineTransform r;
    r.a = t.d / determinant;
    r.b = -t.b / determinant;
    r.c = -t.c / determinant;
    r.d = t.a / determinant;
    r.tx = -(t.tx * r.a + t.ty * r.c);
    r.ty = -(t.tx * r.b + t.ty * r.d);
    return r;
}

bool CGAffineTransformIsIdentity(CGAffineTransform t)
{
    return t == CGAffineTransformIdentity;
}

bool CGAffineTransformEqualToTransform(CGAffineTransform t1, CGAffineTransform t2)
{
    return t1 == t2;
}

CGPoint CGPointApplyAffineTransform(CGPoint p, CGAffineTransform t)
{
    return { t.a * p.x + t.c * p.y + t.tx, t.b * p.x + t.d * p.y + t.ty };
}

CGSize CGSizeApplyAffineTransform(CGSize s, CGAffineTransform t)
{
    return { t.a * s.width + t.c * s.height, t.b * s.width + t.d * s.height };
}

CGRect CGRectApplyAffineTransform(CGRect r, CGAffineTransform t)
{
    if (CGRectIsNull(r))
        return CGRectNull;
    r = CGRectStandardize(r);
    const CGPoint corners[4] = {
        CGPointApplyAffineTransform(r.origin, t),
        CGPointApplyAffineTransform({ r.origin.x + r.size.width, r.origin.y }, t),
        CGPointApplyAffineTransform({ r.origin.x, r.origin.y + r.size.height }, t),
        CGPointApplyAffineTransform({ r.origin.x + r.size.width, r.origin.y + r.size.height }, t),
    };
    CGFloat minX = corners[0].x, maxX = corners[0].x, minY = corners[0].y, maxY = corners[0].y;
    for (const auto& corner : corners) {
        minX = std::min(minX, corner.x);
        maxX = std::max(maxX, corner.x);
        minY = std::min(minY, corner.y);
        maxY = std::max(maxY, corner.y);
    }
    return CGRectMake(minX, minY, maxX - minX, maxY - minY);
}

std::string NSStringFromCGAffineTransform(CGAffineTransform t)
{
    // Reuses the point printer's number format.
    auto pair = [](CGFloat x, CGFloat y) {
        auto text = NSStringFromCGPoint({ x, y });
        return text.substr(1, text.size() - 2);
    };
    return "[" + pair(t.a, t.b) + ", " + pair(t.c, t.d) + ", " + pair(t.tx, t.ty) + "]";
}

}
