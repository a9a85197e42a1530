#pragma once

namespace hardware {

// How long the sensor gathers light (seconds) and how much it amplifies it
// (as an ISO speed).
struct Exposure {
    double duration { 1.0 / 60 };
    double iso { 100 };
};

// What the sensor allows: the exposure time from its shortest to the frame
// duration, the gain over its ISO range.
struct ExposureLimits {
    double shortest { 1.0 / 20000 };
    double longest { 1.0 / 30 };
    double minISO { 50 };
    double maxISO { 800 };
};

// The exposure that brings a metered luminance (cd/m²) to middle grey, the
// way a camera's program chooses it: the lowest gain the longest allowed
// time lets reach it; past the limits the picture comes out darker (or
// lighter).
Exposure exposureFor(double luminance, double fNumber, const ExposureLimits&);
// The sensor value a luminance gives under an exposure: middle grey (0.18)
// for the luminance the exposure was chosen for. By the reflected-light
// meter's equation N²/t = L·S/K with K = 12.5.
double sensorValuePerLuminance(const Exposure&, double fNumber);
// The same exposure kept within the limits (a locked exposure whose time
// the frame rate no longer allows runs at the frame duration).
Exposure withinLimits(Exposure, const ExposureLimits&);

}
