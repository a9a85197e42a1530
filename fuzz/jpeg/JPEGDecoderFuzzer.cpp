// Any bytes, as a photo from the camera or a file: the decoder and the EXIF
// reader must answer an error or a result, never crash, hang or take
// unbounded memory. Rewriting a block that was read must work too.
#include "kit/media/ExifMetadata.h"
#include "kit/media/JPEGDecoder.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::span<const uint8_t> bytes(data, size);
    // A lower pixel limit than the real one keeps each run quick; the checks
    // are the same.
    auto decoded = kit::decodeJPEG(bytes, { .maximumPixels = 4'000'000, .maximumScans = 500 });
    if (decoded && (decoded.image->width() <= 0 || decoded.image->height() <= 0))
        __builtin_trap();
    if (auto metadata = kit::ExifMetadata::readFromJPEG(bytes)) {
        (void)metadata->orientation();
        metadata->setOrientation(1);
        (void)metadata->writeToJPEG(bytes);
    }
    return 0;
}
