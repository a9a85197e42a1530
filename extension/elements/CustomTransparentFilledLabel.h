#pragma once

#include "kit/ui/UILabel.h"

#include <string>

namespace vantor {

// A filled badge with its text cut out: a yellow (1.0, 0.8, 0.0, 1.0)
// rectangle with corners of radius 2 whose letters are transparent, so
// whatever lies behind the label shows through them. Text in
// "DINAlternate-Bold" 12, centred.
class CustomTransparentFilledLabel : public kit::UILabel {
    KIT_OBJECT(CustomTransparentFilledLabel, kit::UILabel)

public:
    explicit CustomTransparentFilledLabel(kit::CGRect frame = kit::CGRectZero);

    // The text with 2 points of letter spacing over its whole length.
    void setTextEx(std::string);
    // Ignored: the text is always cut out, never coloured.
    void setTextColor(std::shared_ptr<kit::UIColor>) override;

    // Draws the badge with the letters knocked out. When the current
    // context's pixels cannot be read back as a mask, the badge is drawn
    // with the letters in white on it instead, so the text stays readable.
    void drawRect(kit::CGRect) override;
    // Fills the rectangle with the badge colour in the current context.
    virtual void drawBackgroundInRect(kit::CGRect);

private:
    void commonSetup();
};

}
