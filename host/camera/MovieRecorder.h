#pragma once

#include "kit/media/CMTime.h"

#include <memory>
#include <string>

namespace hardware {
class CameraHardware;
}

namespace kit {
class AVCaptureDevice;
class MovieEncoder;
class ScheduledTask;
class StagedFile;
}

namespace host {

// A video recording of what the capture device is set to: pictures of its
// active format's size from its camera, one per active frame duration on
// the run loop's clock, H.264 in a QuickTime movie. The pictures are the sensor's
// (landscape); the movie's display matrix turns them upright for the way the
// device was held when the recording started, as the EXIF orientation of a
// photo does. Written under a temporary name and moved to its DCIM name when
// the recording ends whole.
class MovieRecorder {
public:
    // Nothing (and a log line) when the movie file cannot be made or the
    // device has no active format.
    static std::unique_ptr<MovieRecorder> start(
        const std::string& devicePath, std::shared_ptr<hardware::CameraHardware>,
        const std::shared_ptr<kit::AVCaptureDevice>&, int exifOrientation);
    ~MovieRecorder();

    // Empty when the movie is in place; otherwise why it is not.
    std::string finish();

private:
    MovieRecorder() = default;
    // Appends every frame due by the clock's now (at the recording's end,
    // only those strictly before it), then waits for the next one.
    void catchUp(bool endOfRecording);
    void appendFrame();

    std::shared_ptr<hardware::CameraHardware> m_hardware;
    std::weak_ptr<kit::AVCaptureDevice> m_device;
    std::unique_ptr<kit::StagedFile> m_file;
    std::unique_ptr<kit::MovieEncoder> m_encoder;
    std::shared_ptr<kit::ScheduledTask> m_timer;
    std::shared_ptr<bool> m_alive { std::make_shared<bool>(true) };
    double m_start { 0 };
    kit::CMTime m_frameDuration;
    int64_t m_framesAppended { 0 };
    std::string m_error;
    int m_width { 0 };
    int m_height { 0 };
};

}
