#pragma once

#include "kit/foundation/ProcessIdentity.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kit {

// One capture format a camera offers: frame size in pixels and the frame
// rates (frames per second) it can run at.
struct CameraFormatSpec {
    int width { 0 };
    int height { 0 };
    double minFrameRate { 0 };
    double maxFrameRate { 0 };
};

// A camera's lens and sensor, from the model's published figures.
struct CameraOptics {
    double focalLength { 4.0 }; // millimetres
    double fNumber { 2.4 };
    // Micrometres between pixels at the still-photo size: the still's width
    // times this is the sensor's width.
    double pixelPitch { 1.4 };
    // The sensor's gain range, as ISO speeds.
    int minISO { 50 };
    int maxISO { 800 };
    // Seconds; the longest exposure is the active frame duration.
    double shortestExposure { 1.0 / 20000 };
};

// One camera of a model. Formats are in the order the device lists them:
// video sizes from small to large, several formats of one size by rising
// rate, the still-photo size last.
struct CameraSpec {
    std::vector<CameraFormatSpec> formats;
    // The format active when the camera starts: its largest plain video size.
    size_t initialFormat { 0 };
    bool hasAutofocus { false };
    // The light beside the lens, a torch for video and a flash for stills.
    bool hasTorch { false };
    CameraOptics optics;
};

// A hardware model the system knows, as the products and the host see it.
// Screen sizes are in points, portrait (the width is the short side).
//
// Whether a model answers the idiom query: every model that can run a system
// with userInterfaceIdiom (3.2 and later) answers; the first iPhone and the
// first iPod touch, whose last system is 3.1.3, do not. The simulator is a
// 4-inch phone without cameras or motion sensors, as the platform's simulator
// is.
struct DeviceProfile {
    std::string model;
    double screenWidth { 320 };
    double screenHeight { 480 };
    double screenScale { 1 };
    int idiom { 0 }; // 0 phone, 1 pad
    bool answersIdiomQuery { true };
    std::optional<CameraSpec> backCamera;
    std::optional<CameraSpec> frontCamera;
    bool deviceMotionAvailable { false };

    // Every known model, each once, in the order of the model table.
    static const std::vector<DeviceProfile>& all();
    // Nothing for a model the table does not know.
    static const DeviceProfile* forModel(std::string_view model);
    // The profile of the process's machine (ProcessIdentity), or nothing.
    static const DeviceProfile* current();

    // The identity of a process running on this model.
    ProcessIdentity processIdentity(std::string bundleIdentifier) const;
};

}
