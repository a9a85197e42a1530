// Feeds arbitrary bytes to the PNG decoder, as image files from the device
// and the settings bundle reach it; whatever it decodes must encode and
// decode again to the same pixels.

#include "kit/ui/PNGCodec.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto image = kit::PNGCodec::decode(std::span<const uint8_t>(data, size));
    if (!image)
        return 0;
    auto bytes = kit::PNGCodec::encode(*image);
    if (!bytes)
        std::abort();
    auto again = kit::PNGCodec::decode(*bytes);
    if (!again || again->width() != image->width() || again->height() != image->height())
        std::abort();
    return 0;
}
