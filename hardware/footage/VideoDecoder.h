#pragma once

#include "kit/media/FFmpegHandles.h"
#include "kit/ui/CGImage.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace hardware {

// Where pictures come from: a movie file, or a device or generated source
// through libavdevice.
struct VideoInput {
    // A file's path, a device ("/dev/video0") or a filter graph ("testsrc2").
    std::string url;
    // FFmpeg's name of the input ("v4l2", "lavfi"); empty to probe a file.
    std::string format;
    // What to ask of the input ("video_size" "1280x720", "framerate" "30").
    std::vector<std::pair<std::string, std::string>> options;
};

// One picture as the decoder gave it, not yet turned into pixels.
struct DecodedPicture {
    kit::ffmpeg::FramePtr frame;
    // Seconds from the stream's start.
    double time { 0 };
    // Its place in the decoder's output: 1 for the first picture decoded.
    uint64_t serial { 0 };
};

// The best video stream of an FFmpeg input, decoded picture by picture in
// the order they show (libavformat, libavdevice, libavcodec), and turned
// into upright pixels on request (libswscale, then the stream's rotation).
// Other streams (sound) are not read. Used by one thread at a time.
class VideoDecoder {
public:
    // The largest pictures taken, in pixels: a file or source with larger
    // ones is refused before anything is decoded.
    static constexpr int64_t maximumPixels = 50'000'000;

    // Opens the input and its video decoder, or FFmpeg's reason why not.
    static std::variant<std::unique_ptr<VideoDecoder>, std::string> open(const VideoInput&);
    ~VideoDecoder();
    VideoDecoder(const VideoDecoder&) = delete;
    VideoDecoder& operator=(const VideoDecoder&) = delete;

    // The pictures' size as they show, the rotation applied.
    int width() const { return m_rotation % 180 ? m_codedHeight : m_codedWidth; }
    int height() const { return m_rotation % 180 ? m_codedWidth : m_codedHeight; }
    // How far a player turns the coded pictures clockwise: 0, 90, 180 or 270.
    int rotationDegrees() const { return m_rotation; }
    // The input's length in seconds; 0 when it does not say (a live source).
    double duration() const { return m_duration; }
    // The time between pictures, from the stream's rate (1/30 s when it
    // does not say).
    double frameDuration() const { return m_frameDuration; }

    // The next picture; nothing at the end of the input, or when reading or
    // decoding failed, which failure() then says.
    std::optional<DecodedPicture> next();
    // FFmpeg's reason the input stopped early; empty at a clean end.
    const std::string& failure() const { return m_failure; }

    // Pictures before this time that no other picture refers to are
    // skipped rather than decoded (catching up after a seek).
    void skipUnreferencedBefore(double seconds) { m_skipBefore = seconds; }

    // The time of the key frame at or before `seconds` that the input's index
    // knows of; nothing when it has no index there.
    std::optional<double> keyFrameAtOrBefore(double seconds) const;
    // Moves to the key frame at or before `seconds`: the next picture is
    // that key frame's. False when the input cannot seek.
    bool seekTo(double seconds);

    // The decoded picture upright, 0xAARRGGBB and opaque, scaled down to fit
    // within maxWidth × maxHeight (upright) keeping its shape when larger
    // (0: its own size). Nothing when it cannot be converted.
    kit::CGImageRef picture(const AVFrame&, int maxWidth = 0, int maxHeight = 0);

    // How many pictures have been decoded so far.
    uint64_t picturesDecoded() const { return m_decoded; }

private:
    VideoDecoder() = default;
    int64_t streamTime(double seconds) const;
    double secondsOf(int64_t streamTimestamp) const;

    kit::ffmpeg::InputPtr m_input;
    kit::ffmpeg::CodecPtr m_codec;
    kit::ffmpeg::PacketPtr m_packet;
    kit::ffmpeg::ScalerPtr m_scaler;
    AVStream* m_stream { nullptr };
    int m_streamIndex { -1 };
    int m_codedWidth { 0 };
    int m_codedHeight { 0 };
    int m_rotation { 0 };
    double m_duration { 0 };
    double m_frameDuration { 1.0 / 30 };
    int64_t m_startTimestamp { 0 };
    double m_lastTime { -1 };
    double m_skipBefore { -1 };
    bool m_draining { false };
    std::string m_failure;
    // Why reading broke off, said once the decoder has given what it held.
    std::string m_readFailure;
    uint64_t m_decoded { 0 };
};

// The pixels of the picture shown last, made again only when another
// picture or size is asked for.
class PictureCache {
public:
    // The picture's pixels (VideoDecoder::picture); the last pixels made
    // when these cannot be.
    kit::CGImageRef pixels(VideoDecoder&, const DecodedPicture&, int maxWidth, int maxHeight);
    const kit::CGImageRef& last() const { return m_pixels; }

private:
    kit::CGImageRef m_pixels;
    uint64_t m_serial { 0 };
    int m_maxWidth { 0 };
    int m_maxHeight { 0 };
};

}
