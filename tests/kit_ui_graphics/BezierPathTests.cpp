#include "PixelHelpers.h"

#include "kit/ui/TextDrawing.h"
#include "kit/ui/UIBezierPath.h"
#include "kit/ui/UIColor.h"
#include "kit/ui/UIFont.h"
#include "kit/ui/UIGraphics.h"
#include "kit/ui/UIImage.h"

#include <gtest/gtest.h>

#include <numbers>

using namespace kit;
using namespace testing_pixels;

namespace {

// Draws with `draw` into a fresh 1-scale image context and gives its pixels.
template <typename Draw>
CGImageRef drawn(CGSize size, Draw draw)
{
    UIGraphicsBeginImageContextWithOptions(size, false, 1);
    draw();
    auto image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return image ? image->CGImage() : nullptr;
}

}

TEST(UIBezierPath, RoundedRectsOvalsAndColours)
{
    auto image = drawn(CGSizeMake(40, 20), [] {
        UIColor::yellowColor()->setFill();
        UIBezierPath::bezierPathWithRoundedRect(CGRectMake(0, 0, 20, 20), 6)->fill();
        UIColor::whiteColor()->setFill();
        UIBezierPath::bezierPathWithOvalInRect(CGRectMake(20, 0, 20, 20))->fill();
    });
    EXPECT_EQ(image->pixel(0, 0), 0u);
    EXPECT_EQ(image->pixel(10, 10), 0xffffff00u);
    EXPECT_EQ(image->pixel(10, 0), 0xffffff00u);
    EXPECT_EQ(image->pixel(30, 10), 0xffffffffu);
    EXPECT_EQ(image->pixel(21, 1), 0u);
}

TEST(UIBezierPath, ClockwiseArcsTurnClockwiseOnScreen)
{
    auto image = drawn(CGSizeMake(20, 20), [] {
        auto path = UIBezierPath::bezierPath();
        path->moveToPoint(CGPointMake(10, 10));
        // From the right round to the bottom: the lower right quarter.
        path->addArcWithCenter(CGPointMake(10, 10), 9, 0, std::numbers::pi / 2, true);
        path->closePath();
        UIColor::redColor()->setFill();
        path->fill();
    });
    EXPECT_EQ(image->pixel(14, 14), 0xffff0000u);
    EXPECT_EQ(image->pixel(14, 6), 0u);
    EXPECT_EQ(image->pixel(6, 14), 0u);
}

TEST(UIBezierPath, StrokesWithItsOwnWidthAndLeavesTheContextAlone)
{
    auto image = drawn(CGSizeMake(20, 20), [] {
        auto context = UIGraphicsGetCurrentContext();
        CGContextMoveToPoint(context, 0, 0);
        auto path = UIBezierPath::bezierPathWithRect(CGRectMake(5, 5, 10, 10));
        path->setLineWidth(4);
        UIColor::blueColor()->setStroke();
        path->stroke();
        EXPECT_FALSE(CGContextIsPathEmpty(context));
        path->setLineWidth(-2);
        EXPECT_EQ(path->lineWidth(), 0);
    });
    EXPECT_EQ(image->pixel(4, 10), 0xff0000ffu);
    EXPECT_EQ(image->pixel(6, 10), 0xff0000ffu);
    EXPECT_EQ(image->pixel(10, 10), 0u);
    EXPECT_EQ(image->pixel(2, 10), 0u);
}

TEST(UIBezierPath, HandedOutPathsDoNotChangeLater)
{
    auto path = UIBezierPath::bezierPathWithRect(CGRectMake(0, 0, 10, 10));
    auto before = path->CGPath();
    path->addLineToPoint(CGPointMake(50, 50));
    EXPECT_EQ(before->boundingBox(), CGRectMake(0, 0, 10, 10));
    EXPECT_EQ(path->bounds(), CGRectMake(0, 0, 50, 50));
    EXPECT_TRUE(path->containsPoint(CGPointMake(5, 5)));

    // A line without a current point is ignored, as on the platform.
    auto empty = UIBezierPath::bezierPath();
    empty->addLineToPoint(CGPointMake(1, 1));
    EXPECT_TRUE(empty->isEmpty());
}

TEST(PhotoStamp, TextDrawnInATurnedContextLandsInTheCornerOfThePhoto)
{
    // An image of W x H drawn into a context of its size, the context turned
    // by -pi/2, the text drawn at (pad - H, W - 2 pad): the stamp reads
    // upwards near the bottom right corner of the bitmap.
    const CGFloat W = 240, H = 320;
    auto photo = UIImage::imageWithCGImage(CGImage::create(int(W), int(H)), 1);
    CGFloat fontSize = W / 40;
    CGFloat pad = int(fontSize + 10);
    auto image = drawn(CGSizeMake(W, H), [&] {
        auto context = UIGraphicsGetCurrentContext();
        CGContextSaveGState(context);
        photo->drawAtPoint(CGPointZero);
        CGContextRotateCTM(context, -std::numbers::pi / 2);
        TextAttributes attributes;
        attributes.font = UIFont::fontWithName("DejaVu Sans", fontSize);
        attributes.foregroundColor = UIColor::whiteColor();
        attributes.strokeColor = UIColor::clearColor();
        drawString(context, "12/9/26", CGPointMake(pad - H, W - 2 * pad), attributes);
        CGContextRestoreGState(context);
    });
    int inside = 0, outside = 0;
    for (int y = 0; y < int(H); ++y) {
        for (int x = 0; x < int(W); ++x) {
            if (alphaOf(image->pixel(x, y)) == 0)
                continue;
            bool inCorner = x >= W - 2 * pad && x < W - 2 * pad + fontSize * 1.5 && y > H - pad - 60 && y <= H - pad;
            inCorner ? ++inside : ++outside;
        }
    }
    EXPECT_GT(inside, 20);
    EXPECT_EQ(outside, 0);
}
