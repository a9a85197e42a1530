#include "kit/media/ExifCapture.h"

#include <cmath>

namespace kit {

namespace {

// The platform's names for the values, as ImageIO spells them.
constexpr const char* exposureTimeKey = "ExposureTime";
constexpr const char* fNumberKey = "FNumber";
constexpr const char* exposureProgramKey = "ExposureProgram";
constexpr const char* isoSpeedRatingsKey = "ISOSpeedRatings";
constexpr const char* meteringModeKey = "MeteringMode";
constexpr const char* flashKey = "Flash";
constexpr const char* focalLengthKey = "FocalLength";
constexpr const char* subjectAreaKey = "SubjectArea";
constexpr const char* whiteBalanceKey = "WhiteBalance";
constexpr const char* focalLengthIn35mmFilmKey = "FocalLenIn35mmFilm";

std::optional<double> positive(const PropertyList::Dictionary& dictionary, const char* key)
{
    auto it = dictionary.find(key);
    auto value = it == dictionary.end() ? std::nullopt : it->second.numberValue();
    if (!value || !std::isfinite(*value) || *value <= 0)
        return std::nullopt;
    return value;
}

// A SHORT of the EXIF block: 0 to 65535.
std::optional<int> shortValue(const PropertyList& value)
{
    auto number = value.numberValue();
    if (!number || !std::isfinite(*number) || *number < 0 || *number > 65535)
        return std::nullopt;
    return int(std::lround(*number));
}

std::optional<int> shortValue(const PropertyList::Dictionary& dictionary, const char* key)
{
    auto it = dictionary.find(key);
    return it == dictionary.end() ? std::nullopt : shortValue(it->second);
}

}

ExifCapture ExifCapture::fromProperties(const PropertyList::Dictionary& exif)
{
    ExifCapture capture;
    capture.exposureTime = positive(exif, exposureTimeKey);
    capture.fNumber = positive(exif, fNumberKey);
    capture.exposureProgram = shortValue(exif, exposureProgramKey);
    // The ISO speeds are a list; the camera's is the first.
    if (auto it = exif.find(isoSpeedRatingsKey); it != exif.end() && it->second.array() && !it->second.array()->empty())
        capture.isoSpeed = shortValue(it->second.array()->front());
    capture.meteringMode = shortValue(exif, meteringModeKey);
    capture.flash = shortValue(exif, flashKey);
    capture.focalLength = positive(exif, focalLengthKey);
    if (auto it = exif.find(subjectAreaKey); it != exif.end() && it->second.array() && it->second.array()->size() == 4) {
        std::array<int, 4> area {};
        bool whole = true;
        for (size_t i = 0; i < 4; ++i) {
            auto value = shortValue((*it->second.array())[i]);
            whole = whole && value;
            area[i] = value.value_or(0);
        }
        if (whole)
            capture.subjectArea = area;
    }
    capture.whiteBalance = shortValue(exif, whiteBalanceKey);
    capture.focalLengthIn35mmFilm = shortValue(exif, focalLengthIn35mmFilmKey);
    return capture;
}

PropertyList::Dictionary ExifCapture::properties() const
{
    PropertyList::Dictionary exif;
    auto put = [&exif](const char* key, const auto& value) {
        if (value)
            exif[key] = *value;
    };
    put(exposureTimeKey, exposureTime);
    put(fNumberKey, fNumber);
    put(exposureProgramKey, exposureProgram);
    if (isoSpeed)
        exif[isoSpeedRatingsKey] = PropertyList::Array { *isoSpeed };
    put(meteringModeKey, meteringMode);
    put(flashKey, flash);
    put(focalLengthKey, focalLength);
    if (subjectArea)
        exif[subjectAreaKey] = PropertyList::Array { (*subjectArea)[0], (*subjectArea)[1], (*subjectArea)[2], (*subjectArea)[3] };
    put(whiteBalanceKey, whiteBalance);
    put(focalLengthIn35mmFilmKey, focalLengthIn35mmFilm);
    return exif;
}

}
