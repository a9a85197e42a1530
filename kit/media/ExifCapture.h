#pragma once

#include "kit/foundation/PropertyList.h"

#include <array>
#include <optional>

namespace kit {

// What the camera did for a photo, as the EXIF sub-IFD records it. Unset
// values are neither written nor changed.
struct ExifCapture {
    std::optional<double> exposureTime; // seconds
    std::optional<double> fNumber;
    std::optional<int> exposureProgram; // 2: the camera's normal program
    std::optional<int> isoSpeed;
    std::optional<int> meteringMode; // 5: pattern
    std::optional<int> flash; // the EXIF flash bits: fired, return, mode, function
    std::optional<double> focalLength; // millimetres
    // The main subject as centre x, centre y, width and height, in the
    // stored picture's pixels.
    std::optional<std::array<int, 4>> subjectArea;
    std::optional<int> whiteBalance; // 0 automatic, 1 manual
    std::optional<int> focalLengthIn35mmFilm; // millimetres

    bool operator==(const ExifCapture&) const = default;

    // From and to the platform's "{Exif}" image-properties dictionary
    // ("ExposureTime", "ISOSpeedRatings", "SubjectArea", ...). Keys it does
    // not know, and values of another kind or out of range, are skipped.
    static ExifCapture fromProperties(const PropertyList::Dictionary&);
    PropertyList::Dictionary properties() const;
};

}
