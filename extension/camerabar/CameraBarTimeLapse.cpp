// The movie of a time-lapse series, made from the files the photo-library
// hook collected in timeLapseNames.

#include "extension/camerabar/CameraBar.h"

#include "extension/camerabar/TimeLapseMovieExport.h"
#include "extension/hooks/HookSupport.h"
#include "kit/foundation/RunLoop.h"

namespace vantor {

void CameraBar::exportImages()
{
    // The export normally runs on its own background queue while the main
    // thread owns the camera bar. The series was stopped a second before and
    // a new one needs a whole interval before its first photo, so the list is
    // copied now and the camera bar is touched again only on the main thread.
    auto series = m_timeLapseNames;
    if (!series || series->empty())
        return;
    std::vector<std::string> photos = *series;

    TimeLapseMovieExport::exportImagesEx(photos, cameraRollFolder());

    // The series is done whether or not a movie came of it; photos that a
    // new series added to the same list meanwhile stay for that series.
    auto forget = [weakBar = std::weak_ptr<CameraBar>(strongRef<CameraBar>()), series, count = photos.size()] {
        auto bar = weakBar.lock();
        if (!bar || bar->m_timeLapseNames != series)
            return;
        if (series->size() <= count)
            bar->m_timeLapseNames.reset();
        else
            series->erase(series->begin(), series->begin() + std::ptrdiff_t(count));
    };
    auto& loop = kit::RunLoop::main();
    if (loop.isMainThread())
        forget();
    else
        loop.post(std::move(forget));
}

}
