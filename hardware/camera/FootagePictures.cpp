#include "hardware/camera/FootagePictures.h"

namespace hardware {

MoviePictures::MoviePictures(std::unique_ptr<MovieFootage> footage)
    : m_footage(std::move(footage))
{
}

void MoviePictures::cameraStarted(double time, int, int, double)
{
    if (!m_start)
        m_start = time;
}

kit::CGImageRef MoviePictures::pictureAt(double time)
{
    if (!m_start)
        m_start = time;
    return m_footage->pictureAt(std::max(0.0, time - *m_start));
}

std::optional<std::string> MoviePictures::takeProblem()
{
    if (m_problemTold || !m_footage->failure())
        return std::nullopt;
    m_problemTold = true;
    return "the scene movie stopped playing (" + *m_footage->failure() + "); its last picture stays";
}

LivePictures::LivePictures(VideoInput input, int width, int height)
    : m_input(std::move(input))
    , m_width(width)
    , m_height(height)
{
}

void LivePictures::cameraStarted(double time, int formatWidth, int formatHeight, double framesPerSecond)
{
    if (m_feed || m_problem)
        return;
    auto opened = LiveFeed::open(m_input, formatWidth, formatHeight, framesPerSecond);
    if (auto* problem = std::get_if<std::string>(&opened)) {
        m_problem = "the camera source " + m_input.format + ":" + m_input.url + " cannot be opened (" + *problem
            + "); its last picture stays";
        return;
    }
    m_feed = std::move(std::get<std::unique_ptr<LiveFeed>>(opened));
    m_openedAt = time;
}

void LivePictures::cameraStopped()
{
    m_feed.reset();
}

kit::CGImageRef LivePictures::pictureAt(double time)
{
    if (m_feed) {
        if (auto picture = m_feed->pictureAt(std::max(0.0, time - m_openedAt)))
            m_last = std::move(picture);
        if (m_feed->failure() && !m_problem) {
            m_problem = "the camera source " + m_input.format + ":" + m_input.url + " stopped (" + *m_feed->failure()
                + "); its last picture stays";
            m_feed.reset();
        }
    }
    return m_last;
}

std::optional<std::string> LivePictures::takeProblem()
{
    if (m_problemTold || !m_problem)
        return std::nullopt;
    m_problemTold = true;
    return m_problem;
}

}
