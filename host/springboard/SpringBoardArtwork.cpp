#include "host/springboard/SpringBoardArtwork.h"

#include "host/common/DrawnImage.h"

#include <cairo.h>

#include <cmath>

namespace host {

namespace {

// The icon's shape (the era's corner is about 22 % of the side), filled
// with a vertical gradient from `top` to `bottom` grey.
void iconBackground(cairo_t* cr, double side, double top, double bottom)
{
    addRoundedRect(cr, 0, 0, side, side, side * 0.225);
    cairo_clip(cr);
    cairo_pattern_t* gradient = cairo_pattern_create_linear(0, 0, 0, side);
    cairo_pattern_add_color_stop_rgb(gradient, 0, top, top, top + 0.01);
    cairo_pattern_add_color_stop_rgb(gradient, 1, bottom, bottom, bottom + 0.02);
    cairo_set_source(cr, gradient);
    cairo_paint(cr);
    cairo_pattern_destroy(gradient);
}

// A gear of `teeth` teeth between the two radii, centred on (cx, cy).
void gear(cairo_t* cr, double cx, double cy, double inner, double outer, int teeth)
{
    double step = 2 * M_PI / teeth;
    for (int i = 0; i < teeth; ++i) {
        double a = i * step;
        double points[4][2] = { { inner, a - step * 0.32 }, { outer, a - step * 0.2 }, { outer, a + step * 0.2 },
            { inner, a + step * 0.32 } };
        for (auto& [radius, angle] : points) {
            double x = cx + radius * std::cos(angle), y = cy + radius * std::sin(angle);
            if (i == 0 && &radius == &points[0][0])
                cairo_move_to(cr, x, y);
            else
                cairo_line_to(cr, x, y);
        }
    }
    cairo_close_path(cr);
}

}

std::shared_ptr<kit::UIImage> SpringBoardArtwork::wallpaper(kit::CGSize size)
{
    double w = size.width, h = size.height;
    return drawnImage(w, h, [w, h](cairo_t* cr) {
        // Deep blue above, violet below, as the era's default wallpapers.
        cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, w * 0.3, h);
        cairo_pattern_add_color_stop_rgb(sky, 0, 0.05, 0.32, 0.55);
        cairo_pattern_add_color_stop_rgb(sky, 0.55, 0.20, 0.20, 0.52);
        cairo_pattern_add_color_stop_rgb(sky, 1, 0.42, 0.14, 0.45);
        cairo_set_source(cr, sky);
        cairo_paint(cr);
        cairo_pattern_destroy(sky);
        // Soft discs of light, out of focus.
        struct Light {
            double x, y, radius, r, g, b, alpha;
        };
        const Light lights[] = {
            { 0.18, 0.22, 0.38, 0.45, 0.85, 0.95, 0.45 },
            { 0.85, 0.35, 0.30, 0.95, 0.55, 0.85, 0.35 },
            { 0.35, 0.70, 0.42, 0.60, 0.45, 0.95, 0.30 },
            { 0.90, 0.85, 0.25, 1.00, 0.70, 0.60, 0.30 },
            { 0.55, 0.45, 0.12, 1.00, 1.00, 1.00, 0.18 },
        };
        for (const auto& light : lights) {
            double x = light.x * w, y = light.y * h, radius = light.radius * std::max(w, h) * 0.6;
            cairo_pattern_t* glow = cairo_pattern_create_radial(x, y, 0, x, y, radius);
            cairo_pattern_add_color_stop_rgba(glow, 0, light.r, light.g, light.b, light.alpha);
            cairo_pattern_add_color_stop_rgba(glow, 1, light.r, light.g, light.b, 0);
            cairo_set_source(cr, glow);
            cairo_paint(cr);
            cairo_pattern_destroy(glow);
        }
    });
}

std::shared_ptr<kit::UIImage> SpringBoardArtwork::cameraIcon(double side)
{
    return drawnImage(side, side, [side](cairo_t* cr) {
        iconBackground(cr, side, 0.93, 0.60);
        cairo_scale(cr, side / 60, side / 60);
        // The body with its viewfinder hump, in black.
        cairo_set_source_rgb(cr, 0.10, 0.10, 0.11);
        addRoundedRect(cr, 8, 19, 44, 28, 4);
        cairo_fill(cr);
        addRoundedRect(cr, 21, 14.5, 18, 7, 2);
        cairo_fill(cr);
        // The lens: a light ring round a dark glass with a glint.
        cairo_set_source_rgb(cr, 0.78, 0.79, 0.81);
        cairo_arc(cr, 30, 33, 10.5, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_set_source_rgb(cr, 0.16, 0.17, 0.20);
        cairo_arc(cr, 30, 33, 8.3, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_set_source_rgb(cr, 0.25, 0.35, 0.50);
        cairo_arc(cr, 30, 33, 5, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.7);
        cairo_arc(cr, 27.5, 30.5, 1.6, 0, 2 * M_PI);
        cairo_fill(cr);
        // The flash.
        cairo_set_source_rgb(cr, 0.95, 0.95, 0.95);
        addRoundedRect(cr, 44, 22, 5, 3, 1);
        cairo_fill(cr);
    });
}

std::shared_ptr<kit::UIImage> SpringBoardArtwork::settingsIcon(double side)
{
    return drawnImage(side, side, [side](cairo_t* cr) {
        iconBackground(cr, side, 0.62, 0.40);
        cairo_scale(cr, side / 60, side / 60);
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
        // The large gear, its rim, and the small gear inside it.
        cairo_set_source_rgb(cr, 0.20, 0.21, 0.23);
        gear(cr, 30, 30, 21, 25, 36);
        cairo_arc(cr, 30, 30, 16.5, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_set_source_rgb(cr, 0.72, 0.73, 0.75);
        gear(cr, 30, 30, 11, 14.5, 8);
        cairo_arc(cr, 30, 30, 4, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_set_source_rgb(cr, 0.20, 0.21, 0.23);
        cairo_arc(cr, 30, 30, 2.5, 0, 2 * M_PI);
        cairo_fill(cr);
    });
}

std::shared_ptr<kit::UIImage> SpringBoardArtwork::cameraGrabber()
{
    return drawnImage(24, 18, [](cairo_t* cr) {
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_set_line_width(cr, 1.4);
        addRoundedRect(cr, 1, 4, 22, 13, 2);
        cairo_stroke(cr);
        cairo_move_to(cr, 8, 4);
        cairo_line_to(cr, 9.5, 1.5);
        cairo_line_to(cr, 14.5, 1.5);
        cairo_line_to(cr, 16, 4);
        cairo_stroke(cr);
        cairo_arc(cr, 12, 10.5, 3.6, 0, 2 * M_PI);
        cairo_stroke(cr);
    });
}

std::shared_ptr<kit::UIImage> SpringBoardArtwork::unlockChevron()
{
    return drawnImage(10, 18, [](cairo_t* cr) {
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_set_line_width(cr, 1.6);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_move_to(cr, 2, 2);
        cairo_line_to(cr, 8, 9);
        cairo_line_to(cr, 2, 16);
        cairo_stroke(cr);
    });
}

}
