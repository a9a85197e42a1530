#include "kit/media/JPEGImage.h"

#include "kit/media/ExifMetadata.h"
#include "kit/media/JPEGDecoder.h"
#include "kit/media/JPEGEncoder.h"

namespace kit {

UIImageOrientation imageOrientationFromExif(int exifOrientation)
{
    switch (exifOrientation) {
    case 2: return UIImageOrientationUpMirrored;
    case 3: return UIImageOrientationDown;
    case 4: return UIImageOrientationDownMirrored;
    case 5: return UIImageOrientationLeftMirrored;
    case 6: return UIImageOrientationRight;
    case 7: return UIImageOrientationRightMirrored;
    case 8: return UIImageOrientationLeft;
    default: return UIImageOrientationUp;
    }
}

std::optional<Data> UIImageJPEGRepresentation(const std::shared_ptr<UIImage>& image, double quality)
{
    if (!image || !image->CGImage())
        return std::nullopt;
    return encodeJPEG(*image->CGImage(), quality);
}

namespace {

std::optional<UIImage::Decoded> decodeJPEGImage(std::span<const uint8_t> bytes)
{
    auto decoded = decodeJPEG(bytes);
    if (!decoded)
        return std::nullopt;
    int exif = 1;
    if (auto metadata = ExifMetadata::readFromJPEG(bytes))
        exif = metadata->orientation().value_or(1);
    return UIImage::Decoded { std::move(decoded.image), imageOrientationFromExif(exif) };
}

[[maybe_unused]] const bool jpegDecoderAdded = [] {
    UIImage::addDecoder(&decodeJPEGImage);
    return true;
}();

}

}
