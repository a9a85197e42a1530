#include "hardware/camera/CaptureReport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace hardware {

namespace {

// The EXIF flash value: fired in bit 0, the mode in bits 3 and 4 (1 on,
// 2 off, 3 automatic), bit 5 for a camera without a flash.
int flashValue(const CaptureReport& report)
{
    if (!report.hasFlash)
        return 0x20;
    int mode = report.flashMode == 1 ? 1 : report.flashMode == 2 ? 3 : 2;
    return (mode << 3) | (report.flashFired ? 1 : 0);
}

}

kit::ExifCapture CaptureReport::exif() const
{
    kit::ExifCapture exif;
    exif.exposureTime = exposureTime;
    exif.fNumber = fNumber;
    exif.exposureProgram = 2;
    exif.isoSpeed = int(std::lround(iso));
    exif.meteringMode = 5;
    exif.flash = flashValue(*this);
    exif.focalLength = focalLength;
    int side = std::max(1, int(std::lround(focusArea * width)));
    exif.subjectArea = std::array<int, 4> { int(std::lround(focusX * width)), int(std::lround(focusY * height)), side, side };
    exif.whiteBalance = whiteBalanceLocked ? 1 : 0;
    exif.focalLengthIn35mmFilm = focalLengthIn35mmFilm;
    return exif;
}

std::string describeExposureTime(double seconds)
{
    char text[32];
    if (seconds > 0 && seconds < 0.5)
        std::snprintf(text, sizeof text, "1/%ld s", std::lround(1 / seconds));
    else
        std::snprintf(text, sizeof text, "%.1f s", seconds);
    return text;
}

std::string CaptureReport::summary() const
{
    char text[96];
    std::snprintf(text, sizeof text, "%s ISO %ld f/%.1f", describeExposureTime(exposureTime).c_str(), std::lround(iso), fNumber);
    std::string result = text;
    if (hasFlash)
        result += flashFired ? ", flash fired" : ", no flash";
    return result;
}

}
