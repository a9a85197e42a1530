#include "kit/media/CVPixelBuffer.h"

namespace kit {

CVReturn CVPixelBuffer::lock()
{
    ++m_lockCount;
    return kCVReturnSuccess;
}

CVReturn CVPixelBuffer::unlock()
{
    if (m_lockCount == 0)
        return kCVReturnInvalidArgument;
    --m_lockCount;
    return kCVReturnSuccess;
}

CVReturn CVPixelBufferCreate(const void*, size_t width, size_t height, OSType pixelFormatType,
    const PropertyList::Dictionary*, CVPixelBufferRef* pixelBufferOut)
{
    if (!pixelBufferOut)
        return kCVReturnInvalidArgument;
    *pixelBufferOut = nullptr;
    if (pixelFormatType != kCVPixelFormatType_32ARGB && pixelFormatType != kCVPixelFormatType_32BGRA)
        return kCVReturnInvalidPixelFormat;
    if (width == 0 || height == 0 || width > size_t(INT32_MAX) || height > size_t(INT32_MAX))
        return kCVReturnInvalidSize;
    auto pixels = CGImage::create(int(width), int(height));
    if (!pixels)
        return kCVReturnInvalidSize; // beyond the largest bitmap kit makes
    *pixelBufferOut = std::make_shared<CVPixelBuffer>(std::move(pixels), pixelFormatType);
    return kCVReturnSuccess;
}

CVReturn CVPixelBufferLockBaseAddress(const CVPixelBufferRef& buffer, CVOptionFlags)
{
    return buffer ? buffer->lock() : kCVReturnInvalidArgument;
}

CVReturn CVPixelBufferUnlockBaseAddress(const CVPixelBufferRef& buffer, CVOptionFlags)
{
    return buffer ? buffer->unlock() : kCVReturnInvalidArgument;
}

void* CVPixelBufferGetBaseAddress(const CVPixelBufferRef& buffer)
{
    return buffer ? buffer->baseAddress() : nullptr;
}

size_t CVPixelBufferGetWidth(const CVPixelBufferRef& buffer)
{
    return buffer ? buffer->width() : 0;
}

size_t CVPixelBufferGetHeight(const CVPixelBufferRef& buffer)
{
    return buffer ? buffer->height() : 0;
}

size_t CVPixelBufferGetBytesPerRow(const CVPixelBufferRef& buffer)
{
    return buffer ? buffer->bytesPerRow() : 0;
}

OSType CVPixelBufferGetPixelFormatType(const CVPixelBufferRef& buffer)
{
    return buffer ? buffer->pixelFormatType() : 0;
}

}
