#pragma once

#include "kit/media/CMTime.h"
#include "kit/ui/CGImage.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace kit {

struct MovieEncoderSettings {
    // Made even (rounded down, at least 2), as H.264 in 4:2:0 needs.
    int width { 0 };
    int height { 0 };
    // Real-time input trades compression for speed.
    bool realTime { false };
    // Bits per second; 0 for constant quality.
    int64_t averageBitRate { 0 };
    // How far a player turns the pictures clockwise to show them upright:
    // 0, 90, 180 or 270 degrees, kept as the track's display matrix.
    int rotationDegrees { 0 };

    // The x264 options the settings come to, in ffmpeg's command-line words
    // (for measuring against the ffmpeg tool with the same settings).
    std::string x264Preset() const { return realTime ? "veryfast" : "medium"; }
    // Real-time input is encoded as it comes, without holding frames back
    // for look-ahead or B-frames: the encoder keeps a few frames, not dozens.
    std::string x264Tune() const { return realTime ? "zerolatency" : ""; }
    static constexpr int constantQuality = 20;
};

struct MovieEncoderError {
    enum class Kind {
        FrameRefused, // this frame is not taken; the movie goes on
        Failed,       // the movie is lost
        DiskFull,     // the movie is lost for want of space
    };
    Kind kind { Kind::Failed };
    std::string reason;
};

// H.264 (libx264, or another H.264 encoder when it is missing) in a
// QuickTime movie file, frame by frame. Frames of any size are scaled to the
// movie's size keeping their shape, with black bars where the shapes differ.
// Memory: one converted frame plus the encoder's own; the caller's pixels
// are not kept. One thread at a time.
class MovieEncoder {
public:
    // Writes to path (which should exist and be empty) once the first frame
    // arrives, using that frame's timescale for the movie.
    MovieEncoder(std::string path, MovieEncoderSettings);
    ~MovieEncoder();
    MovieEncoder(const MovieEncoder&) = delete;
    MovieEncoder& operator=(const MovieEncoder&) = delete;

    int width() const { return m_width; }
    int height() const { return m_height; }
    int framesWritten() const { return m_framesWritten; }

    // Times must rise from frame to frame; an earlier or equal one is refused.
    std::optional<MovieEncoderError> append(const CGImage& frame, CMTime presentationTime);
    // Writes what the encoder still holds and closes the file. The last
    // frame lasts as long as the gap before it.
    std::optional<MovieEncoderError> finish();

private:
    struct Codec;

    std::optional<MovieEncoderError> open(int32_t timescale);
    std::optional<MovieEncoderError> drain(bool flushing);
    std::optional<MovieEncoderError> failed(int ffmpegError, const char* during);
    bool convert(const CGImage&);

    std::string m_path;
    MovieEncoderSettings m_settings;
    int m_width { 2 };
    int m_height { 2 };
    std::unique_ptr<Codec> m_codec;
    int64_t m_lastPts { -1 };
    int64_t m_frameGap { 1 };
    int m_framesWritten { 0 };
};

}
