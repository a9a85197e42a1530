#include "hardware/footage/MovieFootage.h"

#include "kit/media/FFmpegLog.h"

#include <cmath>
#include <cstdio>

namespace hardware {

namespace {

// Pictures this close to a moment count as showing at it (timestamps are
// rounded to the stream's time base).
constexpr double kTimeSlack = 1e-4;
// Without an index, a jump further ahead than this seeks rather than
// decoding every picture on the way.
constexpr double kFarAheadSeconds = 2.0;

}

MovieFootage::MovieFootage(std::unique_ptr<VideoDecoder> decoder)
    : m_decoder(std::move(decoder))
{
}

std::variant<std::unique_ptr<MovieFootage>, std::string> MovieFootage::open(const std::filesystem::path& path)
{
    kit::ffmpeg::LoggedErrors logged;
    auto opened = VideoDecoder::open({ path.string(), {}, {} });
    if (auto* problem = std::get_if<std::string>(&opened))
        return *problem;
    std::unique_ptr<MovieFootage> footage(new MovieFootage(std::move(std::get<std::unique_ptr<VideoDecoder>>(opened))));
    // A file whose first picture does not decode is refused now, not shown black.
    footage->m_ahead = footage->m_decoder->next();
    if (!footage->m_ahead) {
        auto why = footage->m_decoder->failure();
        if (why.empty())
            return logged.last().empty() ? std::string("it holds no picture") : "it holds no picture (" + logged.last() + ")";
        return why;
    }
    footage->m_duration = footage->m_decoder->duration();
    return footage;
}

bool MovieFootage::mustSeekFor(double time) const
{
    double position = m_shown ? m_shown->time : m_ahead ? m_ahead->time : -1;
    if (position < 0 || time + kTimeSlack < position)
        return true;
    if (auto key = m_decoder->keyFrameAtOrBefore(time))
        return *key > position + kTimeSlack;
    return time - position > kFarAheadSeconds;
}

void MovieFootage::seekFor(double time)
{
    ++m_seeks;
    m_lastSeek = time;
    if (!m_decoder->seekTo(time)) {
        // What cannot go back cannot loop: the picture shown stays.
        m_failure = "it cannot be read again from an earlier moment";
        return;
    }
    m_shown.reset();
    m_ahead.reset();
    m_atEnd = false;
}

void MovieFootage::decodeUpTo(double time)
{
    if (m_ahead && m_ahead->time <= time + kTimeSlack) {
        m_shown = std::move(m_ahead);
        m_ahead.reset();
    }
    while (!m_ahead && !m_atEnd) {
        auto next = m_decoder->next();
        if (!next) {
            m_atEnd = true;
            noteAnEarlyEnd();
            break;
        }
        if (next->time <= time + kTimeSlack || !m_shown)
            m_shown = std::move(next);
        else
            m_ahead = std::move(next);
    }
}

void MovieFootage::noteAnEarlyEnd()
{
    if (!m_decoder->failure().empty()) {
        m_failure = m_decoder->failure();
        return;
    }
    // A file cut short ends cleanly for FFmpeg, before the length it says;
    // nothing at all after a seek means the key frame the index promised
    // is gone.
    double reached = m_shown ? m_shown->time + m_decoder->frameDuration() : m_lastSeek;
    if (m_duration > 0 && (!m_shown || reached < m_duration - 2 * m_decoder->frameDuration())) {
        char text[128];
        std::snprintf(text, sizeof text, "it ends before %.2f s of the %.2f s it says it lasts", reached, m_duration);
        m_failure = text;
    }
}

kit::CGImageRef MovieFootage::pictureAt(double seconds, int maxWidth, int maxHeight)
{
    if (!m_failure) {
        double time = std::max(0.0, seconds);
        if (m_duration > 0)
            time = std::fmod(time, m_duration);
        bool alreadyThere = m_shown && m_shown->time <= time + kTimeSlack && m_ahead && m_ahead->time > time + kTimeSlack;
        if (!alreadyThere) {
            m_decoder->skipUnreferencedBefore(time - 2 * m_decoder->frameDuration());
            if (mustSeekFor(time))
                seekFor(time);
            if (!m_failure)
                decodeUpTo(time);
            // A seek that landed after the moment (an index of decoding
            // times) goes back once more, a second further.
            if (m_shown && m_shown->time > time + kTimeSlack && time > 0 && !m_failure) {
                seekFor(std::max(0.0, time - (m_shown->time - time) - 1));
                if (!m_failure)
                    decodeUpTo(time);
            }
        }
    }
    return m_shown ? m_pixels.pixels(*m_decoder, *m_shown, maxWidth, maxHeight) : m_pixels.last();
}

}
