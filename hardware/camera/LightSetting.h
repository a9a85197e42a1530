#pragma once

namespace hardware {

// Light set by hand on the scene: its colour temperature, and its level in
// stops relative to the scene's own light.
struct LightSetting {
    double kelvin { 5500 };
    double stops { 0 };

    bool operator==(const LightSetting&) const = default;
};

// What a person may ask for.
inline constexpr double kLowestLightStops = -10;
inline constexpr double kHighestLightStops = 10;

}
