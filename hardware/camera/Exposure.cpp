#include "hardware/camera/Exposure.h"

#include <algorithm>
#include <cmath>

namespace hardware {

namespace {
constexpr double meterConstant = 12.5;
constexpr double middleGrey = 0.18;
}

Exposure exposureFor(double luminance, double fNumber, const ExposureLimits& limits)
{
    // Time × gain that puts the luminance at middle grey.
    double product = meterConstant * fNumber * fNumber / std::max(luminance, 1e-9);
    Exposure exposure;
    exposure.duration = std::clamp(product / limits.minISO, limits.shortest, std::max(limits.shortest, limits.longest));
    exposure.iso = std::clamp(product / exposure.duration, limits.minISO, limits.maxISO);
    return exposure;
}

double sensorValuePerLuminance(const Exposure& exposure, double fNumber)
{
    return middleGrey * exposure.duration * exposure.iso / (meterConstant * fNumber * fNumber);
}

Exposure withinLimits(Exposure exposure, const ExposureLimits& limits)
{
    exposure.duration = std::clamp(exposure.duration, limits.shortest, std::max(limits.shortest, limits.longest));
    exposure.iso = std::clamp(exposure.iso, limits.minISO, limits.maxISO);
    return exposure;
}

}
