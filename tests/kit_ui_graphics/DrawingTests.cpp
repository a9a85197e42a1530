#include "PixelHelpers.h"

#include "kit/ui/CGBitmapContext.h"
#include "kit/ui/CGGradient.h"
#include "kit/ui/CGImageFunctions.h"
#include "kit/ui/UIColor.h"
#include "kit/ui/UIGraphics.h"
#include "kit/ui/UIImage.h"

#include <gtest/gtest.h>

#include <cairo.h>
#include <numbers>

using namespace kit;
using namespace testing_pixels;

namespace {

// A bitmap with a red top row and a blue bottom row (row 0 is the top).
CGImageRef redOverBlue(int width = 4, int height = 2)
{
    auto image = CGImage::create(width, height);
    auto* words = reinterpret_cast<uint32_t*>(image->mutableData());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            words[y * width + x] = y < height / 2 ? 0xffff0000 : 0xff0000ff;
    return image;
}

CGContextRef uiContext(int width, int height)
{
    return CGContext::create(width, height, CGAffineTransformIdentity);
}

}

TEST(BitmapContext, DrawsIntoCallerMemoryWithABottomLeftOrigin)
{
    std::vector<uint32_t> memory(8 * 4, 0);
    auto context = CGBitmapContextCreate(memory.data(), 8, 4, 8, 32, CGColorSpaceCreateDeviceRGB(), kCGImageAlphaNoneSkipFirst);
    ASSERT_TRUE(context);
    CGContextSetRGBFillColor(context, 0, 1, 0, 1);
    // The bottom row in user space is the last row in memory.
    CGContextFillRect(context, CGRectMake(0, 0, 8, 1));
    EXPECT_EQ(memory[3 * 8 + 2], 0xff00ff00u);
    EXPECT_EQ(memory[0], 0u);

    EXPECT_FALSE(CGBitmapContextCreate(memory.data(), 8, 4, 16, 64, CGColorSpaceCreateDeviceRGB(), 0));
    EXPECT_FALSE(CGBitmapContextCreate(memory.data(), 8, 4, 8, 30, CGColorSpaceCreateDeviceRGB(), 0));
    EXPECT_FALSE(CGBitmapContextCreate(nullptr, 0, 4, 8, 0, CGColorSpaceCreateDeviceRGB(), 0));
}

TEST(BitmapContext, DrawImageShowsTheImageUpright)
{
    auto context = CGBitmapContextCreate(nullptr, 4, 2, 8, 0, CGColorSpaceCreateDeviceRGB(), kCGImageAlphaPremultipliedFirst);
    CGContextDrawImage(context, CGRectMake(0, 0, 4, 2), redOverBlue());
    EXPECT_EQ(pixelAt(context, 1, 0), 0xffff0000u);
    EXPECT_EQ(pixelAt(context, 1, 1), 0xff0000ffu);

    auto copy = CGBitmapContextCreateImage(context);
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->pixel(1, 0), 0xffff0000u);
}

TEST(BitmapContext, PortraitTransformTurnsAnImageAsThePlatformDoes)
{
    // A landscape 4 x 2 image drawn into a 2 x 4 buffer through
    // translate(h, 0) then rotate(pi/2), drawn in (0, 0, w, h) of the turned
    // space: (x, y) goes to (2 - y, x), so the image's top row (y from 1 to 2
    // in the bottom-left space) lands in the left column of the buffer.
    auto context = CGBitmapContextCreate(nullptr, 2, 4, 8, 8, CGColorSpaceCreateDeviceRGB(), kCGImageAlphaNoneSkipFirst);
    auto transform = CGAffineTransformRotate(CGAffineTransformMakeTranslation(2, 0), std::numbers::pi / 2);
    CGContextConcatCTM(context, transform);
    CGContextDrawImage(context, CGRectMake(0, 0, 4, 2), redOverBlue());
    for (int y = 0; y < 4; ++y) {
        EXPECT_EQ(pixelAt(context, 0, y), 0xffff0000u) << y;
        EXPECT_EQ(pixelAt(context, 1, y), 0xff0000ffu) << y;
    }
}

TEST(ImageContext, UIImageDrawsUprightAndCGDrawImageUpsideDown)
{
    auto image = UIImage::imageWithCGImage(redOverBlue(), 2);
    ASSERT_EQ(image->size(), CGSizeMake(2, 1));

    UIGraphicsBeginImageContextWithOptions(CGSizeMake(2, 1), false, 2);
    image->drawAtPoint(CGPointZero);
    auto drawn = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    ASSERT_TRUE(drawn);
    EXPECT_EQ(drawn->scale(), 2);
    EXPECT_EQ(drawn->size(), CGSizeMake(2, 1));
    EXPECT_EQ(drawn->CGImage()->pixel(0, 0), 0xffff0000u);
    EXPECT_EQ(drawn->CGImage()->pixel(0, 1), 0xff0000ffu);

    UIGraphicsBeginImageContextWithOptions(CGSizeMake(2, 1), false, 2);
    CGContextDrawImage(UIGraphicsGetCurrentContext(), CGRectMake(0, 0, 2, 1), image->CGImage());
    auto flipped = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    EXPECT_EQ(flipped->CGImage()->pixel(0, 0), 0xff0000ffu);
    EXPECT_FALSE(UIGraphicsGetCurrentContext());
}

