#pragma once

#include "hardware/camera/LinearRGB.h"

#include "kit/ui/CGImage.h"

#include <cstdint>
#include <vector>

namespace hardware {

inline constexpr float kDioptresPerNearnessLevel = 10.0f / 255;
// The level of a nearness in dioptres, rounded and kept within 0 to 255.
inline uint8_t nearnessLevel(float dioptres)
{
    float level = dioptres / kDioptresPerNearnessLevel + 0.5f;
    return uint8_t(level <= 0 ? 0 : (level >= 255 ? 255 : level));
}

// How a part of the scene is lit.
struct Lighting {
    // Candelas per square metre for a colour of 1 (white): the light falling
    // on a surface divided by π, or a light source's own luminance.
    LinearRGB light;
    // Whether the camera's own light (flash, torch) reaches it: a surface
    // does, the sky and a lamp's glow do not.
    bool reachedByCameraLight { true };
};

// The light in front of the lens as one frame sees it: each point's colour,
// how it is lit and how far away it is. Its buffers are reused from frame to
// frame; a scene overwrites all of them.
struct SceneFrame {
    // Each pixel's colour, stored 8-bit sRGB (0xAARRGGBB words, opaque):
    // what the point reflects, or for a light source what colour it glows.
    kit::CGImageRef colour;
    // Each pixel's lighting, an index into `lighting`, in rows of
    // `lightingStride` bytes; empty when every pixel has lighting 0.
    std::vector<uint8_t> lightingIndex;
    int lightingStride { 0 };
    std::vector<Lighting> lighting;
    // How near each pixel's point is along the lens axis, in rows of the
    // frame's width: level v is v·10/255 dioptres (1 / metres), 0 infinitely
    // far, 255 at 0.1 m, as a depth map has it.
    std::vector<uint8_t> nearness;
    // The main light's colour and temperature: what an automatic white
    // balance neutralises.
    LinearRGB illuminant { 1, 1, 1 };
    double illuminantKelvin { 5500 };

    int width() const { return colour ? colour->width() : 0; }
    int height() const { return colour ? colour->height() : 0; }
    // Makes the buffers fit a size (the colour image only when its size
    // changes); false when the size cannot be had.
    bool resize(int width, int height);
    uint8_t lightingAt(int x, int y) const
    {
        return lightingIndex.empty() ? 0 : lightingIndex[size_t(y) * size_t(lightingStride) + size_t(x)];
    }
};

}
