#include "kit/ui/CGGradient.h"

#include <algorithm>
#include <cairo.h>
#include <cmath>

namespace kit {

CGGradientRef CGGradientCreateWithColorComponents(const CGColorSpaceRef& space, const CGFloat* components, const CGFloat* locations, size_t count)
{
    if (!space || !components || count == 0)
        return nullptr;
    size_t stride = space->numberOfComponents() + 1;
    std::vector<CGGradient::Stop> stops;
    for (size_t i = 0; i < count; ++i) {
        const CGFloat* c = components + i * stride;
        CGFloat location = locations ? locations[i] : count == 1 ? 0.0 : CGFloat(i) / CGFloat(count - 1);
        stops.push_back({ std::clamp(location, 0.0, 1.0), CGColor(space->model(), std::vector<CGFloat>(c, c + stride)).rgba() });
    }
    std::stable_sort(stops.begin(), stops.end(), [](const auto& a, const auto& b) { return a.location < b.location; });
    return std::make_shared<const CGGradient>(std::move(stops));
}

void CGContextDrawLinearGradient(const CGContextRef& context, const CGGradientRef& gradient, CGPoint start, CGPoint end, uint32_t options)
{
    if (!context || !gradient || !std::isfinite(start.x + start.y + end.x + end.y))
        return;
    bool before = options & kCGGradientDrawsBeforeStartLocation;
    bool after = options & kCGGradientDrawsAfterEndLocation;
    CGFloat dx = end.x - start.x, dy = end.y - start.y;
    CGFloat lengthSquared = dx * dx + dy * dy;
    if (lengthSquared == 0)
        return;
    CGFloat alpha = context->gstate().alpha;
    context->paint([&](cairo_t* cr) {
        cairo_pattern_t* pattern = cairo_pattern_create_linear(start.x, start.y, end.x, end.y);
        for (const auto& stop : gradient->stops())
            cairo_pattern_add_color_stop_rgba(pattern, stop.location, stop.rgba[0], stop.rgba[1], stop.rgba[2], stop.rgba[3]);
        cairo_pattern_set_extend(pattern, before || after ? CAIRO_EXTEND_PAD : CAIRO_EXTEND_NONE);
        if (before != after) {
            // Cairo extends both ends or neither: clip away the side that
            // must stay unpainted with a large band perpendicular to the line.
            CGFloat far = 1e6 / std::sqrt(lengthSquared);
            CGFloat nx = -dy * far, ny = dx * far;
            CGPoint edge = before ? end : start;
            CGFloat along = before ? -far : far;
            CGPoint inner = { edge.x + dx * along, edge.y + dy * along };
            cairo_move_to(cr, edge.x + nx, edge.y + ny);
            cairo_line_to(cr, edge.x - nx, edge.y - ny);
            cairo_line_to(cr, inner.x - nx, inner.y - ny);
            cairo_line_to(cr, inner.x + nx, inner.y + ny);
            cairo_close_path(cr);
            cairo_clip(cr);
        }
        cairo_set_source(cr, pattern);
        cairo_paint_with_alpha(cr, alpha);
        cairo_pattern_destroy(pattern);
    });
}

}