TEST(ImageContext, StackPairsPushesAndEnds)
{
    EXPECT_FALSE(UIGraphicsGetImageFromCurrentImageContext());
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(1, 1), true, 1);
    auto outer = UIGraphicsGetCurrentContext();
    auto inner = uiContext(1, 1);
    UIGraphicsPushContext(inner);
    EXPECT_EQ(UIGraphicsGetCurrentContext(), inner);
    // Not an image context on top: nothing to take and nothing ended.
    EXPECT_FALSE(UIGraphicsGetImageFromCurrentImageContext());
    UIGraphicsEndImageContext();
    EXPECT_EQ(UIGraphicsGetCurrentContext(), inner);
    UIGraphicsPopContext();
    EXPECT_EQ(UIGraphicsGetCurrentContext(), outer);
    UIGraphicsEndImageContext();
    EXPECT_FALSE(UIGraphicsGetCurrentContext());

    UIGraphicsBeginImageContextWithOptions(CGSizeMake(0, 10), false, 1);
    EXPECT_FALSE(UIGraphicsGetCurrentContext());
}

TEST(Drawing, FillsStrokesAndEllipses)
{
    auto context = uiContext(20, 20);
    CGContextSetFillColorWithColor(context, UIColor::redColor()->CGColor());
    CGContextFillRect(context, CGRectMake(2, 2, 4, 4));
    EXPECT_EQ(pixelAt(context, 2, 2), 0xffff0000u);
    EXPECT_EQ(pixelAt(context, 5, 5), 0xffff0000u);
    EXPECT_EQ(pixelAt(context, 6, 6), 0u);

    CGContextSetRGBFillColor(context, 0, 0, 1, 0.5);
    CGContextFillEllipseInRect(context, CGRectMake(10, 10, 10, 10));
    EXPECT_EQ(pixelAt(context, 15, 15), 0x80000080u); // premultiplied
    // The corners of the ellipse's rectangle stay clear.
    EXPECT_EQ(pixelAt(context, 10, 10), 0u);
    EXPECT_EQ(pixelAt(context, 19, 19), 0u);

    CGContextSetStrokeColorWithColor(context, UIColor::whiteColor()->CGColor());
    CGContextSetLineWidth(context, 2);
    CGContextStrokeRect(context, CGRectMake(1, 10, 6, 6));
    EXPECT_EQ(pixelAt(context, 1, 12), 0xffffffffu);
    EXPECT_EQ(pixelAt(context, 4, 13), 0u);

    CGContextClearRect(context, CGRectMake(0, 0, 4, 4));
    EXPECT_EQ(pixelAt(context, 3, 3), 0u);
    EXPECT_EQ(pixelAt(context, 4, 4), 0xffff0000u);
}

TEST(Drawing, PathsArcsAndTransforms)
{
    auto context = uiContext(20, 20);
    CGContextTranslateCTM(context, 10, 10);
    CGContextBeginPath(context);
    CGContextMoveToPoint(context, 0, 0);
    // A quarter turn from the x axis towards y: the lower right on a y-down
    // context.
    CGContextAddArc(context, 0, 0, 8, 0, std::numbers::pi / 2, 0);
    CGContextClosePath(context);
    CGContextSetRGBFillColor(context, 0, 1, 0, 1);
    CGContextFillPath(context);
    EXPECT_TRUE(CGContextIsPathEmpty(context));
    EXPECT_EQ(pixelAt(context, 13, 13), 0xff00ff00u);
    EXPECT_EQ(pixelAt(context, 6, 13), 0u);
    EXPECT_EQ(pixelAt(context, 13, 6), 0u);

    auto path = CGPathCreateMutable();
    CGPathAddRect(path, nullptr, CGRectMake(0, 0, 4, 4));
    EXPECT_EQ(CGPathGetBoundingBox(path), CGRectMake(0, 0, 4, 4));
    EXPECT_TRUE(CGPathContainsPoint(path, nullptr, { 2, 2 }, false));
    EXPECT_FALSE(CGPathContainsPoint(path, nullptr, { 5, 2 }, false));
}

TEST(Drawing, SaveRestoreUndoesClipTransformAndColour)
{
    auto context = uiContext(10, 10);
    CGContextSetRGBFillColor(context, 1, 0, 0, 1);
    CGContextSaveGState(context);
    CGContextClipToRect(context, CGRectMake(0, 0, 5, 10));
    CGContextScaleCTM(context, 0, 1);
    CGContextSetRGBFillColor(context, 0, 1, 0, 1);
    // Nothing draws under a singular transform, and the context survives it.
    CGContextFillRect(context, CGRectMake(0, 0, 10, 10));
    EXPECT_EQ(pixelAt(context, 1, 1), 0u);
    CGContextRestoreGState(context);
    CGContextRestoreGState(context);
    CGContextFillRect(context, CGRectMake(0, 0, 10, 10));
    EXPECT_EQ(pixelAt(context, 8, 8), 0xffff0000u);
    EXPECT_TRUE(CGAffineTransformIsIdentity(CGContextGetCTM(context)));
}

