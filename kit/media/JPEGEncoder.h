#pragma once

#include "kit/foundation/PropertyList.h"
#include "kit/ui/CGImage.h"

#include <optional>

namespace kit {

class ExifMetadata;

// Encodes an image as a JPEG file. Quality runs from 0 (smallest) to 1
// (best; from 0.9 on, colour is kept at full resolution); values outside are
// clamped. Alpha is dropped: the premultiplied pixels are taken as they are,
// as if drawn over black. With metadata, the file carries that EXIF block
// instead of a JFIF header. Nothing (and one log line) if encoding fails.
std::optional<Data> encodeJPEG(const CGImage&, double quality, const ExifMetadata* metadata = nullptr);

}
