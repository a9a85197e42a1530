#pragma once

#include <memory>
#include <string>

namespace kit {
class MovieEncoder;
class ScheduledTask;
class StagedFile;
}

namespace host {

class Scene;

// A video recording: the scene grabbed twice a second on the run loop's
// clock into a small H.264 movie, written under a temporary name and moved
// to its DCIM name when the recording ends whole.
class MovieRecorder {
public:
    // Nothing (and a log line) when the movie file cannot be made.
    static std::unique_ptr<MovieRecorder> start(const std::string& devicePath, std::shared_ptr<Scene>, bool landscape);
    ~MovieRecorder();

    // Empty when the movie is in place; otherwise why it is not.
    std::string finish();

private:
    MovieRecorder() = default;
    void grab();

    std::shared_ptr<Scene> m_scene;
    std::unique_ptr<kit::StagedFile> m_file;
    std::unique_ptr<kit::MovieEncoder> m_encoder;
    std::shared_ptr<kit::ScheduledTask> m_timer;
    std::shared_ptr<bool> m_alive { std::make_shared<bool>(true) };
    double m_start { 0 };
    std::string m_error;
    int m_width { 640 };
    int m_height { 360 };
};

}
