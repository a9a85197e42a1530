#pragma once

#include "kit/ui/Geometry.h"

#include <cairo.h>

#include <functional>

namespace kit {

// Draws one page in the current user space of the cairo context.
using PagePainter = std::function<void(cairo_t*)>;

// A page curling up off the one beneath it, as the curl transitions show
// it: the top page lifts from its bottom right corner along a fold that
// travels up and a little to the left; the lifted part turns over above the
// fold, showing the paper's back (with the page's print faintly through it),
// and casts a shadow along the fold onto the page beneath. `lifted` runs
// from 0 (the top page lies flat and covers everything) to 1 (it has gone and
// only the page beneath shows). Both pages fill `bounds`; nothing is drawn
// outside it.
void drawPageCurl(cairo_t*, CGRect bounds, double lifted, const PagePainter& top, const PagePainter& beneath);

}