TEST(Drawing, TwoStopGradientRunsFromColourToBlack)
{
    auto context = uiContext(4, 100);
    const CGFloat components[] = { 1, 0, 0, 1, 0, 0, 0, 1 };
    auto gradient = CGGradientCreateWithColorComponents(CGColorSpaceCreateDeviceRGB(), components, nullptr, 2);
    CGContextSaveGState(context);
    CGContextClipToRect(context, CGRectMake(0, 0, 4, 50));
    CGContextDrawLinearGradient(context, gradient, CGPointMake(0, 0), CGPointMake(0, 50), 0);
    CGContextRestoreGState(context);
    EXPECT_GE(redOf(pixelAt(context, 1, 0)), 250);
    EXPECT_LE(redOf(pixelAt(context, 1, 49)), 8);
    EXPECT_NEAR(redOf(pixelAt(context, 1, 25)), 125, 6);
    EXPECT_EQ(alphaOf(pixelAt(context, 1, 25)), 255);
    EXPECT_EQ(pixelAt(context, 1, 60), 0u);

    // Without the options nothing is painted beyond the ends.
    auto other = uiContext(4, 100);
    CGContextDrawLinearGradient(other, gradient, CGPointMake(0, 20), CGPointMake(0, 40), 0);
    EXPECT_EQ(pixelAt(other, 1, 10), 0u);
    EXPECT_EQ(pixelAt(other, 1, 60), 0u);
    CGContextDrawLinearGradient(other, gradient, CGPointMake(0, 20), CGPointMake(0, 40), kCGGradientDrawsAfterEndLocation);
    EXPECT_EQ(pixelAt(other, 1, 10), 0u);
    EXPECT_EQ(pixelAt(other, 1, 60), 0xff000000u);
}

TEST(Drawing, ClipToImageMaskHoldsBackPaintUnderSetSamples)
{
    // A mask whose left half is set (1 = held back).
    std::vector<uint8_t> samples(8 * 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 4; ++x)
            samples[y * 8 + x] = 255;
    auto mask = CGImageMaskCreate(8, 8, 8, 8, 8, CGDataProviderCreateWithCopyOfData(samples), nullptr, false);
    ASSERT_TRUE(mask);
    auto context = uiContext(8, 8);
    CGContextSaveGState(context);
    CGContextClipToMask(context, CGRectMake(0, 0, 8, 8), mask);
    CGContextSetRGBFillColor(context, 1, 1, 0, 1);
    CGContextFillRect(context, CGRectMake(0, 0, 8, 8));
    CGContextRestoreGState(context);
    EXPECT_EQ(pixelAt(context, 1, 4), 0u);
    EXPECT_EQ(pixelAt(context, 6, 4), 0xffffff00u);

    // A decode array of (1, 0) turns the mask round.
    const CGFloat inverted[] = { 1, 0 };
    auto turned = CGImageMaskCreate(8, 8, 8, 8, 8, CGDataProviderCreateWithCopyOfData(samples), inverted, false);
    auto second = uiContext(8, 8);
    CGContextClipToMask(second, CGRectMake(0, 0, 8, 8), turned);
    CGContextSetRGBFillColor(second, 1, 1, 1, 1);
    CGContextFillRect(second, CGRectMake(0, 0, 8, 8));
    EXPECT_EQ(pixelAt(second, 1, 4), 0xffffffffu);
    EXPECT_EQ(pixelAt(second, 6, 4), 0u);

    EXPECT_FALSE(CGImageMaskCreate(8, 8, 8, 8, 8, CGDataProviderCreateWithCopyOfData(std::span(samples).first(20)), nullptr, false));
    EXPECT_FALSE(CGImageMaskCreate(8, 8, 3, 8, 8, CGDataProviderCreateWithCopyOfData(samples), nullptr, false));
}

TEST(Drawing, AContextOverABorrowedCairoContextLeavesItAsItWas)
{
    auto target = CGImage::create(10, 10);
    cairo_surface_t* surface = createCairoSurfaceReading(*target);
    cairo_t* cr = cairo_create(surface);
    cairo_translate(cr, 2, 2);
    {
        auto context = CGContext::createOnCairo(cr);
        ASSERT_TRUE(context);
        EXPECT_EQ(CGContextGetCTM(context), CGAffineTransformMakeTranslation(2, 2));
        CGContextSaveGState(context);
        CGContextScaleCTM(context, 2, 2);
        CGContextSetRGBFillColor(context, 1, 0, 0, 1);
        CGContextFillRect(context, CGRectMake(0, 0, 1, 1));
        // Left unbalanced on purpose: going away restores it all.
    }
    cairo_matrix_t m;
    cairo_get_matrix(cr, &m);
    EXPECT_EQ(m.xx, 1);
    EXPECT_EQ(m.x0, 2);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    EXPECT_EQ(target->pixel(3, 3), 0xffff0000u);
    EXPECT_EQ(target->pixel(4, 4), 0u);
}
