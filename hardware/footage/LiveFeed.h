#pragma once

#include "hardware/footage/VideoDecoder.h"

#include <memory>
#include <optional>
#include <string>
#include <variant>

namespace hardware {

// A live source in front of the camera (a webcam, a generated source),
// opened when the preview starts and closed when it stops. Its pictures are
// read in the order they arrive and never again: the picture of a moment is
// the last that arrived by then, and asking for a later moment waits for
// the source to get there, so a run on the virtual clock goes at the
// source's pace. When the source breaks (a device unplugged) its last good
// picture stays and failure() says why. Used by one thread at a time.
class LiveFeed {
public:
    // Asks the source for the size and rate given (0: its own), which a
    // device answers with the nearest it has; otherwise FFmpeg's reason it
    // cannot be opened.
    static std::variant<std::unique_ptr<LiveFeed>, std::string> open(VideoInput, int width = 0, int height = 0,
        double framesPerSecond = 0);

    // The picture `seconds` after the feed opened, fitted within
    // maxWidth × maxHeight when given.
    kit::CGImageRef pictureAt(double seconds, int maxWidth = 0, int maxHeight = 0);

    int width() const { return m_decoder->width(); }
    int height() const { return m_decoder->height(); }
    const std::optional<std::string>& failure() const { return m_failure; }
    uint64_t picturesDecoded() const { return m_decoder->picturesDecoded(); }

private:
    explicit LiveFeed(std::unique_ptr<VideoDecoder> decoder) : m_decoder(std::move(decoder)) { }

    std::unique_ptr<VideoDecoder> m_decoder;
    std::optional<DecodedPicture> m_shown;
    std::optional<DecodedPicture> m_ahead;
    double m_firstTime { 0 };
    PictureCache m_pixels;
    std::optional<std::string> m_failure;
};

}
