#pragma once

#include "hardware/camera/SceneFrame.h"
#include "hardware/camera/SceneView.h"

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
};

}
