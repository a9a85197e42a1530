#include "kit/ui/UITableViewCell.h"

#include "kit/ui/UIColor.h"
#include "kit/ui/UIFont.h"
#include "kit/ui/UIImage.h"
#include "kit/ui/UIImageView.h"
#include "kit/ui/UILabel.h"

#include <algorithm>

namespace kit {

KIT_REGISTER_CLASS(UITableViewCell);

UITableViewCell::UITableViewCell(UITableViewCellStyle style, std::string reuseIdentifier)
    : UIView(CGRectMake(0, 0, 320, 44))
    , m_style(style)
    , m_reuseIdentifier(std::move(reuseIdentifier))
    , m_contentView(std::make_shared<UIView>(CGRectMake(0, 0, 320, 44)))
    , m_textLabel(std::make_shared<UILabel>())
    , m_imageView(std::make_shared<UIImageView>())
{
    setBackgroundColor(UIColor::whiteColor());
    addSubview(m_contentView);
    m_contentView->addSubview(m_imageView);
    m_contentView->addSubview(m_textLabel);
    if (style != UITableViewCellStyleDefault) {
        m_detailTextLabel = std::make_shared<UILabel>();
        bool trailing = style == UITableViewCellStyleValue1;
        m_detailTextLabel->setTextColor(trailing ? UIColor::colorWithWhite(0.56, 1) : UIColor::darkGrayColor());
        m_detailTextLabel->setFont(UIFont::systemFontOfSize(style == UITableViewCellStyleSubtitle ? 12 : 17));
        if (trailing)
            m_detailTextLabel->setTextAlignment(NSTextAlignmentRight);
        m_contentView->addSubview(m_detailTextLabel);
    }
}

void UITableViewCell::setAccessoryType(UITableViewCellAccessoryType type)
{
    if (type == m_accessoryType)
        return;
    m_accessoryType = type;
    if (m_accessoryMark) {
        m_accessoryMark->removeFromSuperview();
        m_accessoryMark.reset();
    }
    const char* mark = type == UITableViewCellAccessoryDisclosureIndicator ? "\u203A"
        : type == UITableViewCellAccessoryCheckmark                        ? "\u2713"
        : type == UITableViewCellAccessoryNone                              ? nullptr
                                                                            : "\u24D8";
    if (mark) {
        m_accessoryMark = std::make_shared<UILabel>();
        m_accessoryMark->setText(mark);
        m_accessoryMark->setTextAlignment(NSTextAlignmentCenter);
        m_accessoryMark->setTextColor(type == UITableViewCellAccessoryDisclosureIndicator
                ? UIColor::colorWithWhite(0.78, 1)
                : UIColor::colorWithRed(0, 122.0 / 255, 1, 1));
        addSubview(m_accessoryMark);
    }
    setNeedsLayout();
}

void UITableViewCell::setAccessoryView(std::shared_ptr<UIView> view)
{
    if (view == m_accessoryView)
        return;
    if (m_accessoryView && m_accessoryView->superview() == this)
        m_accessoryView->removeFromSuperview();
    m_accessoryView = std::move(view);
    if (m_accessoryView)
        addSubview(m_accessoryView);
    setNeedsLayout();
}

void UITableViewCell::setSelected(bool selected, bool)
{
    if (selected == m_selected)
        return;
    m_selected = selected;
    updateBackground();
}

void UITableViewCell::setHighlighted(bool highlighted)
{
    if (highlighted == m_highlighted)
        return;
    m_highlighted = highlighted;
    updateBackground();
}

void UITableViewCell::updateBackground()
{
    bool marked = (m_selected || m_highlighted) && m_selectionStyle != UITableViewCellSelectionStyleNone;
    setBackgroundColor(marked ? UIColor::colorWithWhite(0.85, 1) : UIColor::whiteColor());
}

void UITableViewCell::prepareForReuse()
{
    setSelected(false);
    setHighlighted(false);
}

void UITableViewCell::layoutSubviews()
{
    CGRect b = bounds();
    const CGFloat margin = 15;
    // The accessory takes the trailing edge; the content view the rest.
    CGFloat trailing = b.size.width;
    if (m_accessoryView) {
        CGSize size = m_accessoryView->frame().size;
        trailing -= size.width + margin;
        m_accessoryView->setFrame(CGRectMake(trailing, (b.size.height - size.height) / 2, size.width, size.height));
    } else if (m_accessoryMark) {
        trailing -= 20 + margin;
        m_accessoryMark->setFrame(CGRectMake(trailing, 0, 20, b.size.height));
    }
    m_contentView->setFrame(CGRectMake(0, 0, std::max<CGFloat>(0, trailing), b.size.height));

    CGRect content = m_contentView->bounds();
    CGFloat x = margin;
    if (auto image = m_imageView->image()) {
        CGSize size = image->size();
        m_imageView->setFrame(CGRectMake(x, (content.size.height - size.height) / 2, size.width, size.height));
        x += size.width + margin;
    }
    CGFloat width = std::max<CGFloat>(0, content.size.width - x - margin);
    if (!m_detailTextLabel) {
        m_textLabel->setFrame(CGRectMake(x, 0, width, content.size.height));
    } else if (m_style == UITableViewCellStyleSubtitle) {
        m_textLabel->setFrame(CGRectMake(x, 4, width, content.size.height * 0.55));
        m_detailTextLabel->setFrame(CGRectMake(x, content.size.height * 0.55, width, content.size.height * 0.4));
    } else {
        m_textLabel->setFrame(CGRectMake(x, 0, width / 2, content.size.height));
        m_detailTextLabel->setFrame(CGRectMake(x + width / 2, 0, width / 2, content.size.height));
    }
}

}
