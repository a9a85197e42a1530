#include "hardware/camera/Daylight.h"

#include <algorithm>
#include <cmath>
#include <ctime>

namespace hardware {

namespace {

constexpr double latitude = 45 * M_PI / 180;
constexpr double degree = M_PI / 180;

// Light of the sky on level ground with the sun at an elevation: some 700 lx
// as the sun touches the horizon, falling a hundredfold every 5° of
// twilight to starlight, and rising to some 18000 lx with the sun high.
double skyLight(double elevation)
{
    double e = elevation / degree;
    if (e >= 0)
        return 700 + 17000 * std::pow(std::sin(elevation), 0.8);
    return std::max(0.002, 700 * std::pow(10.0, 0.4 * e));
}

// Direct sunlight on level ground: the sun's height, and the air it shines
// through, which thickens towards the horizon.
double sunLight(double elevation)
{
    if (elevation <= 0)
        return 0;
    double s = std::sin(elevation);
    return 100000 * s * std::exp(-0.2 / std::max(s, 0.02));
}

Daylight forSun(double elevation, double azimuth)
{
    Daylight light;
    light.sunElevation = elevation;
    light.sunAzimuth = azimuth;
    double e = std::max(0.0, elevation / degree);
    // Red at the horizon, some 5500 K with the sun high.
    light.sunKelvin = 2000 + 3600 * (1 - std::exp(-e / 14));
    // The clear sky is blue; in twilight bluer still.
    light.skyKelvin = elevation > 0 ? 10000 : 12000;
    light.sunIlluminance = sunLight(elevation);
    light.skyIlluminance = skyLight(elevation);
    light.lampsOn = elevation < -2 * degree;
    return light;
}

}

Daylight Daylight::at(double secondsSince1970)
{
    std::time_t moment = std::time_t(std::floor(secondsSince1970));
    std::tm local {};
    localtime_r(&moment, &local);
    double hours = local.tm_hour + local.tm_min / 60.0 + (local.tm_sec + (secondsSince1970 - double(moment))) / 3600.0;
    double declination = 23.44 * degree * std::sin(2 * M_PI * (284 + local.tm_yday + 1) / 365.0);
    double hourAngle = (hours - 12) * 15 * degree;
    double sinElevation = std::sin(latitude) * std::sin(declination)
        + std::cos(latitude) * std::cos(declination) * std::cos(hourAngle);
    double elevation = std::asin(std::clamp(sinElevation, -1.0, 1.0));
    double cosAzimuth = (std::sin(declination) - sinElevation * std::sin(latitude))
        / std::max(1e-9, std::cos(elevation) * std::cos(latitude));
    double azimuth = std::acos(std::clamp(cosAzimuth, -1.0, 1.0));
    if (hourAngle > 0)
        azimuth = 2 * M_PI - azimuth;
    return forSun(elevation, azimuth);
}

Daylight Daylight::reference()
{
    return forSun(45 * degree, 135 * degree);
}

}
