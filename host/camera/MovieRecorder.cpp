#include "host/camera/MovieRecorder.h"

#include "hardware/camera/CameraHardware.h"

#include "kit/foundation/DeviceRoot.h"
#include "kit/foundation/RunLoop.h"
#include "kit/foundation/SystemLog.h"
#include "kit/media/AVCaptureDevice.h"
#include "kit/media/MovieEncoder.h"
#include "kit/media/StagedFile.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>

namespace host {

namespace {

// The camera makes the frames this much smaller than the movie and the
// encoder scales them up: the recording keeps its real size and frame count
// while staying cheap to make on the simulated clock.
constexpr int sceneReduction = 4;

int rotationForExif(int exifOrientation)
{
    switch (exifOrientation) {
    case 6:
        return 90;
    case 3:
        return 180;
    case 8:
        return 270;
    default:
        return 0;
    }
}

}

std::unique_ptr<MovieRecorder> MovieRecorder::start(
    const std::string& devicePath, std::shared_ptr<hardware::CameraHardware> hardware,
    const std::shared_ptr<kit::AVCaptureDevice>& device, int exifOrientation)
{
    auto format = device ? device->activeFormat() : nullptr;
    kit::CMVideoDimensions size = format ? kit::CMVideoFormatDescriptionGetDimensions(format->formatDescription())
                                         : kit::CMVideoDimensions {};
    kit::CMTime frameDuration = device ? device->activeVideoMinFrameDuration() : kit::kCMTimeInvalid;
    if (size.width <= 0 || size.height <= 0 || kit::CMTimeGetSeconds(frameDuration) <= 0) {
        kit::logf("Camera: cannot record a movie: the camera has no active video format");
        return nullptr;
    }

    auto destination = kit::DeviceRoot::resolve(devicePath);
    std::error_code ignored;
    std::filesystem::create_directories(destination.parent_path(), ignored);
    int error = 0;
    auto staged = kit::StagedFile::create(destination, error);
    if (!staged) {
        kit::logf("Camera: cannot record a movie into %s: %s", devicePath.c_str(), std::strerror(error));
        return nullptr;
    }
    std::unique_ptr<MovieRecorder> recorder(new MovieRecorder);
    recorder->m_hardware = std::move(hardware);
    recorder->m_device = device;
    recorder->m_file = std::make_unique<kit::StagedFile>(std::move(*staged));
    recorder->m_width = size.width;
    recorder->m_height = size.height;
    recorder->m_frameDuration = frameDuration;
    kit::MovieEncoderSettings settings;
    settings.width = size.width;
    settings.height = size.height;
    settings.realTime = true;
    settings.rotationDegrees = rotationForExif(exifOrientation);
    recorder->m_encoder = std::make_unique<kit::MovieEncoder>(recorder->m_file->temporaryPath().string(), settings);
    recorder->m_start = kit::RunLoop::main().now();
    recorder->catchUp(false);
    return recorder;
}

MovieRecorder::~MovieRecorder()
{
    *m_alive = false;
    if (m_timer)
        m_timer->cancel();
}

void MovieRecorder::appendFrame()
{
    auto device = m_device.lock();
    auto* camera = m_hardware && device ? m_hardware->cameraFor(device) : nullptr;
    hardware::FrameRequest request;
    request.purpose = hardware::FramePurpose::Movie;
    request.width = std::max(2, m_width / sceneReduction);
    request.height = std::max(2, m_height / sceneReduction);
    request.fieldAspect = double(m_width) / m_height;
    auto frame = camera ? camera->capture(request).image : nullptr;
    if (!frame) {
        m_error = "the camera gave no picture";
        return;
    }
    kit::CMTime time = kit::CMTimeMake(m_framesAppended * m_frameDuration.value, m_frameDuration.timescale);
    if (auto failure = m_encoder->append(*frame, time); failure && failure->kind != kit::MovieEncoderError::Kind::FrameRefused)
        m_error = failure->reason;
    ++m_framesAppended;
}

void MovieRecorder::catchUp(bool endOfRecording)
{
    double elapsed = kit::RunLoop::main().now() - m_start;
    double frameSeconds = kit::CMTimeGetSeconds(m_frameDuration);
    // Frame k is captured at k frame durations after the start; a tiny
    // tolerance keeps the clock's rounding from dropping or adding one.
    constexpr double tolerance = 1e-6;
    while (m_error.empty()) {
        double due = double(m_framesAppended) * frameSeconds;
        bool capture = endOfRecording ? due < elapsed - tolerance : due <= elapsed + tolerance;
        if (!capture)
            break;
        appendFrame();
    }
    if (endOfRecording || !m_error.empty())
        return;
    double next = double(m_framesAppended) * frameSeconds - elapsed;
    std::weak_ptr<bool> alive = m_alive;
    m_timer = kit::RunLoop::main().schedule(std::max(0.0, next), [this, alive] {
        if (auto living = alive.lock(); living && *living)
            catchUp(false);
    });
}

std::string MovieRecorder::finish()
{
    if (m_timer)
        m_timer->cancel();
    // Every frame captured before the recording ended; a recording stopped at
    // once still holds its first frame.
    if (m_error.empty())
        catchUp(true);
    if (m_error.empty()) {
        if (auto failure = m_encoder->finish())
            m_error = failure->reason;
    }
    m_encoder.reset();
    if (!m_error.empty()) {
        m_file->discard();
        return m_error;
    }
    if (int error = m_file->commit())
        return std::strerror(error);
    return {};
}

}
