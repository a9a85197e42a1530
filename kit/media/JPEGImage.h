#pragma once

#include "kit/foundation/PropertyList.h"
#include "kit/ui/UIImage.h"

#include <memory>
#include <optional>

namespace kit {

// The EXIF orientation tag (1 to 8) as the image orientation that shows the
// pixels upright; anything else is Up.
UIImageOrientation imageOrientationFromExif(int exifOrientation);

// The JPEG file of the image's bitmap as stored (its orientation is not
// written), at a quality from 0 to 1; nothing without an image or when
// encoding fails.
std::optional<Data> UIImageJPEGRepresentation(const std::shared_ptr<UIImage>&, double quality);

// UIImage reads JPEG files as the platform does: the pixels as stored, shown
// the way the EXIF orientation says. Registered when the library is loaded.

}
