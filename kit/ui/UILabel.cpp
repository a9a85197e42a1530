#include "kit/ui/UILabel.h"

#include "kit/ui/UIColor.h"
#include "kit/ui/UIFont.h"
#include "kit/ui/UIGraphics.h"

#include <algorithm>
#include <cmath>

namespace kit {

KIT_REGISTER_CLASS(UILabel);

UILabel::UILabel(CGRect frame)
    : UIView(frame)
    , m_font(UIFont::systemFontOfSize(UIFont::labelFontSize()))
    , m_textColor(UIColor::blackColor())
{
    setUserInteractionEnabled(false);
    setOpaque(false);
    setContentMode(UIViewContentModeRedraw);
}

void UILabel::setText(std::string text)
{
    if (text == m_text && !m_attributedText)
        return;
    m_text = std::move(text);
    m_attributedText.reset();
    setNeedsDisplay();
}

void UILabel::setAttributedText(std::optional<NSAttributedString> text)
{
    m_text = text ? text->string() : std::string();
    m_attributedText = std::move(text);
    setNeedsDisplay();
}

void UILabel::setFont(std::shared_ptr<UIFont> font)
{
    if (!font)
        font = UIFont::systemFontOfSize(UIFont::labelFontSize());
    if (font == m_font)
        return;
    m_font = std::move(font);
    setNeedsDisplay();
}

void UILabel::setTextColor(std::shared_ptr<UIColor> color)
{
    if (!color)
        color = UIColor::blackColor();
    if (color == m_textColor)
        return;
    m_textColor = std::move(color);
    setNeedsDisplay();
}

void UILabel::setTextAlignment(NSTextAlignment alignment)
{
    if (alignment == m_alignment)
        return;
    m_alignment = alignment;
    setNeedsDisplay();
}

void UILabel::setLineBreakMode(NSLineBreakMode mode)
{
    if (mode == m_lineBreakMode)
        return;
    m_lineBreakMode = mode;
    setNeedsDisplay();
}

void UILabel::setNumberOfLines(int lines)
{
    lines = std::max(0, lines);
    if (lines == m_numberOfLines)
        return;
    m_numberOfLines = lines;
    setNeedsDisplay();
}

void UILabel::setShadowColor(std::shared_ptr<UIColor> color)
{
    m_shadowColor = std::move(color);
    setNeedsDisplay();
}

void UILabel::setShadowOffset(CGSize offset)
{
    if (offset == m_shadowOffset)
        return;
    m_shadowOffset = offset;
    setNeedsDisplay();
}

void UILabel::setAdjustsFontSizeToFitWidth(bool adjusts)
{
    if (adjusts == m_adjustsFontSize)
        return;
    m_adjustsFontSize = adjusts;
    setNeedsDisplay();
}

void UILabel::setMinimumScaleFactor(CGFloat factor)
{
    factor = std::clamp<CGFloat>(factor, 0, 1);
    if (factor == m_minimumScaleFactor)
        return;
    m_minimumScaleFactor = factor;
    setNeedsDisplay();
}

void UILabel::setHighlighted(bool highlighted)
{
    if (highlighted == m_highlighted)
        return;
    m_highlighted = highlighted;
    setNeedsDisplay();
}

void UILabel::setHighlightedTextColor(std::shared_ptr<UIColor> color)
{
    m_highlightedTextColor = std::move(color);
    setNeedsDisplay();
}

void UILabel::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    setNeedsDisplay();
}

TextAttributes UILabel::textAttributes() const
{
    TextAttributes attributes;
    attributes.font = m_font;
    attributes.foregroundColor = m_highlighted && m_highlightedTextColor ? m_highlightedTextColor : m_textColor;
    if (!m_enabled)
        attributes.foregroundColor = attributes.foregroundColor->colorWithAlphaComponent(attributes.foregroundColor->alpha() * 0.5);
    if (m_attributedText) {
        if (m_attributedText->font)
            attributes.font = m_attributedText->font;
        if (m_attributedText->foregroundColor)
            attributes.foregroundColor = m_attributedText->foregroundColor;
        attributes.kern = m_attributedText->kern.value_or(0);
    }
    attributes.shadowColor = m_shadowColor;
    attributes.shadowOffset = m_shadowOffset;
    attributes.alignment = m_alignment;
    attributes.lineBreakMode = m_lineBreakMode;
    return attributes;
}

std::shared_ptr<UIFont> UILabel::fontFittingWidth(CGFloat width) const
{
    auto attributes = textAttributes();
    if (!m_adjustsFontSize || m_numberOfLines != 1 || width <= 0)
        return attributes.font;
    CGFloat natural = sizeWithAttributes(m_text, attributes).width;
    if (natural <= width)
        return attributes.font;
    CGFloat factor = std::max(m_minimumScaleFactor, width / natural);
    return attributes.font->fontWithSize(attributes.font->pointSize() * factor);
}

void UILabel::drawRect(CGRect rect)
{
    drawTextInRect(rect);
}

void UILabel::drawTextInRect(CGRect rect)
{
    if (m_text.empty())
        return;
    auto context = UIGraphicsGetCurrentContext();
    auto attributes = textAttributes();
    attributes.font = fontFittingWidth(rect.size.width);
    // The lines sit in the middle of the rectangle, as the platform centres them.
    CGRect used = boundingRectWithSize(m_text, CGSizeMake(rect.size.width, 0), attributes, m_numberOfLines);
    CGFloat y = rect.origin.y + (rect.size.height - used.size.height) / 2;
    drawString(context, m_text, CGRectMake(rect.origin.x, y, rect.size.width, used.size.height), attributes, m_numberOfLines);
}

CGSize UILabel::sizeThatFits(CGSize size) const
{
    if (m_text.empty())
        return CGSizeZero;
    auto attributes = textAttributes();
    CGFloat width = m_numberOfLines == 1 ? 0 : size.width;
    CGRect used = boundingRectWithSize(m_text, CGSizeMake(width, 0), attributes, m_numberOfLines);
    return { std::ceil(used.size.width), std::ceil(used.size.height) };
}

}
