#pragma once

#include "kit/ui/CGImage.h"

#include <memory>
#include <optional>
#include <string>

namespace hardware {

// Where a picture scene's pictures come from: one still picture, the frames
// of a movie, or a live source. Used on the main thread.
class ScenePictures {
public:
    virtual ~ScenePictures() = default;

    // The picture in front of the camera at `time` (seconds since 1970 on
    // the clock); nothing when there has never been one.
    virtual kit::CGImageRef pictureAt(double time) = 0;
    // The size of its pictures, which a depth map is stretched over.
    virtual int width() const = 0;
    virtual int height() const = 0;

    // A camera starts looking at it at `time`, in a video format of that
    // size and rate (0: not known), and stops.
    virtual void cameraStarted(double /*time*/, int /*formatWidth*/, int /*formatHeight*/, double /*framesPerSecond*/) { }
    virtual void cameraStopped() { }
    // Why the pictures stopped coming, once, when they did.
    virtual std::optional<std::string> takeProblem() { return std::nullopt; }
};

// One picture, at every moment.
std::shared_ptr<ScenePictures> stillPictures(kit::CGImageRef);

}
