#include "PixelHelpers.h"

#include "kit/foundation/SystemLog.h"
#include "kit/ui/CGImageFunctions.h"
#include "kit/ui/TextDrawing.h"
#include "kit/ui/UIColor.h"
#include "kit/ui/UIFont.h"
#include "kit/ui/UIGraphics.h"
#include "kit/ui/UIImage.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace kit;
using namespace testing_pixels;

namespace {

// The rightmost column with any ink, or -1.
int rightmostInk(const CGContextRef& context)
{
    int rightmost = -1;
    for (int y = 0; y < context->height(); ++y)
        for (int x = 0; x < context->width(); ++x)
            if (alphaOf(pixelAt(context, x, y)) > 64)
                rightmost = std::max(rightmost, x);
    return rightmost;
}

int inkedPixels(const CGContextRef& context)
{
    int count = 0;
    for (int y = 0; y < context->height(); ++y)
        for (int x = 0; x < context->width(); ++x)
            count += alphaOf(pixelAt(context, x, y)) > 0;
    return count;
}

}

TEST(UIFont, FindsInstalledFacesByPostScriptOrFamilyName)
{
    auto bold = UIFont::fontWithName("DejaVuSans-Bold", 13);
    EXPECT_EQ(bold->fontName(), "DejaVuSans-Bold");
    EXPECT_EQ(bold->familyName(), "DejaVu Sans");
    EXPECT_FALSE(bold->isFallback());
    EXPECT_EQ(bold->pointSize(), 13);

    auto serif = UIFont::fontWithName("DejaVu Serif", 10);
    EXPECT_EQ(serif->facePostScriptName(), "DejaVuSerif");
    EXPECT_FALSE(serif->isFallback());

    EXPECT_GT(bold->lineHeight(), 13);
    EXPECT_GT(bold->ascender(), 0);
    EXPECT_LT(bold->descender(), 0);
    EXPECT_EQ(bold->fontWithSize(26)->pointSize(), 26);
    EXPECT_EQ(UIFont::fontWithName("DejaVu Sans", -3)->pointSize(), UIFont::systemFontSize());
    EXPECT_EQ(UIFont::smallSystemFontSize(), 12);
}

TEST(UIFont, MissingNamesFallBackToTheStatedDefaultAndSaySo)
{
    SystemLog::clearRecentLines();
    auto din = UIFont::fontWithName("DINAlternate-Bold", 12);
    EXPECT_EQ(din->fontName(), "DINAlternate-Bold");
    EXPECT_TRUE(din->isFallback());
    // The narrow faces stand in as a narrow sans, condensed ones as condensed.
    EXPECT_EQ(din->facePostScriptName(), "NimbusSansNarrow-Bold");
    EXPECT_EQ(UIFont::fontWithName("TrebuchetMS-Bold", 80)->facePostScriptName(), "NimbusSansNarrow-Bold");
    EXPECT_EQ(UIFont::fontWithName("HelveticaNeue-CondensedBold", 12)->facePostScriptName(), "DejaVuSansCondensed-Bold");
    EXPECT_EQ(UIFont::fontWithName("GillSans-Bold", 12)->facePostScriptName(), "DejaVuSans-Bold");

    auto plain = UIFont::fontWithName("Helvetica Neue Imaginary", 12);
    EXPECT_TRUE(plain->isFallback());
    EXPECT_EQ(plain->facePostScriptName(), "DejaVuSans");

    // One log line per name, however often it is asked for.
    UIFont::fontWithName("DINAlternate-Bold", 30);
    auto lines = SystemLog::recentLines();
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const std::string& line) { return line.find("DINAlternate-Bold") != std::string::npos; }), 1);

    EXPECT_FALSE(UIFont::systemFontOfSize(12)->isFallback());
    EXPECT_FALSE(UIFont::boldSystemFontOfSize(12)->isFallback());
}

