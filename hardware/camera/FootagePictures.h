#pragma once

#include "hardware/camera/ScenePictures.h"

#include "hardware/footage/LiveFeed.h"
#include "hardware/footage/MovieFootage.h"

#include <memory>
#include <optional>
#include <string>

namespace hardware {

// A movie in front of the camera, played from the moment a camera first
// looks at it and looping at its end; sessions that stop and start again
// carry on along the same clock.
class MoviePictures final : public ScenePictures {
public:
    explicit MoviePictures(std::unique_ptr<MovieFootage>);

    kit::CGImageRef pictureAt(double time) override;
    int width() const override { return m_footage->width(); }
    int height() const override { return m_footage->height(); }
    void cameraStarted(double time, int, int, double) override;
    std::optional<std::string> takeProblem() override;

private:
    std::unique_ptr<MovieFootage> m_footage;
    std::optional<double> m_start;
    bool m_problemTold { false };
};

// A live source in front of the camera: opened when a camera starts looking
// and closed when it stops, its clock starting again at each opening. While
// it is closed, or once it has failed, its last picture stays.
class LivePictures final : public ScenePictures {
public:
    // The source was opened once to know it can be, and its size.
    LivePictures(VideoInput, int width, int height);

    kit::CGImageRef pictureAt(double time) override;
    int width() const override { return m_width; }
    int height() const override { return m_height; }
    // Opens the source, asking for the size and rate of the camera's format.
    void cameraStarted(double time, int formatWidth, int formatHeight, double framesPerSecond) override;
    void cameraStopped() override;
    std::optional<std::string> takeProblem() override;

private:
    VideoInput m_input;
    int m_width;
    int m_height;
    std::unique_ptr<LiveFeed> m_feed;
    double m_openedAt { 0 };
    kit::CGImageRef m_last;
    std::optional<std::string> m_problem;
    bool m_problemTold { false };
};

}
