// Feeds arbitrary bytes to the settings-file reader and the colour
// unarchiver; whatever they accept must also survive a write and re-read.

#include "kit/foundation/ColorArchive.h"
#include "kit/foundation/PropertyListSerialization.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::span<const uint8_t> bytes(data, size);
    if (auto value = kit::parsePropertyList(bytes)) {
        auto xml = kit::serializePropertyListXml(*value);
        auto again = kit::parsePropertyList(std::span(reinterpret_cast<const uint8_t*>(xml.data()), xml.size()));
        if (!again)
            std::abort();
        kit::parsePropertyList(kit::serializePropertyListBinary(*value));
    }
    kit::unarchiveColor(bytes);
    return 0;
}
