#include "kit/ui/ViewAnimation.h"

#include <algorithm>
#include <cmath>

namespace kit::animation {

namespace {

// The platform's timing curves as cubic Béziers from (0, 0) to (1, 1).
struct Bezier {
    double x1, y1, x2, y2;

    static double at(double p1, double p2, double s)
    {
        double u = 1 - s;
        return 3 * u * u * s * p1 + 3 * u * s * s * p2 + s * s * s;
    }

    double solve(double x) const
    {
        // x(s) is monotonic for these curves, so bisection always converges.
        double lo = 0, hi = 1, s = x;
        for (int i = 0; i < 60; ++i) {
            double value = at(x1, x2, s);
            if (std::abs(value - x) < 1e-9)
                break;
            if (value < x)
                lo = s;
            else
                hi = s;
            s = (lo + hi) / 2;
        }
        return at(y1, y2, s);
    }
};

struct Decomposed {
    double scaleX, scaleY, angle, shear, tx, ty;
};

Decomposed decompose(const CGAffineTransform& t)
{
    // The linear part as R(angle) · [[scaleX, shear], [0, scaleY]].
    double scaleX = std::hypot(t.a, t.b);
    double angle = scaleX > 0 ? std::atan2(t.b, t.a) : 0;
    double cosA = std::cos(angle), sinA = std::sin(angle);
    double shear = cosA * t.c + sinA * t.d;
    double scaleY = -sinA * t.c + cosA * t.d;
    return { scaleX, scaleY, angle, shear, t.tx, t.ty };
}

CGAffineTransform compose(const Decomposed& d)
{
    double cosA = std::cos(d.angle), sinA = std::sin(d.angle);
    return { d.scaleX * cosA, d.scaleX * sinA, cosA * d.shear - sinA * d.scaleY, sinA * d.shear + cosA * d.scaleY,
        d.tx, d.ty };
}

double mix(double a, double b, double p)
{
    return a + (b - a) * p;
}

}

double progressAlongCurve(UIViewAnimationCurve curve, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    switch (curve) {
    case UIViewAnimationCurveEaseIn:
        return Bezier { 0.42, 0, 1, 1 }.solve(t);
    case UIViewAnimationCurveEaseOut:
        return Bezier { 0, 0, 0.58, 1 }.solve(t);
    case UIViewAnimationCurveLinear:
        return t;
    case UIViewAnimationCurveEaseInOut:
    default:
        return Bezier { 0.42, 0, 0.58, 1 }.solve(t);
    }
}

Value interpolate(const Value& from, const Value& to, double p)
{
    if (from.index() != to.index())
        return to;
    if (auto* a = std::get_if<double>(&from))
        return mix(*a, std::get<double>(to), p);
    if (auto* a = std::get_if<CGPoint>(&from)) {
        auto& b = std::get<CGPoint>(to);
        return CGPoint { mix(a->x, b.x, p), mix(a->y, b.y, p) };
    }
    if (auto* a = std::get_if<CGRect>(&from)) {
        auto& b = std::get<CGRect>(to);
        return CGRectMake(mix(a->origin.x, b.origin.x, p), mix(a->origin.y, b.origin.y, p),
            mix(a->size.width, b.size.width, p), mix(a->size.height, b.size.height, p));
    }
    if (auto* a = std::get_if<Color>(&from)) {
        auto& b = std::get<Color>(to);
        return Color { mix(a->r, b.r, p), mix(a->g, b.g, p), mix(a->b, b.b, p), mix(a->a, b.a, p) };
    }
    // Transforms turn through the shorter way round, scaling and moving as
    // they go, instead of blending matrices (which would shrink a turning view).
    auto a = decompose(std::get<CGAffineTransform>(from));
    auto b = decompose(std::get<CGAffineTransform>(to));
    double turn = std::remainder(b.angle - a.angle, 2 * M_PI);
    return compose({ mix(a.scaleX, b.scaleX, p), mix(a.scaleY, b.scaleY, p), a.angle + turn * p, mix(a.shear, b.shear, p),
        mix(a.tx, b.tx, p), mix(a.ty, b.ty, p) });
}

bool Timing::isOver(double now) const
{
    return !repeats && now >= start + duration * (autoreverses ? 2 : 1);
}

double Timing::progress(double now) const
{
    if (now <= start || duration <= 0)
        return now <= start ? 0 : 1;
    double t = (now - start) / duration;
    if (autoreverses) {
        t = repeats ? std::fmod(t, 2.0) : std::min(t, 2.0);
        t = t <= 1 ? t : 2 - t;
    } else {
        t = repeats ? std::fmod(t, 1.0) : std::min(t, 1.0);
    }
    return progressAlongCurve(curve, t);
}

}
