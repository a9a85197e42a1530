#pragma once

#include "kit/ui/CGImage.h"

#include <array>
#include <cstdint>

namespace kit {

// A rectangle of pixels inside a bitmap of kit's pixel format (CGImage.h).
struct PixelRegion {
    uint8_t* pixels { nullptr };
    int width { 0 };
    int height { 0 };
    int bytesPerRow { 0 };
    // The part to work on, in pixels; clamped to the bitmap.
    int x { 0 }, y { 0 }, regionWidth { 0 }, regionHeight { 0 };

    static PixelRegion whole(CGImage& image)
    {
        return { image.mutableData(), image.width(), image.height(), image.bytesPerRow(), 0, 0, image.width(), image.height() };
    }
};

// How a blur reads beyond the region's edges.
enum class BlurEdges {
    // The edge pixels go on: nothing from outside bleeds in, the region
    // stays as opaque as it was (a backdrop with hard edges).
    Hard,
    // Transparent: the blurred region fades out at its edges.
    Soft,
};

// A fast approximation of a Gaussian blur with standard deviation `sigma`
// (pixels): three box blurs each way, whose widths are chosen so that the
// variance matches sigma². Works in place on premultiplied pixels, touching
// only the region; pixels outside it are never read. Does nothing for
// sigma below 0.5 or an empty region. Cost is independent of sigma.
void boxBlurApproximatingGaussian(const PixelRegion&, double sigma, BlurEdges);

// The "colorAdd" tint: adds rgb × alpha of the colour (components in
// [-1, 1] for red, green, blue; alpha in [0, 1]) to every pixel of the
// region in proportion to the pixel's own coverage, clamped, so transparent
// pixels stay transparent.
void colorAdd(const PixelRegion&, const std::array<double, 4>& rgba);

}
