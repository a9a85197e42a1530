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

// One camera of a model. Formats are in the order the device lists them:
// video sizes from small to large, several formats of one size by rising
// rate, the still-photo size last.
struct CameraSpec {
    std::vector<CameraFormatSpec> formats;
    // The format active when the camera starts: its largest plain video size.
    size_t initialFormat { 0 };
    bool hasAutofocus { false };
    bool hasTorch { false };
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
