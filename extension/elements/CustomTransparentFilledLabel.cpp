#include "extension/elements/CustomTransparentFilledLabel.h"

#include "kit/ui/CGBitmapContext.h"
#include "kit/ui/CGImageFunctions.h"
#include "kit/ui/UIColor.h"
#include "kit/ui/UIFont.h"
#include "kit/ui/UIGraphics.h"

namespace vantor {

KIT_REGISTER_CLASS(CustomTransparentFilledLabel);

CustomTransparentFilledLabel::CustomTransparentFilledLabel(kit::CGRect frame)
    : kit::UILabel(frame)
{
    layer()->setCornerRadius(2);
    setClipsToBounds(true);
    commonSetup();
}

void CustomTransparentFilledLabel::commonSetup()
{
    // White text is what the mask is made from; this class's own
    // setTextColor refuses every colour.
    kit::UILabel::setTextColor(kit::UIColor::whiteColor());
    setBackgroundColor(kit::UIColor::clearColor());
    setOpaque(false);
    setFont(kit::UIFont::fontWithName("DINAlternate-Bold", 12));
    setTextAlignment(kit::NSTextAlignmentCenter);
}

void CustomTransparentFilledLabel::setTextEx(std::string text)
{
    kit::NSAttributedString attributed(std::move(text));
    attributed.addKern(2.0, kit::NSMakeRange(0, attributed.length()));
    setAttributedText(std::move(attributed));
}

void CustomTransparentFilledLabel::setTextColor(std::shared_ptr<kit::UIColor>)
{
}

void CustomTransparentFilledLabel::drawRect(kit::CGRect rect)
{
    auto context = kit::UIGraphicsGetCurrentContext();
    if (!context)
        return;
    kit::UILabel::drawRect(rect);

    // Flipped, the context's first pixel row lands at the top of `rect`
    // when the mask is placed there, so the mask lies over the letters.
    kit::CGContextSaveGState(context);
    kit::CGContextConcatCTM(context, kit::CGAffineTransformMake(1, 0, 0, -1, 0, rect.size.height));
    auto image = kit::CGBitmapContextCreateImage(context);
    kit::CGImageMaskRef mask;
    if (image) {
        auto provider = kit::CGImageGetDataProvider(image);
        mask = kit::CGImageMaskCreate(kit::CGImageGetWidth(image), kit::CGImageGetHeight(image),
            kit::CGImageGetBitsPerComponent(image), kit::CGImageGetBitsPerPixel(image), kit::CGImageGetBytesPerRow(image),
            provider, kit::CGImageGetDecode(image), true);
    }
    kit::CGContextClearRect(context, rect);
    if (mask) {
        kit::CGContextClipToMask(context, rect, mask);
        drawBackgroundInRect(rect);
    }
    kit::CGContextRestoreGState(context);
    if (!mask) {
        drawBackgroundInRect(rect);
        kit::UILabel::drawRect(rect);
    }
}

void CustomTransparentFilledLabel::drawBackgroundInRect(kit::CGRect rect)
{
    auto context = kit::UIGraphicsGetCurrentContext();
    kit::CGContextSetRGBFillColor(context, 1.0, 0.8, 0.0, 1.0);
    kit::CGContextFillRect(context, rect);
}

}
