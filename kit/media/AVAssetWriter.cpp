#include "kit/media/AVAssetWriter.h"

#include "kit/foundation/DeviceRoot.h"
#include "kit/foundation/Dispatch.h"
#include "kit/foundation/SystemLog.h"
#include "kit/media/AVCaptureDevice.h"
#include "kit/media/AVVideoSettings.h"
#include "kit/media/FileURL.h"
#include "kit/media/MovieEncoder.h"
#include "kit/media/StagedFile.h"
#include "kit/runtime/Class.h"

#include <cerrno>
#include <cmath>
#include <cstring>

namespace kit {

KIT_REGISTER_CLASS(AVAssetWriter);

namespace {

bool isDiskFullErrno(int number)
{
    return number == ENOSPC || number == EFBIG || number == EDQUOT;
}

// The session's start taken off a presentation time, in the time's own scale.
CMTime relativeTo(CMTime time, CMTime start)
{
    if (start.value == 0)
        return time;
    int64_t startValue = start.timescale == time.timescale
        ? start.value
        : int64_t(std::llround(double(start.value) * time.timescale / start.timescale));
    return CMTimeMake(time.value - startValue, time.timescale);
}

}

std::shared_ptr<AVAssetWriter> AVAssetWriter::assetWriterWithURL(
    std::string_view url, std::string_view fileType, NSErrorRef* error)
{
    if (fileType != AVFileTypeQuickTimeMovie) {
        setError(error, NSError::make(std::string(AVFoundationErrorDomain), AVErrorUnknown,
                            "The operation could not be completed", "Only QuickTime movies can be written."));
        return nullptr;
    }
    std::string devicePath = devicePathOfFileURL(url);
    auto hostPath = DeviceRoot::resolve(devicePath);
    return std::make_shared<AVAssetWriter>(std::move(devicePath), std::move(hostPath));
}

AVAssetWriter::AVAssetWriter(std::string devicePath, std::filesystem::path hostPath)
    : m_devicePath(std::move(devicePath))
    , m_hostPath(std::move(hostPath))
{
}

// A writer dropped while writing leaves nothing behind: the encoder closes
// the temporary, and the staged file removes it.
AVAssetWriter::~AVAssetWriter()
{
    m_encoder.reset();
    m_file.reset();
}

AVAssetWriterStatus AVAssetWriter::status() const
{
    std::lock_guard lock(m_mutex);
    return m_status;
}

NSErrorRef AVAssetWriter::error() const
{
    std::lock_guard lock(m_mutex);
    return m_error;
}

bool AVAssetWriter::isWriting() const
{
    return status() == AVAssetWriterStatusWriting;
}

bool AVAssetWriter::canAddInput(const std::shared_ptr<AVAssetWriterInput>& input) const
{
    std::lock_guard lock(m_mutex);
    return input && m_status == AVAssetWriterStatusUnknown && m_inputs.empty() && input->encoderSettings()
        && input->m_writer.expired();
}

void AVAssetWriter::addInput(const std::shared_ptr<AVAssetWriterInput>& input)
{
    if (!canAddInput(input)) {
        logf("AVAssetWriter: cannot add this input (one H.264 video input, before writing starts)");
        return;
    }
    std::lock_guard lock(m_mutex);
    input->m_writer = strongRef<AVAssetWriter>();
    m_inputs.push_back(input);
}

std::vector<std::shared_ptr<AVAssetWriterInput>> AVAssetWriter::inputs() const
{
    std::lock_guard lock(m_mutex);
    return m_inputs;
}

void AVAssetWriter::failLocked(long code, const std::string& description, const std::string& reason)
{
    m_encoder.reset();
    m_file.reset();
    m_status = AVAssetWriterStatusFailed;
    m_error = NSError::make(std::string(AVFoundationErrorDomain), code, description, reason);
    logf("AVAssetWriter: %s: %s (%s)", m_devicePath.c_str(), description.c_str(), reason.c_str());
}

void AVAssetWriter::failWithEncoderErrorLocked(const MovieEncoderError& error)
{
    if (error.kind == MovieEncoderError::Kind::DiskFull)
        failLocked(AVErrorDiskFull, "Disk Full", error.reason);
    else
        failLocked(AVErrorUnknown, "The operation could not be completed", error.reason);
}

bool AVAssetWriter::startWriting()
{
    std::lock_guard lock(m_mutex);
    if (m_status != AVAssetWriterStatusUnknown) {
        logf("AVAssetWriter: startWriting called twice");
        return false;
    }
    if (m_inputs.empty()) {
        failLocked(AVErrorUnknown, "The operation could not be completed", "The writer has no input.");
        return false;
    }
    std::error_code ignored;
    if (std::filesystem::exists(std::filesystem::symlink_status(m_hostPath, ignored))) {
        failLocked(AVErrorFileAlreadyExists, "Cannot Save", "A file already exists at the movie's path.");
        return false;
    }
    int errorNumber = 0;
    auto file = StagedFile::create(m_hostPath, errorNumber);
    if (!file) {
        if (isDiskFullErrno(errorNumber))
            failLocked(AVErrorDiskFull, "Disk Full", std::strerror(errorNumber));
        else
            failLocked(AVErrorUnknown, "The operation could not be completed", std::strerror(errorNumber));
        return false;
    }
    m_file = std::make_unique<StagedFile>(std::move(*file));
    m_encoder = std::make_unique<MovieEncoder>(m_file->temporaryPath().string(), *m_inputs.front()->encoderSettings());
    m_status = AVAssetWriterStatusWriting;
    return true;
}

void AVAssetWriter::startSessionAtSourceTime(CMTime start)
{
    std::lock_guard lock(m_mutex);
    m_sessionStart = CMTIME_IS_VALID(start) ? start : kCMTimeZero;
}

bool AVAssetWriter::appendFrame(const AVAssetWriterInput&, const CGImage& frame, CMTime presentationTime)
{
    std::lock_guard lock(m_mutex);
    if (m_status != AVAssetWriterStatusWriting || !CMTIME_IS_VALID(presentationTime))
        return false;
    CMTime time = relativeTo(presentationTime, m_sessionStart);
    if (time.value < 0) {
        logf("AVAssetWriter: a frame before the session's start is dropped");
        return false;
    }
    auto error = m_encoder->append(frame, time);
    if (!error)
        return true;
    if (error->kind == MovieEncoderError::Kind::FrameRefused) {
        logf("AVAssetWriter: a frame is dropped: %s", error->reason.c_str());
        return false;
    }
    failWithEncoderErrorLocked(*error);
    return false;
}

bool AVAssetWriter::finishWriting()
{
    std::lock_guard lock(m_mutex);
    if (m_status != AVAssetWriterStatusWriting)
        return m_status == AVAssetWriterStatusCompleted;
    if (m_encoder->framesWritten() == 0) {
        failLocked(AVErrorNoDataCaptured, "Cannot Save", "No frames were appended.");
        return false;
    }
    if (auto error = m_encoder->finish()) {
        failWithEncoderErrorLocked(*error);
        return false;
    }
    m_encoder.reset();
    int result = m_file->commit();
    m_file.reset();
    if (result == EEXIST) {
        failLocked(AVErrorFileAlreadyExists, "Cannot Save", "A file appeared at the movie's path while writing.");
        return false;
    }
    if (result != 0) {
        failLocked(isDiskFullErrno(result) ? AVErrorDiskFull : AVErrorUnknown, "Cannot Save", std::strerror(result));
        return false;
    }
    m_status = AVAssetWriterStatusCompleted;
    return true;
}

void AVAssetWriter::finishWritingWithCompletionHandler(std::function<void()> handler)
{
    auto self = strongRef<AVAssetWriter>();
    if (!self) { // not shared: nothing could keep it alive on another queue
        finishWriting();
        if (handler)
            handler();
        return;
    }
    auto queue = dispatch_queue_create("com.apple.avfoundation.assetwriter.finish");
    dispatch_async(queue, [self, handler = std::move(handler)] {
        self->finishWriting();
        if (handler)
            handler();
    });
}

void AVAssetWriter::cancelWriting()
{
    std::lock_guard lock(m_mutex);
    if (m_status != AVAssetWriterStatusWriting && m_status != AVAssetWriterStatusUnknown)
        return;
    m_encoder.reset();
    m_file.reset();
    m_status = AVAssetWriterStatusCancelled;
}

}
