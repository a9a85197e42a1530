#include "kit/media/MotionSimulator.h"

#include <mutex>

namespace kit {

namespace {

struct Sensor {
    std::mutex mutex;
    std::function<CMAcceleration(double)> gravity;
};

Sensor& sensor()
{
    static Sensor instance;
    return instance;
}

constexpr CMAcceleration uprightPortrait { 0, -1, 0 };

}

void MotionSimulator::setGravity(CMAcceleration gravity)
{
    setGravityFunction([gravity](double) { return gravity; });
}

void MotionSimulator::setGravityFunction(std::function<CMAcceleration(double)> function)
{
    std::lock_guard lock(sensor().mutex);
    sensor().gravity = std::move(function);
}

CMAcceleration MotionSimulator::gravityAt(double seconds)
{
    std::function<CMAcceleration(double)> function;
    {
        std::lock_guard lock(sensor().mutex);
        function = sensor().gravity;
    }
    return function ? function(seconds) : uprightPortrait;
}

void MotionSimulator::reset()
{
    setGravityFunction(nullptr);
}

}
