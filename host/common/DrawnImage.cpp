#include "host/common/DrawnImage.h"

#include "kit/ui/UIImage.h"
#include "kit/ui/UIScreen.h"

#include <cairo.h>

#include <cmath>

namespace host {

std::shared_ptr<kit::UIImage> drawnImage(double width, double height, const std::function<void(cairo_t*)>& draw)
{
    double scale = kit::UIScreen::mainScreen()->scale();
    auto bitmap = kit::CGImage::create(int(std::ceil(width * scale)), int(std::ceil(height * scale)));
    if (!bitmap)
        return nullptr;
    cairo_surface_t* surface = cairo_image_surface_create_for_data(
        bitmap->mutableData(), CAIRO_FORMAT_ARGB32, bitmap->width(), bitmap->height(), bitmap->bytesPerRow());
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, scale, scale);
    draw(cr);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    cairo_surface_destroy(surface);
    return kit::UIImage::imageWithCGImage(bitmap, scale);
}

void addRoundedRect(cairo_t* cr, double x, double y, double width, double height, double radius)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + width - radius, y + radius, radius, -M_PI / 2, 0);
    cairo_arc(cr, x + width - radius, y + height - radius, radius, 0, M_PI / 2);
    cairo_arc(cr, x + radius, y + height - radius, radius, M_PI / 2, M_PI);
    cairo_arc(cr, x + radius, y + radius, radius, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

}
