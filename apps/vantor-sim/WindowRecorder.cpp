#include "WindowRecorder.h"

#include "kit/foundation/SystemLog.h"
#include "kit/media/AVAssetWriter.h"
#include "kit/media/AVAssetWriterInputPixelBufferAdaptor.h"
#include "kit/media/AVCaptureDevice.h"
#include "kit/media/AVVideoSettings.h"
#include "kit/media/CVPixelBuffer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace sim {

namespace fs = std::filesystem;

std::variant<std::unique_ptr<WindowRecorder>, std::string> WindowRecorder::start(
    const fs::path& movie, int width, int height, int framesPerSecond)
{
    if (width <= 0 || height <= 0 || width % 2 || height % 2)
        return "a movie needs an even, positive size, not " + std::to_string(width) + "×" + std::to_string(height);
    auto path = fs::absolute(movie);
    // Written beside the destination and moved over it only when complete,
    // so a failed recording never costs an earlier movie of that name.
    auto partial = path;
    partial += ".partial.mov";
    std::error_code error;
    fs::remove(partial, error);
    std::unique_ptr<WindowRecorder> recorder(new WindowRecorder);
    recorder->m_path = path;
    recorder->m_partialPath = partial;
    recorder->m_width = width;
    recorder->m_height = height;
    recorder->m_framesPerSecond = std::clamp(framesPerSecond, 1, 240);
    // A file of the person's own choosing, not a device path: no device
    // root applies to it.
    recorder->m_writer = std::make_shared<kit::AVAssetWriter>(partial.string(), partial);
    recorder->m_input = kit::AVAssetWriterInput::assetWriterInputWithMediaType(kit::AVMediaTypeVideo,
        { { std::string(kit::AVVideoCodecKey), std::string(kit::AVVideoCodecH264) },
            { std::string(kit::AVVideoWidthKey), width }, { std::string(kit::AVVideoHeightKey), height } });
    recorder->m_input->setExpectsMediaDataInRealTime(true);
    recorder->m_adaptor
        = kit::AVAssetWriterInputPixelBufferAdaptor::assetWriterInputPixelBufferAdaptorWithAssetWriterInput(recorder->m_input, {});
    if (!recorder->m_writer->canAddInput(recorder->m_input))
        return "cannot write a movie to " + path.string();
    recorder->m_writer->addInput(recorder->m_input);
    if (!recorder->m_writer->startWriting())
        return "cannot write a movie to " + path.string();
    recorder->m_writer->startSessionAtSourceTime(kit::kCMTimeZero);
    return recorder;
}

WindowRecorder::~WindowRecorder()
{
    finish();
}

void WindowRecorder::append(const kit::CGImage& frame, double seconds)
{
    if (m_finished || frame.width() != m_width || frame.height() != m_height)
        return;
    if (!m_start)
        m_start = seconds;
    // Presentation times on a grid of the frame period, from the first frame.
    auto tick = int64_t(std::floor((seconds - *m_start) * m_framesPerSecond + 1e-6));
    if (m_lastTick && tick <= *m_lastTick)
        return;
    kit::CVPixelBufferRef buffer;
    if (kit::CVPixelBufferCreate(nullptr, size_t(m_width), size_t(m_height), kit::kCVPixelFormatType_32ARGB, nullptr, &buffer)
        != kit::kCVReturnSuccess)
        return;
    kit::CVPixelBufferLockBaseAddress(buffer, 0);
    std::memcpy(kit::CVPixelBufferGetBaseAddress(buffer), frame.data(), frame.byteCount());
    kit::CVPixelBufferUnlockBaseAddress(buffer, 0);
    if (m_adaptor->appendPixelBuffer(buffer, kit::CMTimeMake(tick, m_framesPerSecond))) {
        m_lastTick = tick;
        ++m_frames;
    }
}

bool WindowRecorder::finish()
{
    if (m_finished)
        return m_completed;
    m_finished = true;
    m_input->markAsFinished();
    if (m_frames == 0) {
        m_writer->cancelWriting();
        kit::logf("vantor-sim: no frames were recorded; %s not written", m_path.c_str());
        return false;
    }
    std::error_code error;
    if (!m_writer->finishWriting() || (fs::rename(m_partialPath, m_path, error), error)) {
        kit::logf("vantor-sim: the movie %s could not be completed", m_path.c_str());
        fs::remove(m_partialPath, error);
        return false;
    }
    m_completed = true;
    return true;
}

}
