#pragma once

#include <cstdint>
#include <memory>
#include <span>

namespace kit {
class UIImage;
}

namespace host {

// The image well's picture of a photo: the JPEG decoded small (the decoder
// scales it down as it reads), then shrunk to 128 pixels on its long side,
// shown upright the way its EXIF orientation says. Nothing for bytes that
// are not a JPEG photo.
std::shared_ptr<kit::UIImage> photoThumbnail(std::span<const uint8_t> jpeg);

}
