#pragma once

#include "kit/foundation/PropertyList.h"
#include "kit/media/ExifCapture.h"

#include <span>
#include <string>

namespace host {

// Puts a captured JPEG into the camera roll: the EXIF block gets the
// orientation, the date taken (the simulated clock's), make "Apple", the
// model and what the camera did, and the file goes to the next free DCIM
// name. The file is written
// under a temporary name and moved into place only when whole, so a full
// disk or a failed write leaves no partial photo behind.
class PhotoSaver {
public:
    struct Result {
        bool saved { false };
        std::string devicePath; // of the new photo
        std::string error;      // why not, for a person
    };

    static Result save(
        std::span<const uint8_t> jpeg, int exifOrientation, const std::string& model, const kit::ExifCapture& = {});
};

}