TEST(UIFont, ListsFamiliesAndTheirFaces)
{
    auto families = UIFont::familyNames();
    EXPECT_TRUE(std::is_sorted(families.begin(), families.end()));
    EXPECT_NE(std::find(families.begin(), families.end(), "DejaVu Sans"), families.end());
    auto mono = UIFont::fontNamesForFamilyName("DejaVu Sans Mono");
    EXPECT_EQ(mono, (std::vector<std::string> { "DejaVuSansMono", "DejaVuSansMono-Bold", "DejaVuSansMono-BoldOblique", "DejaVuSansMono-Oblique" }));
    for (const auto& name : mono)
        EXPECT_FALSE(UIFont::fontWithName(name, 12)->isFallback()) << name;
    EXPECT_TRUE(UIFont::fontNamesForFamilyName("No Such Family").empty());
}

TEST(Text, KernWidensTheTextByItsAmountPerCharacter)
{
    TextAttributes plain;
    plain.font = UIFont::fontWithName("DejaVuSans-Bold", 12);
    TextAttributes kerned = plain;
    kerned.kern = 2;
    CGSize narrow = sizeWithAttributes("WB LOCK", plain);
    CGSize wide = sizeWithAttributes("WB LOCK", kerned);
    EXPECT_NEAR(wide.width - narrow.width, 14, 0.01);
    EXPECT_EQ(wide.height, narrow.height);

    auto a = CGContext::create(120, 20, CGAffineTransformIdentity);
    auto b = CGContext::create(120, 20, CGAffineTransformIdentity);
    drawString(a, "WB LOCK", CGPointMake(2, 2), plain);
    drawString(b, "WB LOCK", CGPointMake(2, 2), kerned);
    // The last letter moves right by six letter spaces.
    EXPECT_NEAR(rightmostInk(b) - rightmostInk(a), 12, 1);
}

TEST(Text, WrapsInARectangleAndLimitsLines)
{
    TextAttributes attributes;
    attributes.font = UIFont::fontWithName("DejaVu Sans", 10);
    CGFloat line = sizeWithAttributes("word", attributes).height;
    CGRect wrapped = boundingRectWithSize("word word word word word word", CGSizeMake(60, 1000), attributes);
    EXPECT_LE(wrapped.size.width, 60);
    EXPECT_NEAR(wrapped.size.height / line, 3, 0.5);
    CGRect limited = boundingRectWithSize("word word word word word word", CGSizeMake(60, 1000), attributes, 1);
    EXPECT_NEAR(limited.size.height, line, 0.5);
}

// A label's text truncates at its tail by default; with any number of lines
// it still wraps, as a multi-line label does.
TEST(Text, ATruncatingTextWithAnyNumberOfLinesWraps)
{
    TextAttributes attributes;
    attributes.font = UIFont::fontWithName("DejaVu Sans", 10);
    attributes.lineBreakMode = NSLineBreakByTruncatingTail;
    CGFloat line = sizeWithAttributes("word", attributes).height;
    CGRect wrapped = boundingRectWithSize("word word word word word word", CGSizeMake(60, 1000), attributes, 0);
    EXPECT_LE(wrapped.size.width, 60);
    EXPECT_NEAR(wrapped.size.height / line, 3, 0.5);
    CGRect limited = boundingRectWithSize("word word word word word word", CGSizeMake(60, 1000), attributes, 2);
    EXPECT_NEAR(limited.size.height / line, 2, 0.5);
}

