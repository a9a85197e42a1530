#pragma once

#include "kit/ui/UIImage.h"

namespace kit {

// The EXIF orientation tag (1 to 8) as the image orientation that shows the
// pixels upright; anything else is Up.
UIImageOrientation imageOrientationFromExif(int exifOrientation);

// UIImage reads JPEG files as the platform does: the pixels as stored, shown
// the way the EXIF orientation says. Registered when the library is loaded.

}
