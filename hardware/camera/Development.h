#pragma once

#include "hardware/camera/LinearRGB.h"
#include "hardware/camera/SceneFrame.h"

#include "kit/ui/CGImage.h"

#include <vector>

namespace hardware {

// How a frame's light becomes pixels: the exposure and the white balance
// folded into a gain for each of the frame's lightings, the camera's own
// light (flash, torch) falling off with the square of the distance, the
// lens's blur growing with the distance from the focus, and the sensor's
// tone curve (sRGB, clipping above white).
struct Development {
    // For each lighting of the frame: the sensor value of a colour of 1 from
    // the scene's light, and from the camera's light per dioptre squared.
    // Missing entries count as black.
    std::vector<LinearRGB> sceneGain;
    std::vector<LinearRGB> cameraLightGain;
    // A point's blur radius in pixels is blurPerDioptre × |nearness − focus|;
    // 0 turns the blur off.
    float focus { 0 };
    float blurPerDioptre { 0 };
};

class DepthOfField;

// The frame's pixels as the sensor reads them out: opaque 8-bit sRGB at the
// frame's size, in `into` when it has that size (it is then what is
// answered), else in a new image. `into` may be the frame's own colour
// image: each pixel is read before it is written. The blur keeps its
// buffers for the next frame. Nothing for an empty frame.
kit::CGImageRef develop(const SceneFrame&, const Development&, DepthOfField& blur, kit::CGImageRef into = nullptr);

}
