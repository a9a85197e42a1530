#include "hardware/footage/LiveFeed.h"

#include <cstdio>

namespace hardware {

std::variant<std::unique_ptr<LiveFeed>, std::string> LiveFeed::open(
    VideoInput input, int width, int height, double framesPerSecond)
{
    // A device is asked for the format it should deliver; a generated
    // source makes what its graph says.
    if (input.format == "v4l2") {
        if (width > 0 && height > 0)
            input.options.emplace_back("video_size", std::to_string(width) + "x" + std::to_string(height));
        if (framesPerSecond > 0) {
            char rate[32];
            std::snprintf(rate, sizeof rate, "%g", framesPerSecond);
            input.options.emplace_back("framerate", rate);
        }
    }
    auto opened = VideoDecoder::open(input);
    if (auto* problem = std::get_if<std::string>(&opened))
        return *problem;
    std::unique_ptr<LiveFeed> feed(new LiveFeed(std::move(std::get<std::unique_ptr<VideoDecoder>>(opened))));
    feed->m_ahead = feed->m_decoder->next();
    if (!feed->m_ahead) {
        auto why = feed->m_decoder->failure();
        return why.empty() ? std::string("it delivered no picture") : why;
    }
    // Its clock starts with its first picture.
    feed->m_firstTime = feed->m_ahead->time;
    return feed;
}

kit::CGImageRef LiveFeed::pictureAt(double seconds, int maxWidth, int maxHeight)
{
    double time = m_firstTime + seconds;
    while (!m_failure && (!m_shown || (m_ahead && m_ahead->time <= time))) {
        if (m_ahead) {
            m_shown = std::move(m_ahead);
            m_ahead.reset();
        }
        m_ahead = m_decoder->next();
        if (!m_ahead) {
            auto why = m_decoder->failure();
            m_failure = why.empty() ? std::string("the source ended") : why;
        }
    }
    return m_shown ? m_pixels.pixels(*m_decoder, *m_shown, maxWidth, maxHeight) : m_pixels.last();
}

}
