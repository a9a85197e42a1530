#pragma once

#include "kit/media/CMDeviceMotion.h"

#include <functional>

namespace kit {

// The simulated motion sensor: whoever runs the process (a host, a scenario,
// a test) says where gravity points, as a fixed vector or as a function of
// the main run loop's clock. Until told, the device is upright in portrait:
// gravity (0, -1, 0). Safe from any thread; the function is called on the
// sampling thread and must not block.
class MotionSimulator {
public:
    static void setGravity(CMAcceleration);
    static void setGravityFunction(std::function<CMAcceleration(double seconds)>);
    static CMAcceleration gravityAt(double seconds);
    static void reset();
};

}
