#include "hardware/camera/ColourTemperature.h"

#include <algorithm>
#include <cmath>

namespace hardware {

namespace {

// CIE 1931 chromaticity of the Planckian locus at a temperature, by the cubic
// fits of Kim et al. (valid from 1667 K; below, the fit is carried on).
void planckianChromaticity(double t, double& x, double& y)
{
    double t2 = t * t, t3 = t2 * t;
    if (t <= 4000)
        x = -0.2661239e9 / t3 - 0.2343589e6 / t2 + 0.8776956e3 / t + 0.179910;
    else
        x = -3.0258469e9 / t3 + 2.1070379e6 / t2 + 0.2226347e3 / t + 0.240390;
    double x2 = x * x, x3 = x2 * x;
    if (t <= 2222)
        y = -1.1063814 * x3 - 1.34811020 * x2 + 2.18555832 * x - 0.20219683;
    else if (t <= 4000)
        y = -0.9549476 * x3 - 1.37418593 * x2 + 2.09137015 * x - 0.16748867;
    else
        y = 3.0817580 * x3 - 5.87338670 * x2 + 3.75112997 * x - 0.37001483;
}

// Linear sRGB of the locus colour with luminance 1.
LinearRGB locusRGB(double kelvin)
{
    double x = 0, y = 0;
    planckianChromaticity(kelvin, x, y);
    double X = x / y, Y = 1, Z = (1 - x - y) / y;
    double r = 3.2406 * X - 1.5372 * Y - 0.4986 * Z;
    double g = -0.9689 * X + 1.8758 * Y + 0.0415 * Z;
    double b = 0.0557 * X - 0.2040 * Y + 1.0570 * Z;
    // The reddest lights fall just outside sRGB's blue; a trace of it stays.
    return { float(std::max(r, 1e-4)), float(std::max(g, 1e-4)), float(std::max(b, 1e-4)) };
}

}

LinearRGB lightColour(double kelvin)
{
    static const LinearRGB daylight = locusRGB(kDaylightKelvin);
    if (!std::isfinite(kelvin))
        kelvin = kDaylightKelvin;
    LinearRGB c = locusRGB(std::clamp(kelvin, kLowestKelvin, kHighestKelvin));
    LinearRGB relative { c.r / daylight.r, c.g / daylight.g, c.b / daylight.b };
    return relative * (1 / relative.luminance());
}

}
