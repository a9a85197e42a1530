#include "hardware/camera/SceneFrame.h"

namespace hardware {

bool SceneFrame::resize(int width, int height)
{
    if (!colour || colour->width() != width || colour->height() != height) {
        colour = kit::CGImage::create(width, height);
        if (!colour)
            return false;
        colour->markOpaque();
    }
    nearness.resize(size_t(width) * size_t(height));
    return true;
}

}
