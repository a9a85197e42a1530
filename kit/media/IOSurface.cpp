#include "kit/media/IOSurface.h"

#include "kit/foundation/SystemLog.h"
#include "kit/runtime/Class.h"

#include <cmath>

namespace kit {

KIT_REGISTER_CLASS(IOSurface);

IOSurfaceRef IOSurfaceCreate(const PropertyList::Dictionary& properties)
{
    auto entry = properties.find(kIOSurfaceAllocSize);
    if (entry == properties.end())
        return nullptr;
    auto size = entry->second.numberValue();
    if (!size || !(*size >= 1) || *size > double(IOSurface::maximumAllocSize) || std::floor(*size) != *size) {
        logf("IOSurfaceCreate: unusable %s", std::string(kIOSurfaceAllocSize).c_str());
        return nullptr;
    }
    return std::make_shared<IOSurface>(size_t(*size));
}

void* IOSurfaceGetBaseAddress(const IOSurfaceRef& surface)
{
    return surface ? surface->baseAddress() : nullptr;
}

size_t IOSurfaceGetAllocSize(const IOSurfaceRef& surface)
{
    return surface ? surface->allocSize() : 0;
}

}
