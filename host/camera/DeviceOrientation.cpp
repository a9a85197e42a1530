#include "host/camera/DeviceOrientation.h"

#include "host/camera/CameraCapabilities.h"

#include <algorithm>
#include <cmath>

namespace host {

std::optional<Gravity> DeviceOrientation::gravityFor(int32_t orientation)
{
    switch (orientation) {
    case 1:
        return Gravity { 0, -1, 0 };
    case 2:
        return Gravity { 0, 1, 0 };
    case 3:
        return Gravity { -1, 0, 0 };
    case 4:
        return Gravity { 1, 0, 0 };
    case 5:
        return Gravity { 0, 0, -1 };
    case 6:
        return Gravity { 0, 0, 1 };
    }
    return std::nullopt;
}

std::optional<int32_t> DeviceOrientation::orientationFor(const Gravity& g)
{
    // A reading that is not a number says nothing of how the device is held.
    if (!std::isfinite(g.x) || !std::isfinite(g.y) || !std::isfinite(g.z))
        return std::nullopt;
    double ax = std::fabs(g.x), ay = std::fabs(g.y), az = std::fabs(g.z);
    if (std::max({ ax, ay, az }) < 0.2)
        return std::nullopt;
    if (az > ax && az > ay)
        return g.z < 0 ? 5 : 6;
    if (ax > ay)
        return g.x < 0 ? 3 : 4;
    return g.y < 0 ? 1 : 2;
}

int DeviceOrientation::exifOrientation(int32_t orientation, int32_t cameraDevice)
{
    bool front = cameraDevice == CameraDeviceFront;
    switch (orientation) {
    case 2:
        return 8;
    case 3:
        return front ? 3 : 1;
    case 4:
        return front ? 1 : 3;
    default:
        return 6;
    }
}

}
