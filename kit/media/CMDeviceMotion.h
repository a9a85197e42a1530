#pragma once

#include "kit/runtime/Object.h"

namespace kit {

// An acceleration in g, on the device's axes: x to the right of the screen,
// y up the screen, z out of it.
struct CMAcceleration {
    double x { 0 };
    double y { 0 };
    double z { 0 };
    bool operator==(const CMAcceleration&) const = default;
};

// One device-motion sample. Immutable.
class CMDeviceMotion final : public Object {
    KIT_OBJECT(CMDeviceMotion, Object)

public:
    CMDeviceMotion(CMAcceleration gravity, double timestamp) : m_gravity(gravity), m_timestamp(timestamp) { }

    CMAcceleration gravity() const { return m_gravity; }
    // The simulated device is held still: no acceleration beyond gravity.
    CMAcceleration userAcceleration() const { return {}; }
    // Seconds on the main run loop's clock when the sample was taken.
    double timestamp() const { return m_timestamp; }

private:
    CMAcceleration m_gravity;
    double m_timestamp { 0 };
};

}
