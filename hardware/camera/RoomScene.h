#pragma once

#include "hardware/camera/Scene.h"

namespace hardware {

// The front camera's scene: the person holding the phone, at arm's length
// (0.5 m), in a room whose back wall is 3 m away, with a window onto the
// day outside and a standing lamp at 2 m. The lamp is always on; through
// the window comes the daylight of the time of day.
class RoomScene final : public Scene {
public:
    bool render(const SceneView&, SceneFrame&) const override;
};

}
