#pragma once

#include "hardware/footage/VideoDecoder.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <variant>

namespace hardware {

// A movie as what the camera looks at: the picture of each moment, played
// from its start and looping at its end, sound ignored, turned upright as
// its rotation says. Asking for a moment decodes only what leads to it: on
// from the picture shown last when no key frame lies between, otherwise
// from the key frame before it, skipping the pictures nothing refers to.
// Used by one thread at a time.
class MovieFootage {
public:
    // The clip, with its first picture decoded; otherwise FFmpeg's reason
    // the file is no movie it can play.
    static std::variant<std::unique_ptr<MovieFootage>, std::string> open(const std::filesystem::path&);

    // The picture showing `seconds` after the clip started (0 or more),
    // upright, fitted within maxWidth × maxHeight when given. When the file
    // breaks on the way, the last good picture stays, and failure() says why.
    kit::CGImageRef pictureAt(double seconds, int maxWidth = 0, int maxHeight = 0);

    // Seconds; the pictures loop after this.
    double duration() const { return m_duration; }
    // The upright size of its pictures.
    int width() const { return m_decoder->width(); }
    int height() const { return m_decoder->height(); }
    // Why the clip could not be read on, once it could not.
    const std::optional<std::string>& failure() const { return m_failure; }

    // What reading has cost so far: pictures decoded, and jumps to a key frame.
    uint64_t picturesDecoded() const { return m_decoder->picturesDecoded(); }
    uint64_t seeks() const { return m_seeks; }

private:
    explicit MovieFootage(std::unique_ptr<VideoDecoder>);
    // Decodes on to the picture showing at `time` (within the clip).
    void decodeUpTo(double time);
    bool mustSeekFor(double time) const;
    void seekFor(double time);
    // At the end of what could be read: a failure when it came too soon.
    void noteAnEarlyEnd();

    std::unique_ptr<VideoDecoder> m_decoder;
    double m_duration { 0 };
    // The last picture at or before the moment asked for, and the first
    // after it, kept for the next request.
    std::optional<DecodedPicture> m_shown;
    std::optional<DecodedPicture> m_ahead;
    bool m_atEnd { false };
    PictureCache m_pixels;
    std::optional<std::string> m_failure;
    uint64_t m_seeks { 0 };
    double m_lastSeek { 0 };
};

}
