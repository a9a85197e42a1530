#include "kit/ui/PageCurl.h"

#include <algorithm>
#include <cmath>

namespace kit {

namespace {

// How far the turned-over flap reaches, as a share of the part lifted: the
// flap stands up from the page, so it is seen shortened.
constexpr double kFlapReach = 0.55;
// Points of shadow beside the fold, at most.
constexpr double kShadowWidth = 18;

struct Fold {
    // Unit direction in which the fold travels, and where it starts.
    double dx, dy;
    CGPoint corner;
    // Distance of the fold from the corner, along (dx, dy).
    double at;

    double along(double x, double y) const { return (x - corner.x) * dx + (y - corner.y) * dy; }

    // The part of the plane at least `from` along the direction: a large
    // quadrilateral bounded by the line across it.
    void addHalfPlane(cairo_t* cr, double from, double extent) const
    {
        double lx = corner.x + dx * from, ly = corner.y + dy * from;
        double tx = -dy, ty = dx;
        cairo_move_to(cr, lx + tx * extent, ly + ty * extent);
        cairo_line_to(cr, lx - tx * extent, ly - ty * extent);
        cairo_line_to(cr, lx - tx * extent + dx * extent, ly - ty * extent + dy * extent);
        cairo_line_to(cr, lx + tx * extent + dx * extent, ly + ty * extent + dy * extent);
        cairo_close_path(cr);
    }

    // Turns the lifted part (before the fold) over the fold, shortened:
    // a point `s` along goes to at + reach × (at - s).
    cairo_matrix_t turnOver(double reach) const
    {
        double f = 1 + reach;
        double shift = f * (dx * corner.x + dy * corner.y + at);
        cairo_matrix_t m;
        // x' = x - f (along(x, y) - at) dx, likewise y'.
        cairo_matrix_init(&m, 1 - f * dx * dx, -f * dx * dy, -f * dx * dy, 1 - f * dy * dy, dx * shift, dy * shift);
        return m;
    }
};

}

void drawPageCurl(cairo_t* cr, CGRect bounds, double lifted, const PagePainter& top, const PagePainter& beneath)
{
    double x = bounds.origin.x, y = bounds.origin.y, w = bounds.size.width, h = bounds.size.height;
    double length = std::hypot(0.35, 1.0);
    Fold fold { -0.35 / length, -1 / length, { x + w, y + h }, 0 };
    // The top left corner is the last to lift.
    double far = fold.along(x, y);
    fold.at = std::clamp(std::isfinite(lifted) ? lifted : 0.0, 0.0, 1.0) * far;
    double extent = 4 * (w + h);

    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);

    if (fold.at <= 0) {
        top(cr);
        cairo_restore(cr);
        return;
    }
    beneath(cr);

    // The shadow along the fold, on the page beneath.
    double shadow = std::min(kShadowWidth, fold.at);
    cairo_save(cr);
    fold.addHalfPlane(cr, fold.at - shadow, extent);
    cairo_clip(cr);
    double sx = fold.corner.x + fold.dx * fold.at, sy = fold.corner.y + fold.dy * fold.at;
    cairo_pattern_t* dark = cairo_pattern_create_linear(sx - fold.dx * shadow, sy - fold.dy * shadow, sx, sy);
    cairo_pattern_add_color_stop_rgba(dark, 0, 0, 0, 0, 0);
    cairo_pattern_add_color_stop_rgba(dark, 1, 0, 0, 0, 0.45);
    cairo_set_source(cr, dark);
    cairo_paint(cr);
    cairo_pattern_destroy(dark);
    cairo_restore(cr);

    // What still lies flat of the top page.
    cairo_save(cr);
    fold.addHalfPlane(cr, fold.at, extent);
    cairo_clip(cr);
    top(cr);
    cairo_restore(cr);

    // The flap: the lifted part turned over above the fold. Clipped to the
    // far side of the fold first, then (in the page's own coordinates) to
    // the page, it is exactly the lifted part seen from behind.
    cairo_save(cr);
    fold.addHalfPlane(cr, fold.at, extent);
    cairo_clip(cr);
    cairo_matrix_t turn = fold.turnOver(kFlapReach);
    cairo_transform(cr, &turn);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    // The paper's back, shaded darker into the crease.
    cairo_pattern_t* paper = cairo_pattern_create_linear(sx, sy, fold.corner.x, fold.corner.y);
    cairo_pattern_add_color_stop_rgb(paper, 0, 0.72, 0.72, 0.74);
    cairo_pattern_add_color_stop_rgb(paper, 0.35, 0.93, 0.93, 0.94);
    cairo_pattern_add_color_stop_rgb(paper, 1, 0.98, 0.98, 0.98);
    cairo_set_source(cr, paper);
    cairo_paint(cr);
    cairo_pattern_destroy(paper);
    // The print shows through faintly, mirrored.
    cairo_push_group(cr);
    top(cr);
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, 0.12);
    // The flap's edge.
    cairo_rectangle(cr, x, y, w, h);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.3);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_restore(cr);

    cairo_restore(cr);
}

}
