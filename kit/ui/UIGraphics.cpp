#include "kit/ui/UIGraphics.h"

#include "kit/foundation/SystemLog.h"
#include "kit/ui/UIImage.h"
#include "kit/ui/UIScreen.h"

#include <cmath>
#include <vector>

namespace kit {

namespace {

struct Entry {
    CGContextRef context;
    bool isImageContext { false };
    CGFloat scale { 1 };
};

std::vector<Entry>& stack()
{
    thread_local std::vector<Entry> entries;
    return entries;
}

int pixelsFor(CGFloat points, CGFloat scale)
{
    // A hair of tolerance so that 100.00000001 points stay 100 pixels.
    CGFloat pixels = std::ceil(points * scale - 1e-6);
    return pixels > 0 && pixels < 65536 ? int(pixels) : 0;
}

}

void UIGraphicsBeginImageContextWithOptions(CGSize size, bool, CGFloat scale)
{
    if (!(scale > 0))
        scale = UIScreen::mainScreen()->scale();
    int width = pixelsFor(size.width, scale);
    int height = pixelsFor(size.height, scale);
    auto context = width && height ? CGContext::create(width, height, CGAffineTransformMakeScale(scale, scale)) : nullptr;
    if (!context) {
        logf("UIGraphicsBeginImageContext: invalid size %s at scale %g", NSStringFromCGSize(size).c_str(), scale);
        return;
    }
    stack().push_back({ std::move(context), true, scale });
}

void UIGraphicsBeginImageContext(CGSize size)
{
    UIGraphicsBeginImageContextWithOptions(size, false, 1);
}

CGContextRef UIGraphicsGetCurrentContext()
{
    return stack().empty() ? nullptr : stack().back().context;
}

std::shared_ptr<UIImage> UIGraphicsGetImageFromCurrentImageContext()
{
    if (stack().empty() || !stack().back().isImageContext)
        return nullptr;
    const auto& top = stack().back();
    return UIImage::imageWithCGImage(top.context->makeImage(), top.scale);
}

void UIGraphicsEndImageContext()
{
    if (stack().empty() || !stack().back().isImageContext) {
        logf("UIGraphicsEndImageContext: the current context is not an image context");
        return;
    }
    stack().pop_back();
}

void UIGraphicsPushContext(const CGContextRef& context)
{
    // Even nothing is pushed, so that pushes and pops stay paired.
    stack().push_back({ context, false, 1 });
}

void UIGraphicsPopContext()
{
    if (stack().empty() || stack().back().isImageContext)
        return;
    stack().pop_back();
}

}
