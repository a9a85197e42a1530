#pragma once

#include "kit/ui/CGContext.h"

#include <memory>
#include <string_view>

namespace kit {

class UIColor;
class UIFont;

enum NSTextAlignment {
    NSTextAlignmentLeft = 0,
    NSTextAlignmentCenter = 1,
    NSTextAlignmentRight = 2,
    NSTextAlignmentJustified = 3,
    NSTextAlignmentNatural = 4,
};

enum NSLineBreakMode {
    NSLineBreakByWordWrapping = 0,
    NSLineBreakByCharWrapping = 1,
    NSLineBreakByClipping = 2,
    NSLineBreakByTruncatingHead = 3,
    NSLineBreakByTruncatingTail = 4,
    NSLineBreakByTruncatingMiddle = 5,
};

// The attributes of a run of text, as the platform's attribute dictionary
// gives them (NSFontAttributeName, NSForegroundColorAttributeName, ...).
struct TextAttributes {
    // Nothing: the system font at 12 points.
    std::shared_ptr<UIFont> font;
    // Nothing: black.
    std::shared_ptr<UIColor> foregroundColor;
    // Nothing: the foreground colour.
    std::shared_ptr<UIColor> strokeColor;
    // Percent of the font size. 0 fills only; positive strokes the outlines
    // without filling; negative fills and strokes.
    CGFloat strokeWidth { 0 };
    // Extra points after each character (the last one too), so n characters
    // grow n × kern wider.
    CGFloat kern { 0 };
    // A copy of the text drawn first, offset by shadowOffset (points,
    // y down), when there is a shadow colour.
    std::shared_ptr<UIColor> shadowColor;
    CGSize shadowOffset { 0, -1 };
    // How lines sit in a rectangle, and where they break or are cut.
    NSTextAlignment alignment { NSTextAlignmentNatural };
    NSLineBreakMode lineBreakMode { NSLineBreakByWordWrapping };
};

// The size of the text on one line per line of its own (breaking only at
// newlines), in points.
CGSize sizeWithAttributes(std::string_view text, const TextAttributes&);
// The box the text takes when laid out in `size` (width limits lines; 0 or
// less means unlimited) with at most numberOfLines lines (0: any). The
// origin is (0, 0).
CGRect boundingRectWithSize(std::string_view text, CGSize size, const TextAttributes&, int numberOfLines = 0);

// Draws one line per line of the text with the top left of the first
// line's box at `point`, in the context's user space (upright when y runs
// down). Drawing respects the context's clip, masks and alpha.
void drawString(const CGContextRef&, std::string_view text, CGPoint point, const TextAttributes&);
// Draws the text laid out in the rectangle: lines as wide as the rectangle,
// broken and aligned as the attributes say, from its top, at most
// numberOfLines lines (0: as many as the text has).
void drawString(const CGContextRef&, std::string_view text, CGRect rect, const TextAttributes&, int numberOfLines = 0);

}
