#include "kit/ui/UIButton.h"

#include "kit/ui/UIColor.h"
#include "kit/ui/UIFont.h"
#include "kit/ui/UIImage.h"
#include "kit/ui/UIImageView.h"
#include "kit/ui/UILabel.h"

#include <cmath>

namespace kit {

KIT_REGISTER_CLASS(UIButton);

UIButton::UIButton(CGRect frame)
    : UIControl(frame)
{
}

std::shared_ptr<UIButton> UIButton::buttonWithType(UIButtonType type)
{
    auto button = std::make_shared<UIButton>();
    button->m_type = type;
    if (type != UIButtonTypeCustom)
        button->setTitleColor(UIColor::colorWithRed(0, 122.0 / 255, 1, 1), UIControlStateNormal);
    return button;
}

void UIButton::setTitle(std::string title, UIControlState state)
{
    m_titles[state] = std::move(title);
    refresh();
}

std::optional<std::string> UIButton::titleForState(UIControlState state) const
{
    if (auto it = m_titles.find(state); it != m_titles.end())
        return it->second;
    if (auto it = m_titles.find(UIControlStateNormal); it != m_titles.end())
        return it->second;
    return std::nullopt;
}

void UIButton::setTitleColor(std::shared_ptr<UIColor> color, UIControlState state)
{
    m_titleColors[state] = std::move(color);
    refresh();
}

std::shared_ptr<UIColor> UIButton::titleColorForState(UIControlState state) const
{
    auto color = lookup(m_titleColors, state);
    if (!color)
        color = UIColor::whiteColor();
    // A system button dims its title while pressed unless told otherwise.
    if (m_type != UIButtonTypeCustom && (state & UIControlStateHighlighted) && !m_titleColors.count(state))
        color = color->colorWithAlphaComponent(color->alpha() * 0.2);
    return color;
}

void UIButton::setImage(std::shared_ptr<UIImage> image, UIControlState state)
{
    m_images[state] = std::move(image);
    refresh();
}

std::shared_ptr<UIImage> UIButton::imageForState(UIControlState state) const
{
    return lookup(m_images, state);
}

void UIButton::setBackgroundImage(std::shared_ptr<UIImage> image, UIControlState state)
{
    m_backgroundImages[state] = std::move(image);
    refresh();
}

std::shared_ptr<UIImage> UIButton::backgroundImageForState(UIControlState state) const
{
    return lookup(m_backgroundImages, state);
}

UILabel* UIButton::titleLabel()
{
    if (!m_titleLabel) {
        m_titleLabel = std::make_shared<UILabel>();
        m_titleLabel->setFont(UIFont::systemFontOfSize(UIFont::buttonFontSize()));
        m_titleLabel->setTextAlignment(NSTextAlignmentCenter);
        addSubview(m_titleLabel);
        refresh();
    }
    return m_titleLabel.get();
}

UIImageView* UIButton::imageView()
{
    if (!m_imageView) {
        m_imageView = std::make_shared<UIImageView>();
        insertSubview(m_imageView, 0);
        refresh();
    }
    return m_imageView.get();
}

void UIButton::stateDidChange()
{
    UIControl::stateDidChange();
    refresh();
}

void UIButton::refresh()
{
    auto title = currentTitle();
    if (title && !m_titleLabel)
        titleLabel();
    if (m_titleLabel) {
        m_titleLabel->setText(title.value_or(""));
        m_titleLabel->setTextColor(currentTitleColor());
    }
    auto image = currentImage();
    if (image && !m_imageView)
        imageView();
    if (m_imageView)
        m_imageView->setImage(image);
    setNeedsLayout();
}

void UIButton::layoutSubviews()
{
    CGRect b = bounds();
    CGSize imageSize = m_imageView && m_imageView->image() ? m_imageView->image()->size() : CGSizeZero;
    CGSize titleSize = m_titleLabel ? m_titleLabel->sizeThatFits(b.size) : CGSizeZero;
    titleSize.width = std::min(titleSize.width, std::max<CGFloat>(0, b.size.width - imageSize.width));
    CGFloat x = b.origin.x + (b.size.width - imageSize.width - titleSize.width) / 2;
    if (m_imageView)
        m_imageView->setFrame(CGRectMake(x, b.origin.y + (b.size.height - imageSize.height) / 2, imageSize.width, imageSize.height));
    if (m_titleLabel)
        m_titleLabel->setFrame(CGRectMake(x + imageSize.width, b.origin.y + (b.size.height - titleSize.height) / 2,
            titleSize.width, titleSize.height));
}

CGSize UIButton::sizeThatFits(CGSize size) const
{
    CGSize imageSize = m_imageView && m_imageView->image() ? m_imageView->image()->size() : CGSizeZero;
    CGSize titleSize = m_titleLabel ? m_titleLabel->sizeThatFits(size) : CGSizeZero;
    return { std::ceil(imageSize.width + titleSize.width), std::ceil(std::max(imageSize.height, titleSize.height)) };
}

std::shared_ptr<UIImage> UIButton::layerContents(double) const
{
    return backgroundImageForState(state());
}

}
