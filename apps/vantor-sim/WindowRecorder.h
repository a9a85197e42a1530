#pragma once

#include "kit/ui/CGImage.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <variant>

namespace kit {
class AVAssetWriter;
class AVAssetWriterInput;
class AVAssetWriterInputPixelBufferAdaptor;
}

namespace sim {

// Writes what the window shows as an H.264 QuickTime movie through kit's
// asset writer. Frames are timed by the simulated clock and kept to at most
// `framesPerSecond`: a frame that comes sooner than one period after the
// last kept one is skipped, so the movie plays at the pace the phone lived.
class WindowRecorder {
public:
    // An error message when the movie cannot be started (an unwritable
    // folder, an odd size). An existing file at the path is replaced once
    // the new movie is complete.
    static std::variant<std::unique_ptr<WindowRecorder>, std::string> start(
        const std::filesystem::path& movie, int width, int height, int framesPerSecond = 30);
    ~WindowRecorder();

    // The frame's pixels must be the size the movie was started with.
    // `seconds`: the simulated time the frame shows.
    void append(const kit::CGImage&, double seconds);
    int framesWritten() const { return m_frames; }
    // Completes the movie; false (and a log line) when it could not be.
    bool finish();

private:
    WindowRecorder() = default;

    std::filesystem::path m_path;
    std::filesystem::path m_partialPath;
    int m_width { 0 };
    int m_height { 0 };
    int m_framesPerSecond { 30 };
    std::shared_ptr<kit::AVAssetWriter> m_writer;
    std::shared_ptr<kit::AVAssetWriterInput> m_input;
    std::shared_ptr<kit::AVAssetWriterInputPixelBufferAdaptor> m_adaptor;
    std::optional<double> m_start;
    std::optional<int64_t> m_lastTick;
    int m_frames { 0 };
    bool m_finished { false };
    bool m_completed { false };
};

}
