#include "host/camera/MovieRecorder.h"

#include "host/camera/Scene.h"

#include "kit/foundation/DeviceRoot.h"
#include "kit/foundation/RunLoop.h"
#include "kit/foundation/SystemLog.h"
#include "kit/media/MovieEncoder.h"
#include "kit/media/StagedFile.h"

#include <cmath>
#include <cstring>
#include <filesystem>

namespace host {

namespace {
constexpr double grabInterval = 0.5;
}

std::unique_ptr<MovieRecorder> MovieRecorder::start(const std::string& devicePath, std::shared_ptr<Scene> scene, bool)
{
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
    recorder->m_scene = std::move(scene);
    recorder->m_file = std::make_unique<kit::StagedFile>(std::move(*staged));
    kit::MovieEncoderSettings settings;
    settings.width = recorder->m_width;
    settings.height = recorder->m_height;
    settings.realTime = true;
    recorder->m_encoder = std::make_unique<kit::MovieEncoder>(recorder->m_file->temporaryPath().string(), settings);
    recorder->m_start = kit::RunLoop::main().now();
    recorder->grab();
    return recorder;
}

MovieRecorder::~MovieRecorder()
{
    *m_alive = false;
    if (m_timer)
        m_timer->cancel();
}

void MovieRecorder::grab()
{
    if (!m_error.empty() || !m_scene)
        return;
    double elapsed = kit::RunLoop::main().now() - m_start;
    if (auto frame = m_scene->renderUpright(m_width, m_height)) {
        kit::CMTime time = kit::CMTimeMake(int64_t(std::llround(elapsed * 600)), 600);
        if (auto failure = m_encoder->append(*frame, time); failure && failure->kind != kit::MovieEncoderError::Kind::FrameRefused)
            m_error = failure->reason;
    }
    std::weak_ptr<bool> alive = m_alive;
    m_timer = kit::RunLoop::main().schedule(grabInterval, [this, alive] {
        if (alive.lock() && *alive.lock())
            grab();
    });
}

std::string MovieRecorder::finish()
{
    if (m_timer)
        m_timer->cancel();
    // The last frame shows until the recording ended.
    if (m_error.empty())
        grab();
    if (m_timer)
        m_timer->cancel();
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
