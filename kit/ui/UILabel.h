#pragma once

#include "kit/ui/NSAttributedString.h"
#include "kit/ui/TextDrawing.h"
#include "kit/ui/UIView.h"

#include <optional>
#include <string>

namespace kit {

// Shows text: one font and colour (or an attributed text's), aligned in the
// bounds and centred vertically, on at most numberOfLines lines (default 1;
// 0 means any). With adjustsFontSizeToFitWidth a single line that is too
// wide is drawn in a smaller font, down to minimumScaleFactor of its size;
// otherwise it is cut off by the line-break mode. Like the platform's, a
// label is clear and does not take touches unless told to. Every setter
// that changes what is shown asks for display again.
class UILabel : public UIView {
    KIT_OBJECT(UILabel, UIView)

public:
    explicit UILabel(CGRect frame = CGRectZero);

    const std::string& text() const { return m_text; }
    // Replaces any attributed text.
    virtual void setText(std::string);
    // The text with its attributes; nothing when the text was set plainly.
    const std::optional<NSAttributedString>& attributedText() const { return m_attributedText; }
    void setAttributedText(std::optional<NSAttributedString>);

    // Default: the system font at 17 points.
    const std::shared_ptr<UIFont>& font() const { return m_font; }
    void setFont(std::shared_ptr<UIFont>);
    // Default black.
    const std::shared_ptr<UIColor>& textColor() const { return m_textColor; }
    virtual void setTextColor(std::shared_ptr<UIColor>);
    NSTextAlignment textAlignment() const { return m_alignment; }
    void setTextAlignment(NSTextAlignment);
    NSLineBreakMode lineBreakMode() const { return m_lineBreakMode; }
    void setLineBreakMode(NSLineBreakMode);
    int numberOfLines() const { return m_numberOfLines; }
    void setNumberOfLines(int);

    // A copy of the text drawn behind it, offset in points, when set.
    const std::shared_ptr<UIColor>& shadowColor() const { return m_shadowColor; }
    void setShadowColor(std::shared_ptr<UIColor>);
    CGSize shadowOffset() const { return m_shadowOffset; }
    void setShadowOffset(CGSize);

    bool adjustsFontSizeToFitWidth() const { return m_adjustsFontSize; }
    void setAdjustsFontSizeToFitWidth(bool);
    // 0..1; 0 lets the font shrink as far as needed.
    CGFloat minimumScaleFactor() const { return m_minimumScaleFactor; }
    void setMinimumScaleFactor(CGFloat);

    bool isHighlighted() const { return m_highlighted; }
    void setHighlighted(bool);
    const std::shared_ptr<UIColor>& highlightedTextColor() const { return m_highlightedTextColor; }
    void setHighlightedTextColor(std::shared_ptr<UIColor>);
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool);

    // Draws the text into the current context; override to change where.
    virtual void drawTextInRect(CGRect);
    void drawRect(CGRect) override;
    // The text's size on its lines (the width bounded by the given one when
    // there may be several lines).
    CGSize sizeThatFits(CGSize) const override;

    // The attributes the text is drawn with, before any shrinking.
    TextAttributes textAttributes() const;
    // The font actually used for a rectangle of that width.
    std::shared_ptr<UIFont> fontFittingWidth(CGFloat width) const;

private:
    std::string m_text;
    std::optional<NSAttributedString> m_attributedText;
    std::shared_ptr<UIFont> m_font;
    std::shared_ptr<UIColor> m_textColor;
    std::shared_ptr<UIColor> m_shadowColor;
    std::shared_ptr<UIColor> m_highlightedTextColor;
    CGSize m_shadowOffset { 0, -1 };
    NSTextAlignment m_alignment { NSTextAlignmentNatural };
    NSLineBreakMode m_lineBreakMode { NSLineBreakByTruncatingTail };
    int m_numberOfLines { 1 };
    bool m_adjustsFontSize { false };
    CGFloat m_minimumScaleFactor { 0 };
    bool m_highlighted { false };
    bool m_enabled { true };
};

}
