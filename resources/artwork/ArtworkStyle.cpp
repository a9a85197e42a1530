#include "resources/artwork/ArtworkStyle.h"

#include "kit/ui/CGGradient.h"
#include "kit/ui/UIGraphics.h"

#include <cairo.h>

namespace vantor::resources {

using namespace kit;

PathRef linePath(CGPoint from, CGPoint to)
{
    auto path = UIBezierPath::bezierPath();
    path->moveToPoint(from);
    path->addLineToPoint(to);
    return path;
}

PathRef circlePath(CGPoint center, CGFloat radius)
{
    return UIBezierPath::bezierPathWithOvalInRect({ { center.x - radius, center.y - radius }, { 2 * radius, 2 * radius } });
}

void fillPath(const PathRef& path, RGBA colour)
{
    auto context = UIGraphicsGetCurrentContext();
    CGContextSaveGState(context);
    CGContextSetRGBFillColor(context, colour.red, colour.green, colour.blue, colour.alpha);
    path->fill();
    CGContextRestoreGState(context);
}

void fillPathWithGradient(const PathRef& path, RGBA top, RGBA bottom)
{
    auto context = UIGraphicsGetCurrentContext();
    CGContextSaveGState(context);
    path->addClip();
    const CGFloat components[] = { top.red, top.green, top.blue, top.alpha, bottom.red, bottom.green, bottom.blue, bottom.alpha };
    auto gradient = CGGradientCreateWithColorComponents(CGColorSpaceCreateDeviceRGB(), components, nullptr, 2);
    CGRect box = path->bounds();
    CGContextDrawLinearGradient(context, gradient, { CGRectGetMidX(box), CGRectGetMinY(box) }, { CGRectGetMidX(box), CGRectGetMaxY(box) }, 0);
    CGContextRestoreGState(context);
}

void strokePath(const PathRef& path, CGFloat width, RGBA colour)
{
    auto context = UIGraphicsGetCurrentContext();
    CGContextSaveGState(context);
    CGContextSetRGBStrokeColor(context, colour.red, colour.green, colour.blue, colour.alpha);
    path->setLineWidth(width);
    path->setLineCapStyle(kCGLineCapRound);
    path->setLineJoinStyle(kCGLineJoinRound);
    path->stroke();
    CGContextRestoreGState(context);
}

void strokeWithHalo(const PathRef& path, CGFloat width, RGBA colour, CGFloat haloAlpha)
{
    strokePath(path, width + kHaloWidth, black(haloAlpha));
    strokePath(path, width, colour);
}

namespace {

// Clears the path's coverage (its fill, or its stroke of `strokeWidth` with
// round ends) through the context's own erase, which respects its clip.
void erasePath(const PathRef& path, CGFloat strokeWidth)
{
    auto context = UIGraphicsGetCurrentContext();
    if (!context)
        return;
    context->paint([&](cairo_t* cr) {
        cairo_new_path(cr);
        path->CGPath()->replay(cr);
        cairo_set_source_rgba(cr, 0, 0, 0, 1);
        if (strokeWidth > 0) {
            cairo_set_line_width(cr, strokeWidth);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
            cairo_stroke(cr);
        } else {
            cairo_set_fill_rule(cr, path->usesEvenOddFillRule() ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
            cairo_fill(cr);
        }
    }, true);
}

}

void eraseStroke(const PathRef& path, CGFloat width)
{
    if (width > 0)
        erasePath(path, width);
}

void eraseFill(const PathRef& path)
{
    erasePath(path, 0);
}

void fadeOutAtBottom(CGSize size, CGFloat height)
{
    auto context = UIGraphicsGetCurrentContext();
    if (!context)
        return;
    context->paint([&](cairo_t* cr) {
        cairo_pattern_t* ramp = cairo_pattern_create_linear(0, size.height - height, 0, size.height);
        cairo_pattern_add_color_stop_rgba(ramp, 0, 0, 0, 0, 0);
        cairo_pattern_add_color_stop_rgba(ramp, 1, 0, 0, 0, 1);
        cairo_set_source(cr, ramp);
        cairo_rectangle(cr, 0, size.height - height, size.width, height);
        cairo_fill(cr);
        cairo_pattern_destroy(ramp);
    }, true);
}

void pushRotation(CGPoint center, CGFloat angle)
{
    auto context = UIGraphicsGetCurrentContext();
    CGContextSaveGState(context);
    CGContextTranslateCTM(context, center.x, center.y);
    CGContextRotateCTM(context, angle);
    CGContextTranslateCTM(context, -center.x, -center.y);
}

void popRotation()
{
    CGContextRestoreGState(UIGraphicsGetCurrentContext());
}

}
