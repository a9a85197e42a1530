#pragma once

#include <cstdint>
#include <optional>

namespace host {

// How the device is held, numbered as the accelerometer reports it:
// 1 portrait, 2 upside down, 3 landscape with the home button on the right
// (the top of the device pointing left), 4 landscape with the home button on
// the left, 5 face up, 6 face down.
struct Gravity {
    double x { 0 }, y { -1 }, z { 0 };
};

class DeviceOrientation {
public:
    // The gravity of a device held still that way (device axes: x to the
    // right of the screen, y to its top, z out of it). Nothing for values
    // outside 1 to 6.
    static std::optional<Gravity> gravityFor(int32_t orientation);
    // The orientation gravity shows: the axis it mostly lies along. Nothing
    // while the device is in free fall.
    static std::optional<int32_t> orientationFor(const Gravity&);

    // The EXIF orientation a camera writes for a photo taken held that way.
    // The back camera's sensor lies along the landscape with the home button
    // on the right (3), which needs no turn (1); the front camera faces the
    // other way, so its landscape values swap, and its pictures are stored
    // as others see the user, not mirrored. Face up or down counts as portrait.
    static int exifOrientation(int32_t orientation, int32_t cameraDevice);
};

}
