#include "resources/artwork/ArtworkPainters.h"

#include "kit/ui/CGGradient.h"
#include "kit/ui/UIColor.h"
#include "kit/ui/UIGraphics.h"

namespace vantor::resources {

using namespace kit;

// The colour picker's plane at full brightness: hue runs from 0 at the left
// edge to 1 at the right, saturation from 1 at the top to 0 (white) at the
// bottom. At a fixed hue and full brightness the colour moves in a straight
// line from the pure hue to white as saturation falls, so each pixel column
// is one two-stop gradient.
void paintHueSaturationPlane(CGSize size, int)
{
    auto context = UIGraphicsGetCurrentContext();
    if (!context)
        return;
    auto space = CGColorSpaceCreateDeviceRGB();
    int columns = int(size.width * kArtworkScale);
    CGFloat columnWidth = size.width / columns;
    for (int column = 0; column < columns; ++column) {
        CGFloat hue = (column + 0.5) / columns;
        CGFloat red = 0, green = 0, blue = 0;
        UIColor::colorWithHue(hue, 1, 1, 1)->getRed(&red, &green, &blue, nullptr);
        const CGFloat components[] = { red, green, blue, 1, 1, 1, 1, 1 };
        auto gradient = CGGradientCreateWithColorComponents(space, components, nullptr, 2);
        CGContextSaveGState(context);
        CGContextClipToRect(context, { { column * columnWidth, 0 }, { columnWidth, size.height } });
        CGContextDrawLinearGradient(context, gradient, { 0, 0 }, { 0, size.height }, 0);
        CGContextRestoreGState(context);
    }
}

}
