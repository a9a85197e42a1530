#include "hardware/camera/Lens.h"

#include <algorithm>
#include <cmath>

namespace hardware {

Lens::Lens(const kit::CameraOptics& optics, int stillWidth, int stillHeight, bool hasAutofocus)
    : m_focalLength(std::max(0.1, optics.focalLength))
    , m_fNumber(std::max(0.5, optics.fNumber))
    , m_pixelPitch(std::max(1e-4, optics.pixelPitch / 1000))
    , m_sensorWidth(m_pixelPitch * std::max(1, stillWidth))
    , m_sensorHeight(m_pixelPitch * std::max(1, stillHeight))
    , m_hasAutofocus(hasAutofocus)
{
}

int Lens::focalLengthIn35mmFilm() const
{
    double diagonal = std::hypot(m_sensorWidth, m_sensorHeight);
    return int(std::lround(m_focalLength * std::hypot(36.0, 24.0) / diagonal));
}

double Lens::blurPerDioptre(double focus) const
{
    // Thin lens: a point at distance s, with the lens focused at s_f, blurs
    // into a circle of A·f·|1/s − 1/s_f| / (1 − f/s_f) on the sensor, A being
    // the aperture's diameter f/N. Focal length in metres, blur in mm.
    double f = m_focalLength / 1000;
    double aperture = m_focalLength / m_fNumber;
    return aperture * f / std::max(0.05, 1 - f * focus);
}

double Lens::blurDiameter(double nearness, double focus) const
{
    return blurPerDioptre(focus) * std::fabs(nearness - focus);
}

double Lens::fixedFocus() const
{
    // Focused at nearness h, a point at infinity blurs by blurPerDioptre × h.
    double acceptable = 2 * m_pixelPitch;
    return std::clamp(acceptable / blurPerDioptre(0), 0.0, nearestFocus);
}

}
