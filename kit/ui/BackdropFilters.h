#pragma once

#include "kit/ui/CAFilter.h"
#include "kit/ui/CGImage.h"

#include <memory>
#include <vector>

namespace kit {

// Applies a layer's filters, in list order, to the pixels behind it (a
// region of the screen, premultiplied): "colorAdd" adds its "inputColor"
// (red, green, blue, alpha) to every pixel, in proportion to the pixel's own
// coverage, clamped; "gaussianBlur" blurs by "inputRadius" points (scale
// pixels each) with the edges of the region held, so no transparency bleeds
// in (unless "inputHardEdges" is 0). Filters of other types, and missing or
// malformed values, are skipped.
void applyBackdropFilters(CGImage& region, const std::vector<std::shared_ptr<CAFilter>>& filters, double scale);

}
