#pragma once

#include "hardware/camera/Scene.h"

namespace hardware {

// The back camera's world: a garden looking west from 1.4 m up, the camera
// tipped 4° above the horizon. A poppy 0.3 m from the lens in the shade of
// the house behind the camera; a fence at 2.5 m, a tree at 4 m, a lamp at
// 4.5 m and a shed with a clock at 5 m; a tree at 8 m; hills, clouds and
// sky far away. The light follows the time of day: the sun comes round from
// behind the camera in the morning and sets in the picture in the evening,
// the clouds drift, and at night the lamp and the shed's windows are lit.
class OutdoorWorld final : public Scene {
public:
    bool render(const SceneView&, SceneFrame&) const override;

    // The camera's height above the ground (metres) and its tilt above the
    // horizon (radians).
    static constexpr double cameraHeight = 1.4;
    static constexpr double cameraTilt = 4 * 3.14159265358979323846 / 180;
};

}