TEST(Text, FillsInTheForegroundAndStrokesOnlyWhenAsked)
{
    TextAttributes attributes;
    attributes.font = UIFont::fontWithName("DejaVuSans-Bold", 16);
    attributes.foregroundColor = UIColor::redColor();
    attributes.strokeColor = UIColor::clearColor();
    auto filled = CGContext::create(60, 24, CGAffineTransformIdentity);
    drawString(filled, "HI", CGPointMake(2, 2), attributes);
    int ink = inkedPixels(filled);
    EXPECT_GT(ink, 50);
    uint32_t strongest = 0;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 60; ++x)
            strongest = std::max(strongest, pixelAt(filled, x, y));
    EXPECT_EQ(strongest, 0xffff0000u);

    // A positive width strokes without filling: with a clear stroke nothing shows.
    attributes.strokeWidth = 3;
    auto stroked = CGContext::create(60, 24, CGAffineTransformIdentity);
    drawString(stroked, "HI", CGPointMake(2, 2), attributes);
    EXPECT_EQ(inkedPixels(stroked), 0);

    // A negative width fills and strokes: the letters grow.
    attributes.strokeWidth = -10;
    attributes.strokeColor = UIColor::blueColor();
    auto both = CGContext::create(60, 24, CGAffineTransformIdentity);
    drawString(both, "HI", CGPointMake(2, 2), attributes);
    EXPECT_GT(inkedPixels(both), ink);
}

TEST(Text, KnockedOutOfABadgeShowsWhatIsBehindThroughTheLetters)
{
    // A badge drawn the way a filled label with cut-out text draws itself:
    // white text, flip, take the image as a mask, clear, clip, fill.
    const CGSize size = CGSizeMake(60, 20);
    UIGraphicsBeginImageContextWithOptions(size, false, 2);
    auto context = UIGraphicsGetCurrentContext();
    TextAttributes attributes;
    attributes.font = UIFont::fontWithName("DejaVuSans-Bold", 12);
    attributes.foregroundColor = UIColor::whiteColor();
    attributes.kern = 2;
    attributes.alignment = NSTextAlignmentCenter;
    drawString(context, "WB LOCK", CGRectMake(0, 3, 60, 16), attributes);
    auto text = context->makeImage();

    CGContextConcatCTM(context, CGAffineTransformMake(1, 0, 0, -1, 0, size.height));
    auto image = context->makeImage();
    auto mask = CGImageMaskCreate(CGImageGetWidth(image), CGImageGetHeight(image), CGImageGetBitsPerComponent(image), CGImageGetBitsPerPixel(image),
        CGImageGetBytesPerRow(image), CGImageGetDataProvider(image), CGImageGetDecode(image), true);
    ASSERT_TRUE(mask);
    CGRect rect = CGRectMake(0, 0, size.width, size.height);
    CGContextClearRect(context, rect);
    CGContextSaveGState(context);
    CGContextClipToMask(context, rect, mask);
    CGContextSetRGBFillColor(context, 1, 0.8, 0, 1);
    CGContextFillRect(context, rect);
    CGContextRestoreGState(context);
    auto badge = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();

    int letters = 0, background = 0;
    for (int y = 0; y < image->height(); ++y) {
        for (int x = 0; x < image->width(); ++x) {
            uint32_t t = text->pixel(x, y);
            uint32_t b = badge->CGImage()->pixel(x, y);
            if (alphaOf(t) == 255) {
                ++letters;
                EXPECT_EQ(b, 0u) << x << "," << y;
            } else if (alphaOf(t) == 0) {
                ++background;
                EXPECT_EQ(b, 0xffffcc00u) << x << "," << y;
            }
        }
    }
    EXPECT_GT(letters, 100);
    EXPECT_GT(background, 2000);
}

TEST(Text, EmptyTextTakesNoSpaceAndDamagedBytesStillDraw)
{
    TextAttributes attributes;
    EXPECT_EQ(sizeWithAttributes("", attributes), CGSizeZero);
    auto context = CGContext::create(60, 20, CGAffineTransformIdentity);
    drawString(context, "", CGPointMake(0, 0), attributes);
    EXPECT_EQ(inkedPixels(context), 0);
    drawString(context, std::string_view("\xff\xfe" "AB", 4), CGPointMake(0, 0), attributes);
    EXPECT_GT(inkedPixels(context), 0);
    EXPECT_GT(sizeWithAttributes(std::string_view("\xff" "A", 2), attributes).width, 0);
}
