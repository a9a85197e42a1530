#pragma once

#include "kit/media/AVAssetWriterInput.h"
#include "kit/media/CMTime.h"
#include "kit/media/NSError.h"
#include "kit/runtime/Object.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kit {

class MovieEncoder;
struct MovieEncoderError;
class StagedFile;

enum AVAssetWriterStatus : int {
    AVAssetWriterStatusUnknown = 0,
    AVAssetWriterStatusWriting = 1,
    AVAssetWriterStatusCompleted = 2,
    AVAssetWriterStatusFailed = 3,
    AVAssetWriterStatusCancelled = 4,
};

// Writes one QuickTime movie (AVFileTypeQuickTimeMovie) with an H.264 video
// track. The movie is written under a temporary name beside the
// destination and appears under its own name only when finished whole; a
// failure at any point (an unwritable folder, a full disk, an encoder error)
// leaves status failed, an error, and no file. As on the platform, a writer
// for a path where a file already exists fails when it starts writing.
//
// Frame times are taken from the presentation times, relative to the
// session's start; a frame whose time does not come after the previous
// one's is refused (the writer keeps writing). The last frame lasts as long
// as the gap before it, so frames at 0/3, 1/3, 2/3 make a one-second movie.
//
// One thread at a time, except that finishWritingWithCompletionHandler
// finishes on a queue of its own and calls the handler there.
class AVAssetWriter final : public Object {
    KIT_OBJECT(AVAssetWriter, Object)

public:
    // url: a device path (resolved under the device root) or a "file://"
    // URL of one. Nothing, with the error, for another file type.
    static std::shared_ptr<AVAssetWriter> assetWriterWithURL(
        std::string_view url, std::string_view fileType, NSErrorRef* error = nullptr);

    AVAssetWriter(std::string devicePath, std::filesystem::path hostPath);
    ~AVAssetWriter() override;

    const std::string& outputPath() const { return m_devicePath; }
    AVAssetWriterStatus status() const;
    NSErrorRef error() const;

    // One video input, added before writing starts.
    bool canAddInput(const std::shared_ptr<AVAssetWriterInput>&) const;
    void addInput(const std::shared_ptr<AVAssetWriterInput>&);
    std::vector<std::shared_ptr<AVAssetWriterInput>> inputs() const;

    bool startWriting();
    void startSessionAtSourceTime(CMTime);

    // Waits until the movie is complete; answers whether it is.
    bool finishWriting();
    void finishWritingWithCompletionHandler(std::function<void()>);
    // Stops and removes whatever was written.
    void cancelWriting();

private:
    friend class AVAssetWriterInput;
    bool appendFrame(const AVAssetWriterInput&, const CGImage&, CMTime);
    bool isWriting() const;
    // Called with the mutex held.
    void failLocked(long code, const std::string& description, const std::string& reason);
    void failWithEncoderErrorLocked(const MovieEncoderError&);

    std::string m_devicePath;
    std::filesystem::path m_hostPath;
    mutable std::mutex m_mutex;
    AVAssetWriterStatus m_status { AVAssetWriterStatusUnknown };
    NSErrorRef m_error;
    std::vector<std::shared_ptr<AVAssetWriterInput>> m_inputs;
    std::unique_ptr<StagedFile> m_file;
    std::unique_ptr<MovieEncoder> m_encoder;
    CMTime m_sessionStart { kCMTimeZero };
};

}
