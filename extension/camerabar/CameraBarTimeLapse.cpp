// The movie of a time-lapse series, made from the files the photo-library
// hook collected in timeLapseNames.

#include "extension/camerabar/CameraBar.h"

#include "extension/camerabar/TimeLapseMovieExport.h"
#include "extension/hooks/HookSupport.h"

#include "kit/foundation/Dispatch.h"

#include <utility>

namespace vantor {

namespace {

// The export starts a second after it is asked for, on a queue of its own.
constexpr int64_t exportDelayNanoseconds = 1'000'000'000;

}

std::vector<std::string> CameraBar::takeTimeLapseSeries()
{
    // The series is done whether or not a movie comes of it.
    auto series = std::exchange(m_timeLapseNames, nullptr);
    return series ? std::move(*series) : std::vector<std::string> {};
}

void CameraBar::exportImages()
{
    auto photos = takeTimeLapseSeries();
    if (!photos.empty())
        TimeLapseMovieExport::exportImagesEx(photos, cameraRollFolder());
}

void CameraBar::exportImagesLater()
{
    // Everything the export needs is taken now, on the main thread: it runs
    // without the camera bar, which may have ended by then.
    auto photos = takeTimeLapseSeries();
    if (photos.empty())
        return;
    auto queue = kit::dispatch_queue_create("com.tallberry.backgroundDelay");
    kit::dispatch_after(kit::dispatch_time(kit::DISPATCH_TIME_NOW, exportDelayNanoseconds), queue,
        [photos = std::move(photos), folder = cameraRollFolder()] {
            TimeLapseMovieExport::exportImagesEx(photos, folder);
        });
}

}
