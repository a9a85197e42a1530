#pragma once

#include "kit/foundation/PropertyList.h"
#include "kit/runtime/Object.h"

#include <cstddef>
#include <memory>
#include <string_view>

namespace kit {

inline constexpr std::string_view kIOSurfaceAllocSize = "IOSurfaceAllocSize";

// A block of memory that can travel between processes on the device; here,
// a zero-filled buffer of a fixed size. It is an object so that it can ride
// in a photo dictionary.
class IOSurface final : public Object {
    KIT_OBJECT(IOSurface, Object)

public:
    explicit IOSurface(size_t size) : m_bytes(size) { }

    void* baseAddress() { return m_bytes.data(); }
    size_t allocSize() const { return m_bytes.size(); }

    // Larger surfaces are refused.
    static constexpr size_t maximumAllocSize = size_t(1) << 30;

private:
    Data m_bytes;
};

using IOSurfaceRef = std::shared_ptr<IOSurface>;

// The properties must hold "IOSurfaceAllocSize" as a positive integer (a
// real with a whole value is taken too); nothing otherwise, or when the size
// exceeds IOSurface::maximumAllocSize.
IOSurfaceRef IOSurfaceCreate(const PropertyList::Dictionary& properties);
// Null and 0 for no surface, as for a message to nil.
void* IOSurfaceGetBaseAddress(const IOSurfaceRef&);
size_t IOSurfaceGetAllocSize(const IOSurfaceRef&);

}
