#include "kit/ui/CGPath.h"

#include <algorithm>
#include <cairo.h>
#include <cmath>
#include <numbers>

namespace kit {

namespace {

constexpr CGFloat twoPi = 2 * std::numbers::pi;

CGPoint onCircle(CGPoint center, CGFloat radius, CGFloat angle)
{
    return { center.x + radius * std::cos(angle), center.y + radius * std::sin(angle) };
}

// A path sink that transforms every point before passing it on.
class TransformingSink final : public PathSink {
public:
    TransformingSink(PathSink& target, const CGAffineTransform* transform) : m_target(target), m_transform(transform) { }
    void moveTo(CGPoint p) override { m_target.moveTo(map(p)); }
    void lineTo(CGPoint p) override { m_target.lineTo(map(p)); }
    void curveTo(CGPoint c1, CGPoint c2, CGPoint p) override { m_target.curveTo(map(c1), map(c2), map(p)); }
    void closeSubpath() override { m_target.closeSubpath(); }
    bool hasCurrentPoint() const override { return m_target.hasCurrentPoint(); }

private:
    CGPoint map(CGPoint p) const { return m_transform ? CGPointApplyAffineTransform(p, *m_transform) : p; }
    PathSink& m_target;
    const CGAffineTransform* m_transform;
};

}

void appendArc(PathSink& sink, CGPoint center, CGFloat radius, CGFloat startAngle, CGFloat endAngle, bool angleDecreasing)
{
    radius = std::fabs(radius);
    CGFloat sweep = endAngle - startAngle;
    // The sweep runs one way round, at most one full turn.
    if (angleDecreasing) {
        if (sweep > 0)
            sweep = std::fmod(sweep, twoPi) - twoPi;
        sweep = std::max(sweep, -twoPi);
    } else {
        if (sweep < 0)
            sweep = std::fmod(sweep, twoPi) + twoPi;
        sweep = std::min(sweep, twoPi);
    }
    CGPoint start = onCircle(center, radius, startAngle);
    if (sink.hasCurrentPoint())
        sink.lineTo(start);
    else
        sink.moveTo(start);
    int pieces = std::max(1, int(std::ceil(std::fabs(sweep) / (std::numbers::pi / 2) - 1e-9)));
    CGFloat step = sweep / pieces;
    // Control distance for a circular arc of `step` radians.
    CGFloat k = 4.0 / 3.0 * std::tan(step / 4) * radius;
    CGFloat angle = startAngle;
    for (int i = 0; i < pieces; ++i) {
        CGFloat next = angle + step;
        CGPoint p0 = onCircle(center, radius, angle);
        CGPoint p1 = onCircle(center, radius, next);
        CGPoint c1 = { p0.x - k * std::sin(angle), p0.y + k * std::cos(angle) };
        CGPoint c2 = { p1.x + k * std::sin(next), p1.y - k * std::cos(next) };
        sink.curveTo(c1, c2, p1);
        angle = next;
    }
}

void appendRect(PathSink& sink, CGRect r)
{
    sink.moveTo(r.origin);
    sink.lineTo({ r.origin.x + r.size.width, r.origin.y });
    sink.lineTo({ r.origin.x + r.size.width, r.origin.y + r.size.height });
    sink.lineTo({ r.origin.x, r.origin.y + r.size.height });
    sink.closeSubpath();
}

void appendEllipse(PathSink& sink, CGRect r)
{
    r = CGRectStandardize(r);
    CGFloat rx = r.size.width / 2, ry = r.size.height / 2;
    CGFloat cx = r.origin.x + rx, cy = r.origin.y + ry;
    // A unit circle, stretched: four quarter Béziers.
    constexpr CGFloat k = 0.5522847498307936;
    sink.moveTo({ cx + rx, cy });
    sink.curveTo({ cx + rx, cy + k * ry }, { cx + k * rx, cy + ry }, { cx, cy + ry });
    sink.curveTo({ cx - k * rx, cy + ry }, { cx - rx, cy + k * ry }, { cx - rx, cy });
    sink.curveTo({ cx - rx, cy - k * ry }, { cx - k * rx, cy - ry }, { cx, cy - ry });
    sink.curveTo({ cx + k * rx, cy - ry }, { cx + rx, cy - k * ry }, { cx + rx, cy });
    sink.closeSubpath();
}

void appendRoundedRect(PathSink& sink, CGRect r, CGFloat cornerRadius)
{
    r = CGRectStandardize(r);
    CGFloat radius = std::clamp(cornerRadius, 0.0, std::min(r.size.width, r.size.height) / 2);
    if (radius <= 0) {
        appendRect(sink, r);
        return;
    }
    CGFloat minX = r.origin.x, minY = r.origin.y, maxX = minX + r.size.width, maxY = minY + r.size.height;
    constexpr CGFloat half = std::numbers::pi / 2;
    sink.moveTo({ minX + radius, minY });
    // Each corner arc joins the previous edge with a line.
    appendArc(sink, { maxX - radius, minY + radius }, radius, -half, 0, false);
    appendArc(sink, { maxX - radius, maxY - radius }, radius, 0, half, false);
    appendArc(sink, { minX + radius, maxY - radius }, radius, half, 2 * half, false);
    appendArc(sink, { minX + radius, minY + radius }, radius, 2 * half, 3 * half, false);
    sink.closeSubpath();
}

void appendQuadCurve(PathSink& sink, CGPoint from, CGPoint control, CGPoint end)
{
    sink.curveTo({ from.x + 2.0 / 3.0 * (control.x - from.x), from.y + 2.0 / 3.0 * (control.y - from.y) },
        { end.x + 2.0 / 3.0 * (control.x - end.x), end.y + 2.0 / 3.0 * (control.y - end.y) }, end);
}

void CGPath::moveTo(CGPoint p)
{
    // Consecutive moves keep only the last, as the platform does.
    if (!m_elements.empty() && m_elements.back().type == CGPathElement::MoveToPoint)
        m_elements.back().points[0] = p;
    else
        m_elements.push_back({ CGPathElement::MoveToPoint, { p } });
    m_currentPoint = p;
    m_subpathStart = p;
}

void CGPath::lineTo(CGPoint p)
{
    if (!m_currentPoint)
        moveTo(p);
    m_elements.push_back({ CGPathElement::AddLineToPoint, { p } });
    m_currentPoint = p;
}

void CGPath::curveTo(CGPoint c1, CGPoint c2, CGPoint p)
{
    if (!m_currentPoint)
        moveTo(c1);
    m_elements.push_back({ CGPathElement::AddCurveToPoint, { c1, c2, p } });
    m_currentPoint = p;
}

void CGPath::closeSubpath()
{
    if (!m_currentPoint)
        return;
    m_elements.push_back({ CGPathElement::CloseSubpath, {} });
    m_currentPoint = m_subpathStart;
}

CGRect CGPath::boundingBox() const
{
    CGRect box = CGRectNull;
    for (const auto& element : m_elements) {
        int count = element.type == CGPathElement::AddCurveToPoint ? 3 : element.type == CGPathElement::CloseSubpath ? 0 : 1;
        for (int i = 0; i < count; ++i)
            box = CGRectUnion(box, { element.points[i], CGSizeZero });
    }
    return box;
}

void CGPath::applyTransform(const CGAffineTransform& t)
{
    for (auto& element : m_elements) {
        for (auto& point : element.points)
            point = CGPointApplyAffineTransform(point, t);
    }
    if (m_currentPoint)
        m_currentPoint = CGPointApplyAffineTransform(*m_currentPoint, t);
    if (m_subpathStart)
        m_subpathStart = CGPointApplyAffineTransform(*m_subpathStart, t);
}

void CGPath::replay(cairo_t* cr) const
{
    for (const auto& e : m_elements) {
        switch (e.type) {
        case CGPathElement::MoveToPoint:
            cairo_move_to(cr, e.points[0].x, e.points[0].y);
            break;
        case CGPathElement::AddLineToPoint:
            cairo_line_to(cr, e.points[0].x, e.points[0].y);
            break;
        case CGPathElement::AddCurveToPoint:
            cairo_curve_to(cr, e.points[0].x, e.points[0].y, e.points[1].x, e.points[1].y, e.points[2].x, e.points[2].y);
            break;
        case CGPathElement::CloseSubpath:
            cairo_close_path(cr);
            break;
        }
    }
}

bool CGPath::containsPoint(CGPoint point, bool evenOdd) const
{
    if (m_elements.empty())
        return false;
    cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
    cairo_t* cr = cairo_create(scratch);
    replay(cr);
    cairo_set_fill_rule(cr, evenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
    bool inside = cairo_in_fill(cr, point.x, point.y);
    cairo_destroy(cr);
    cairo_surface_destroy(scratch);
    return inside;
}

CGMutablePathRef CGPathCreateMutable()
{
    return std::make_shared<CGPath>();
}

CGMutablePathRef CGPathCreateMutableCopy(const CGPathRef& path)
{
    return path ? std::make_shared<CGPath>(*path) : CGPathCreateMutable();
}

void CGPathMoveToPoint(const CGMutablePathRef& path, const CGAffineTransform* m, CGFloat x, CGFloat y)
{
    if (path)
        TransformingSink(*path, m).moveTo({ x, y });
}

void CGPathAddLineToPoint(const CGMutablePathRef& path, const CGAffineTransform* m, CGFloat x, CGFloat y)
{
    if (path)
        TransformingSink(*path, m).lineTo({ x, y });
}

void CGPathAddCurveToPoint(const CGMutablePathRef& path, const CGAffineTransform* m, CGFloat cp1x, CGFloat cp1y, CGFloat cp2x, CGFloat cp2y, CGFloat x, CGFloat y)
{
    if (path)
        TransformingSink(*path, m).curveTo({ cp1x, cp1y }, { cp2x, cp2y }, { x, y });
}

void CGPathAddQuadCurveToPoint(const CGMutablePathRef& path, const CGAffineTransform* m, CGFloat cpx, CGFloat cpy, CGFloat x, CGFloat y)
{
    if (!path || !path->currentPoint())
        return;
    // The current point is already transformed; the curve is built in the
    // path's own space.
    CGPoint from = *path->currentPoint();
    CGPoint control = m ? CGPointApplyAffineTransform({ cpx, cpy }, *m) : CGPoint { cpx, cpy };
    CGPoint end = m ? CGPointApplyAffineTransform({ x, y }, *m) : CGPoint { x, y };
    appendQuadCurve(*path, from, control, end);
}

void CGPathAddArc(const CGMutablePathRef& path, const CGAffineTransform* m, CGFloat x, CGFloat y, CGFloat radius, CGFloat startAngle, CGFloat endAngle, bool clockwise)
{
    if (!path)
        return;
    TransformingSink sink(*path, m);
    appendArc(sink, { x, y }, radius, startAngle, endAngle, clockwise);
}

void CGPathAddRect(const CGMutablePathRef& path, const CGAffineTransform* m, CGRect rect)
{
    if (!path)
        return;
    TransformingSink sink(*path, m);
    appendRect(sink, rect);
}

void CGPathAddEllipseInRect(const CGMutablePathRef& path, const CGAffineTransform* m, CGRect rect)
{
    if (!path)
        return;
    TransformingSink sink(*path, m);
    appendEllipse(sink, rect);
}

void CGPathAddPath(const CGMutablePathRef& path, const CGAffineTransform* m, const CGPathRef& other)
{
    if (!path || !other)
        return;
    CGPath copy = *other;
    if (m)
        copy.applyTransform(*m);
    for (const auto& e : copy.elements()) {
        switch (e.type) {
        case CGPathElement::MoveToPoint: path->moveTo(e.points[0]); break;
        case CGPathElement::AddLineToPoint: path->lineTo(e.points[0]); break;
        case CGPathElement::AddCurveToPoint: path->curveTo(e.points[0], e.points[1], e.points[2]); break;
        case CGPathElement::CloseSubpath: path->closeSubpath(); break;
        }
    }
}

void CGPathCloseSubpath(const CGMutablePathRef& path)
{
    if (path)
        path->closeSubpath();
}

CGRect CGPathGetBoundingBox(const CGPathRef& path)
{
    return path ? path->boundingBox() : CGRectNull;
}

bool CGPathContainsPoint(const CGPathRef& path, const CGAffineTransform* m, CGPoint point, bool eoFill)
{
    if (!path)
        return false;
    if (m)
        point = CGPointApplyAffineTransform(point, CGAffineTransformInvert(*m));
    return path->containsPoint(point, eoFill);
}

bool CGPathIsEmpty(const CGPathRef& path)
{
    return !path || path->isEmpty();
}

}
