#include "kit/ui/CGBitmapContext.h"

#include "kit/foundation/SystemLog.h"

namespace kit {

CGContextRef CGBitmapContextCreate(void* data, size_t width, size_t height, size_t bitsPerComponent, size_t bytesPerRow,
    const CGColorSpaceRef&, uint32_t)
{
    if (bytesPerRow == 0)
        bytesPerRow = width * 4;
    bool fits = width > 0 && height > 0 && width <= 65536 && height <= 65536 && bitsPerComponent == 8
        && bytesPerRow >= width * 4 && bytesPerRow % 4 == 0 && bytesPerRow <= (1u << 30);
    CGContextRef context;
    if (fits) {
        auto flip = CGAffineTransformMake(1, 0, 0, -1, 0, CGFloat(height));
        context = data ? CGContext::createOnMemory(static_cast<uint8_t*>(data), int(width), int(height), int(bytesPerRow), flip)
                       : CGContext::create(int(width), int(height), flip);
    }
    if (!context)
        logf("CGBitmapContextCreate: unsupported bitmap (%zux%zu, %zu bits per component, %zu bytes per row)", width, height, bitsPerComponent, bytesPerRow);
    return context;
}

void* CGBitmapContextGetData(const CGContextRef& context)
{
    return context ? context->data() : nullptr;
}

size_t CGBitmapContextGetWidth(const CGContextRef& context)
{
    return context ? size_t(context->width()) : 0;
}

size_t CGBitmapContextGetHeight(const CGContextRef& context)
{
    return context ? size_t(context->height()) : 0;
}

size_t CGBitmapContextGetBytesPerRow(const CGContextRef& context)
{
    return context ? size_t(context->bytesPerRow()) : 0;
}

CGImageRef CGBitmapContextCreateImage(const CGContextRef& context)
{
    return context ? context->makeImage() : nullptr;
}

}
