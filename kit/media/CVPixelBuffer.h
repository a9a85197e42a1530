#pragma once

#include "kit/foundation/PropertyList.h"
#include "kit/ui/CGImage.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

namespace kit {

using CVReturn = int32_t;
using OSType = uint32_t;
using CVOptionFlags = uint64_t;

constexpr CVReturn kCVReturnSuccess = 0;
constexpr CVReturn kCVReturnInvalidArgument = -6661;
constexpr CVReturn kCVReturnAllocationFailed = -6662;
constexpr CVReturn kCVReturnInvalidPixelFormat = -6680;
constexpr CVReturn kCVReturnInvalidSize = -6681;

constexpr OSType kCVPixelFormatType_32ARGB = 0x00000020;
constexpr OSType kCVPixelFormatType_32BGRA = 0x42475241; // 'BGRA'

constexpr CVOptionFlags kCVPixelBufferLock_ReadOnly = 1;

inline constexpr std::string_view kCVPixelBufferCGImageCompatibilityKey = "CGImageCompatibility";
inline constexpr std::string_view kCVPixelBufferCGBitmapContextCompatibilityKey = "CGBitmapContextCompatibility";
inline constexpr std::string_view kCVPixelBufferPixelFormatTypeKey = "PixelFormatType";
inline constexpr std::string_view kCVPixelBufferWidthKey = "Width";
inline constexpr std::string_view kCVPixelBufferHeightKey = "Height";

// A frame of pixels for a movie. Whatever 32-bit format the caller names,
// the memory is kept as kit's one bitmap format (CGImage.h: premultiplied
// native-endian 0xAARRGGBB, rows of exactly 4 x width bytes), so a bitmap
// context made over the base address draws straight into it.
//
// The base address is there only while the buffer is locked, as on the
// platform; locks nest.
class CVPixelBuffer final {
public:
    CVPixelBuffer(CGImageRef pixels, OSType format) : m_pixels(std::move(pixels)), m_format(format) { }

    size_t width() const { return size_t(m_pixels->width()); }
    size_t height() const { return size_t(m_pixels->height()); }
    size_t bytesPerRow() const { return size_t(m_pixels->bytesPerRow()); }
    OSType pixelFormatType() const { return m_format; }

    CVReturn lock();
    CVReturn unlock();
    bool isLocked() const { return m_lockCount > 0; }
    // Null while unlocked.
    void* baseAddress() { return isLocked() ? m_pixels->mutableData() : nullptr; }

    // The pixels, for readers that need no lock (the movie writer, tests).
    const CGImage& pixels() const { return *m_pixels; }

private:
    CGImageRef m_pixels;
    OSType m_format;
    int m_lockCount { 0 };
};

using CVPixelBufferRef = std::shared_ptr<CVPixelBuffer>;

// Makes a zero-filled (transparent black) buffer. 32ARGB and 32BGRA are
// accepted; the attributes (the CG-compatibility keys) are read but change
// nothing, since every buffer is compatible. The allocator is ignored.
CVReturn CVPixelBufferCreate(const void* allocator, size_t width, size_t height, OSType pixelFormatType,
    const PropertyList::Dictionary* pixelBufferAttributes, CVPixelBufferRef* pixelBufferOut);

CVReturn CVPixelBufferLockBaseAddress(const CVPixelBufferRef&, CVOptionFlags lockFlags);
CVReturn CVPixelBufferUnlockBaseAddress(const CVPixelBufferRef&, CVOptionFlags unlockFlags);
void* CVPixelBufferGetBaseAddress(const CVPixelBufferRef&);
size_t CVPixelBufferGetWidth(const CVPixelBufferRef&);
size_t CVPixelBufferGetHeight(const CVPixelBufferRef&);
size_t CVPixelBufferGetBytesPerRow(const CVPixelBufferRef&);
OSType CVPixelBufferGetPixelFormatType(const CVPixelBufferRef&);
// Buffers are shared pointers; releasing is dropping the reference.
inline void CVPixelBufferRelease(CVPixelBufferRef& buffer) { buffer.reset(); }

}
