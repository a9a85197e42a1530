#pragma once

#include "kit/foundation/NSDictionary.h"

namespace host {

using kit::NSDictionary;

inline constexpr const char* kPLCameraPhotoPropertiesKey = "kPLCameraPhotoPropertiesKey";
inline constexpr const char* kPLCameraPhotoSurfaceKey = "kPLCameraPhotoSurfaceKey";
inline constexpr const char* kPLCameraPhotoSurfaceSizeKey = "kPLCameraPhotoSurfaceSizeKey";
inline constexpr const char* kPLCameraPhotoOrientationKey = "Orientation";
// In the photo's properties: what the camera did, as the platform's image
// properties name it ("{Exif}" with "ExposureTime", "ISOSpeedRatings", ...).
inline constexpr const char* kPLCameraPhotoExifKey = "{Exif}";

}
