#include "kit/ui/UIImageView.h"

#include "kit/foundation/RunLoop.h"
#include "kit/ui/UIImage.h"

#include <cmath>

namespace kit {

KIT_REGISTER_CLASS(UIImageView);

UIImageView::UIImageView(CGRect frame)
    : UIView(frame)
{
    setUserInteractionEnabled(false);
}

UIImageView::UIImageView(std::shared_ptr<UIImage> image, std::shared_ptr<UIImage> highlightedImage)
    : UIView(CGRectMake(0, 0, image ? image->size().width : 0, image ? image->size().height : 0))
    , m_image(std::move(image))
    , m_highlightedImage(std::move(highlightedImage))
{
    setUserInteractionEnabled(false);
}

void UIImageView::setImage(std::shared_ptr<UIImage> image)
{
    m_image = std::move(image);
}

void UIImageView::setHighlightedImage(std::shared_ptr<UIImage> image)
{
    m_highlightedImage = std::move(image);
}

void UIImageView::setAnimationImages(std::vector<std::shared_ptr<UIImage>> images)
{
    m_animationImages = std::move(images);
    if (m_animationImages.empty())
        m_animating = false;
}

double UIImageView::cycleDuration() const
{
    return m_animationDuration > 0 ? m_animationDuration : double(m_animationImages.size()) / 30.0;
}

void UIImageView::startAnimating()
{
    if (m_animationImages.empty())
        return;
    m_animating = true;
    m_animationStart = RunLoop::main().now();
}

void UIImageView::stopAnimating()
{
    m_animating = false;
}

bool UIImageView::isAnimatingAt(double now) const
{
    if (!m_animating || m_animationImages.empty())
        return false;
    return m_animationRepeatCount == 0 || now - m_animationStart < cycleDuration() * m_animationRepeatCount;
}

bool UIImageView::isAnimating() const
{
    return isAnimatingAt(RunLoop::main().now());
}

std::shared_ptr<UIImage> UIImageView::layerContents(double now) const
{
    if (isAnimatingAt(now)) {
        double perImage = cycleDuration() / double(m_animationImages.size());
        auto index = size_t(std::floor(std::max(0.0, now - m_animationStart) / perImage + 1e-9));
        return m_animationImages[index % m_animationImages.size()];
    }
    if (m_highlighted && m_highlightedImage)
        return m_highlightedImage;
    return m_image;
}

CGSize UIImageView::sizeThatFits(CGSize) const
{
    return m_image ? m_image->size() : CGSizeZero;
}

}
