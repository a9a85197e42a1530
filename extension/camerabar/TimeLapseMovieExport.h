#pragma once

#include "kit/media/CVPixelBuffer.h"
#include "kit/ui/AffineTransform.h"
#include "kit/ui/Geometry.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kit {
class UIImage;
}

namespace vantor {

// Turns the photos of a time-lapse series into one movie: H.264 in a
// QuickTime file of 1080 x 1920, three frames per second, frame i (counting
// every listed photo, readable or not) at i/3 s. Each photo is decoded,
// drawn upright into a pixel buffer of the first photo's decoded size,
// appended and released before the next one, so memory stays bounded by one
// frame. Photos are decoded no larger than the movie frame needs (see
// loadPhoto).
//
// The photos are only read, never moved or deleted. Runs on any thread; the
// album's completion comes on the main queue.
class TimeLapseMovieExport {
public:
    static constexpr int32_t framesPerSecond = 3;
    static constexpr int movieWidth = 1080;
    static constexpr int movieHeight = 1920;
    static constexpr const char* movieExtension = ".MOV";

    // "Movie-" + the local time as "ddMMyyyy-hhmmss" (hour on the 12-hour
    // clock, no day-half marker) + the extension, which includes its dot.
    // The time is the main run loop's clock (virtual in tests).
    static std::string generateFileNameWithExtension(const std::string& extension);
    // The device path for a new movie in folder: the generated name, or, when
    // a file of that name exists (the 12-hour clock names a movie of 2 pm
    // and one of 2 am alike), the same name with "-2", "-3", ... before the
    // extension, so an earlier movie is never overwritten.
    static std::string uniqueMoviePath(const std::string& folder);

    // The transform that draws the image's bitmap upright into a bitmap
    // context of the image's (turned) size; identity for an upright image.
    static kit::CGAffineTransform fixOrientation(const kit::UIImage&);
    // A 32-bit ARGB buffer of the size (truncated to whole pixels) with the
    // image drawn through the transform: in (0, 0, h, w) for the turned
    // orientations, else (0, 0, w, h). Owned by the caller; nothing when no
    // buffer of that size can be made.
    static kit::CVPixelBufferRef pixelBufferFromCGImage(
        const kit::UIImage&, kit::CGSize, kit::CGAffineTransform);
    // A JPEG photo at a device path, with its EXIF orientation, decoded at
    // the smallest eighth of its size (1/8 to 8/8, in the DCT) that still
    // fills the movie frame when shown upright; nothing, and one log line,
    // when it is missing, damaged or not a JPEG.
    static std::shared_ptr<kit::UIImage> loadPhoto(const std::string& devicePath);

    // Writes the movie of the photos into folder (a device path) and answers
    // the movie's device path. Nothing, one log line and no file left behind
    // when there are no photos, the first photo cannot be read (the frames'
    // size and orientation are unknown), the writer cannot be made or
    // started, or it fails while writing. Unreadable later photos are
    // skipped, their third of a second stays empty.
    static std::optional<std::string> exportImages(const std::vector<std::string>& photos, const std::string& folder);
    // exportImages, then the movie goes to the saved-photos album when it is
    // compatible; the album's answer is logged.
    static void exportImagesEx(const std::vector<std::string>& photos, const std::string& folder);
    // Copies a movie into the saved-photos album (ALAssetsLibrary, found by
    // name), logging the asset's address or the error.
    static void saveToAlbum(const std::string& moviePath);
};

}
