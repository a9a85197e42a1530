#pragma once

#include "hardware/camera/LightSetting.h"

#include <optional>

namespace hardware {

// An affine map of the plane, as x' = xx x + xy y + x0, y' = yx x + yy y + y0.
struct PlaneTransform {
    double xx { 1 }, yx { 0 }, xy { 0 }, yy { 1 }, x0 { 0 }, y0 { 0 };

    double mapX(double x, double y) const { return xx * x + xy * y + x0; }
    double mapY(double x, double y) const { return yx * x + yy * y + y0; }
    PlaneTransform inverted() const;
};

// Which part of the scene a frame shows, and when. The view is the upright
// world as a camera level with it sees it: x to the right, y down, in
// tangent units (a point's offset from the lens axis over its distance),
// (0, 0) on the axis.
struct SceneView {
    // Pixels of the frame, the sensor's way.
    int width { 1 };
    int height { 1 };
    // The whole picture the camera takes (its field): half its extent in
    // tangent units along its own axes. A picture scene covers it.
    double halfWidth { 0.6 };
    double halfHeight { 0.45 };
    // How the world appears turned on the field, clockwise, in radians: a
    // phone held upright in portrait sees it a quarter turn back.
    double roll { 0 };
    // The part of the field the frame shows, as fractions of it along its
    // axes: all of it, its zoomed middle, or a small window to meter.
    double left { 0 };
    double top { 0 };
    double right { 1 };
    double bottom { 1 };
    // Seconds since 1970 on the simulated clock: the time of day.
    double time { 0 };
    // The light set by hand, or nothing for the scene's own.
    std::optional<LightSetting> light;

    // From the frame's pixel coordinates (pixel centres at +0.5) to the view.
    PlaneTransform pixelToView() const;
    PlaneTransform viewToPixel() const { return pixelToView().inverted(); }
    // The upright box the whole field covers, as (left, top, right, bottom).
    void viewBounds(double& left, double& top, double& right, double& bottom) const;
};

}
