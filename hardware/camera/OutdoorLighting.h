#pragma once

#include "hardware/camera/Daylight.h"
#include "hardware/camera/LightSetting.h"
#include "hardware/camera/LinearRGB.h"
#include "hardware/camera/SceneFrame.h"

#include <optional>
#include <vector>

namespace hardware {

// The surfaces of the outdoor world, each lit and placed in its own way.
enum OutdoorSurface : uint8_t {
    SkySurface,
    SunSurface,
    CloudSurface,
    HillSurface,
    SunlitGroundSurface,
    ShadedGroundSurface,
    ShedFrontSurface,
    ShedInsideSurface,
    ShedWindowSurface,
    FarTreeSurface,
    NearTreeSurface,
    LampPostSurface,
    LampGlowSurface,
    FenceSurface,
    FlowerSurface,
    OutdoorSurfaceCount,
};

// The light on the outdoor world at a moment: the lighting of each surface,
// the main light for white balance, and what the time of day shows.
struct OutdoorLighting {
    std::vector<Lighting> lighting; // by OutdoorSurface
    LinearRGB illuminant { 1, 1, 1 };
    double illuminantKelvin { 5500 };
    Daylight daylight;
    bool lampsOn { false };
    // The sky's colours at the horizon and overhead, as stored sRGB (0 to 1).
    LinearRGB skyHorizon;
    LinearRGB skyZenith;

    // With a light set by hand, the time of day keeps the sun's place but
    // no longer its light: the world is lit as on a clear morning, in that
    // light's colour and level, with the lamps off.
    static OutdoorLighting at(double secondsSince1970, const std::optional<LightSetting>&);
};

}
