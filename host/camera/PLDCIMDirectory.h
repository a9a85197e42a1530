#pragma once

#include "kit/runtime/Object.h"

#include <string>

namespace host {

// The camera's photo folder, "/var/mobile/Media/DCIM", whose sub-folders
// "100APPLE", "101APPLE", ... hold "IMG_0001.JPG" to "IMG_9999.JPG" (photos
// and movies share the numbers). The next file continues after the highest
// number found, across runs, counting files still being written (a movie
// while it records); after 9999 the next folder starts at 0001.
class PLDCIMDirectory final : public kit::Object {
    KIT_OBJECT(PLDCIMDirectory, kit::Object)

public:
    static constexpr const char* devicePath = "/var/mobile/Media/DCIM";

    // The device path of the next file with the extension (without its dot),
    // e.g. "/var/mobile/Media/DCIM/100APPLE/IMG_0001.JPG".
    static std::string nextAvailableDevicePath(const std::string& extension);
    // The same as a file URL: "file:///var/mobile/Media/DCIM/100APPLE/IMG_0001.JPG".
    std::string nextAvailableFileURLWithExtension(std::string extension);

    static void registerRuntimeMethods();
};

}
