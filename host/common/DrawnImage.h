#pragma once

#include <functional>
#include <memory>

typedef struct _cairo cairo_t;

namespace kit {
class UIImage;
}

namespace host {

// An image the simulated apps draw for themselves (icons, glyphs, a
// wallpaper): `draw` paints in points on a transparent bitmap of the main
// screen's scale. Nothing when the bitmap cannot be made.
std::shared_ptr<kit::UIImage> drawnImage(double width, double height, const std::function<void(cairo_t*)>& draw);

// A rectangle with corners rounded by `radius` points, as a new sub-path.
void addRoundedRect(cairo_t*, double x, double y, double width, double height, double radius);

}
