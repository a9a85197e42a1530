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

// Draws with cairo's CLEAR operator, so that the covered pixels become
// transparent whatever lay there.
template<typename Draw>
void erasing(Draw&& draw)
{
    auto context = UIGraphicsGetCurrentContext();
    if (!context)
        return;
    cairo_t* cr = context->cairo();
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    draw(context);
    cairo_restore(cr);
}

}

void eraseStroke(const PathRef& path, CGFloat width)
{
    erasing([&](const CGContextRef&) { strokePath(path, width, black(1)); });
}

void eraseFill(const PathRef& path)
{
    erasing([&](const CGContextRef&) { fillPath(path, black(1)); });
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
