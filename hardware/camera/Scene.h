#pragma once

#include "hardware/camera/SceneFrame.h"
#include "hardware/camera/SceneView.h"

#include <optional>
#include <string>

namespace hardware {

// What a camera looks at: light with a distance at every point, which may
// change with the time of day. Rendering is pure: the same view gives the
// same frame. Used on the main thread.
class Scene {
public:
    virtual ~Scene() = default;

    // Fills the frame for the view, at the view's size, with at least one
    // lighting. False when the frame cannot be had (no memory for its size).
    virtual bool render(const SceneView&, SceneFrame&) const = 0;

    // A camera starts looking at it at `time` (seconds since 1970 on the
    // clock), in a video format of that size and rate (0: not known), and
    // stops: a live source in front of it opens and closes.
    virtual void cameraStarted(double /*time*/, int /*formatWidth*/, int /*formatHeight*/, double /*framesPerSecond*/) { }
    virtual void cameraStopped() { }
    // Why what the camera looks at stopped changing (a movie that broke, a
    // source unplugged), once, when it did.
    virtual std::optional<std::string> takeProblem() { return std::nullopt; }
};

}
