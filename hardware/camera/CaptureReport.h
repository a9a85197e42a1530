#pragma once

#include "kit/media/ExifCapture.h"

#include <string>

namespace hardware {

// What the camera did for a frame, as a photo's EXIF records it.
struct CaptureReport {
    double exposureTime { 0 }; // seconds
    double iso { 0 };
    double fNumber { 0 };
    double focalLength { 0 }; // mm
    int focalLengthIn35mmFilm { 0 };
    bool hasFlash { false };
    int flashMode { 0 }; // the device's: 0 off, 1 on, 2 automatic
    bool flashFired { false };
    bool whiteBalanceLocked { false };
    double whiteBalanceKelvin { 5500 };
    double focusNearness { 0 }; // dioptres the lens stood at
    // The focus point and the side of the area focused on, as fractions of
    // the frame (x, y) and of its width.
    double focusX { 0.5 }, focusY { 0.5 }, focusArea { 0.1 };
    // The frame's size in pixels.
    int width { 0 }, height { 0 };

    // As the platform's camera writes it: exposure, ISO, f-number, focal
    // lengths, pattern metering, flash, white balance (manual once locked)
    // and the subject area in the frame's pixels.
    kit::ExifCapture exif() const;
    // "1/250 s ISO 32 f/2.2" and how the flash went, for a person.
    std::string summary() const;
};

// An exposure time as a photographer writes it: "1/250 s", "0.5 s".
std::string describeExposureTime(double seconds);

}
