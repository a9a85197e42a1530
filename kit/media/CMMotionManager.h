#pragma once

#include "kit/media/CMDeviceMotion.h"
#include "kit/media/NSError.h"
#include "kit/media/NSOperationQueue.h"
#include "kit/runtime/Object.h"

#include <functional>
#include <memory>

namespace kit {

enum CMAttitudeReferenceFrame : unsigned {
    CMAttitudeReferenceFrameXArbitraryZVertical = 1 << 0,
    CMAttitudeReferenceFrameXArbitraryCorrectedZVertical = 1 << 1,
    CMAttitudeReferenceFrameXMagneticNorthZVertical = 1 << 2,
    CMAttitudeReferenceFrameXTrueNorthZVertical = 1 << 3,
};

struct MotionSettings;

using CMDeviceMotionHandler = std::function<void(std::shared_ptr<CMDeviceMotion> motion, NSErrorRef error)>;

// Device-motion updates from the simulated sensor (MotionSimulator), on
// devices whose profile has the motion hardware.
//
// Samples are taken every update interval, the first one interval after
// the start. On a virtual clock they are taken by main-run-loop timers, so a
// test that advances the clock by one second at 1/60 s gets exactly 60, and a
// handler on a queue of its own has run (and what it sent to the main queue
// is due) before the clock moves past the sample; so a handler there must not
// wait for the main thread. On a
// real clock a background thread takes them. Each sample goes to the
// handler on the given queue. Stopping (also from a handler, and by
// destroying the manager) takes effect at once: no sample is taken after
// it, though one already handed to a queue still runs.
class CMMotionManager final : public Object {
    KIT_OBJECT(CMMotionManager, Object)

public:
    CMMotionManager();
    ~CMMotionManager() override;

    bool isDeviceMotionAvailable() const;
    static unsigned availableAttitudeReferenceFrames();

    // Seconds; at least 0.01 (100 samples a second). Default 0.01. A change
    // while updates run applies from the next sample.
    double deviceMotionUpdateInterval() const;
    void setDeviceMotionUpdateInterval(double);

    // Does nothing without the hardware or without a queue; restarts when
    // updates already run.
    void startDeviceMotionUpdatesUsingReferenceFrame(
        CMAttitudeReferenceFrame, std::shared_ptr<NSOperationQueue>, CMDeviceMotionHandler);
    // Without a handler: deviceMotion() answers the latest sample.
    void startDeviceMotionUpdates();
    void stopDeviceMotionUpdates();
    bool isDeviceMotionActive() const;
    std::shared_ptr<CMDeviceMotion> deviceMotion() const;
    CMAttitudeReferenceFrame attitudeReferenceFrame() const;

private:
    struct Session; // the running updates, shared with the timers and the sampling thread
    void start(CMAttitudeReferenceFrame, std::shared_ptr<NSOperationQueue>, CMDeviceMotionHandler);

    std::shared_ptr<Session> m_session;
    std::shared_ptr<MotionSettings> m_settings;
};

}
