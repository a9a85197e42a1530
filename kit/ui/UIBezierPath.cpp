#include "kit/ui/UIBezierPath.h"

#include "kit/ui/UIGraphics.h"

#include <cairo.h>
#include <cmath>
#include <functional>

namespace kit {

KIT_REGISTER_CLASS(UIBezierPath);

namespace {

// Runs `use` with `path` as the current context's path, and puts back the
// path the context had before.
void withPathInCurrentContext(const CGPathRef& path, const std::function<void(const CGContextRef&)>& use)
{
    auto context = UIGraphicsGetCurrentContext();
    if (!context)
        return;
    cairo_path_t* kept = cairo_copy_path(context->cairo());
    CGContextBeginPath(context);
    CGContextAddPath(context, path);
    use(context);
    cairo_new_path(context->cairo());
    cairo_append_path(context->cairo(), kept);
    cairo_path_destroy(kept);
}

}

UIBezierPath::UIBezierPath()
    : m_path(std::make_shared<kit::CGPath>())
{
}

std::shared_ptr<UIBezierPath> UIBezierPath::bezierPath()
{
    return std::make_shared<UIBezierPath>();
}

std::shared_ptr<UIBezierPath> UIBezierPath::bezierPathWithRect(CGRect rect)
{
    auto path = bezierPath();
    appendRect(*path->m_path, rect);
    return path;
}

std::shared_ptr<UIBezierPath> UIBezierPath::bezierPathWithOvalInRect(CGRect rect)
{
    auto path = bezierPath();
    appendEllipse(*path->m_path, rect);
    return path;
}

std::shared_ptr<UIBezierPath> UIBezierPath::bezierPathWithRoundedRect(CGRect rect, CGFloat cornerRadius)
{
    auto path = bezierPath();
    appendRoundedRect(*path->m_path, rect, cornerRadius);
    return path;
}

std::shared_ptr<UIBezierPath> UIBezierPath::bezierPathWithArcCenter(CGPoint center, CGFloat radius, CGFloat startAngle, CGFloat endAngle, bool clockwise)
{
    auto path = bezierPath();
    path->addArcWithCenter(center, radius, startAngle, endAngle, clockwise);
    return path;
}

std::shared_ptr<UIBezierPath> UIBezierPath::bezierPathWithCGPath(const CGPathRef& source)
{
    auto path = bezierPath();
    if (source)
        path->m_path = std::make_shared<kit::CGPath>(*source);
    return path;
}

std::shared_ptr<kit::CGPath> UIBezierPath::mutablePath()
{
    // A CGPath handed out stays as it was when handed out.
    if (m_path.use_count() > 1)
        m_path = std::make_shared<kit::CGPath>(*m_path);
    return m_path;
}

void UIBezierPath::moveToPoint(CGPoint point)
{
    mutablePath()->moveTo(point);
}

void UIBezierPath::addLineToPoint(CGPoint point)
{
    // As on the platform, a line needs a current point.
    if (m_path->hasCurrentPoint())
        mutablePath()->lineTo(point);
}

void UIBezierPath::addCurveToPoint(CGPoint end, CGPoint controlPoint1, CGPoint controlPoint2)
{
    if (m_path->hasCurrentPoint())
        mutablePath()->curveTo(controlPoint1, controlPoint2, end);
}

void UIBezierPath::addQuadCurveToPoint(CGPoint end, CGPoint controlPoint)
{
    if (auto from = m_path->currentPoint())
        appendQuadCurve(*mutablePath(), *from, controlPoint, end);
}

void UIBezierPath::addArcWithCenter(CGPoint center, CGFloat radius, CGFloat startAngle, CGFloat endAngle, bool clockwise)
{
    appendArc(*mutablePath(), center, radius, startAngle, endAngle, !clockwise);
}

void UIBezierPath::closePath()
{
    mutablePath()->closeSubpath();
}

void UIBezierPath::removeAllPoints()
{
    m_path = std::make_shared<kit::CGPath>();
}

void UIBezierPath::appendPath(const UIBezierPath& other)
{
    CGMutablePathRef path = mutablePath();
    CGPathAddPath(path, nullptr, other.m_path);
}

void UIBezierPath::applyTransform(CGAffineTransform transform)
{
    mutablePath()->applyTransform(transform);
}

void UIBezierPath::setLineWidth(CGFloat width)
{
    m_lineWidth = std::isfinite(width) ? std::max(width, 0.0) : m_lineWidth;
}

void UIBezierPath::fill() const
{
    withPathInCurrentContext(m_path, [&](const CGContextRef& context) {
        CGContextSaveGState(context);
        CGContextDrawPath(context, m_evenOdd ? kCGPathEOFill : kCGPathFill);
        CGContextRestoreGState(context);
    });
}

void UIBezierPath::stroke() const
{
    withPathInCurrentContext(m_path, [&](const CGContextRef& context) {
        CGContextSaveGState(context);
        CGContextSetLineWidth(context, m_lineWidth);
        CGContextSetLineCap(context, m_lineCap);
        CGContextSetLineJoin(context, m_lineJoin);
        CGContextStrokePath(context);
        CGContextRestoreGState(context);
    });
}

void UIBezierPath::addClip() const
{
    withPathInCurrentContext(m_path, [&](const CGContextRef& context) {
        m_evenOdd ? CGContextEOClip(context) : CGContextClip(context);
    });
}

}
