#pragma once

#include "kit/ui/UIView.h"

#include <memory>
#include <vector>

namespace kit {

// Shows an image, placed by the content mode (scale to fill by default), or
// a sequence of images played on the main run loop's clock. Like the
// platform's, an image view does not take touches unless told to.
class UIImageView : public UIView {
    KIT_OBJECT(UIImageView, UIView)

public:
    explicit UIImageView(CGRect frame = CGRectZero);
    // initWithImage: the frame takes the image's size in points.
    explicit UIImageView(std::shared_ptr<UIImage> image, std::shared_ptr<UIImage> highlightedImage = nullptr);

    const std::shared_ptr<UIImage>& image() const { return m_image; }
    void setImage(std::shared_ptr<UIImage>);
    const std::shared_ptr<UIImage>& highlightedImage() const { return m_highlightedImage; }
    void setHighlightedImage(std::shared_ptr<UIImage>);
    // Shows the highlighted image, when there is one.
    bool isHighlighted() const { return m_highlighted; }
    void setHighlighted(bool highlighted) { m_highlighted = highlighted; }

    // The frames of an animation, each shown for duration / count seconds.
    const std::vector<std::shared_ptr<UIImage>>& animationImages() const { return m_animationImages; }
    void setAnimationImages(std::vector<std::shared_ptr<UIImage>>);
    // Seconds for one cycle; 0 (the default) means 1/30 s per image.
    double animationDuration() const { return m_animationDuration; }
    void setAnimationDuration(double seconds) { m_animationDuration = std::max(0.0, seconds); }
    // Cycles to play; 0 (the default) plays until stopped.
    int animationRepeatCount() const { return m_animationRepeatCount; }
    void setAnimationRepeatCount(int count) { m_animationRepeatCount = std::max(0, count); }
    // Plays from the first image; with no animation images nothing plays.
    void startAnimating();
    void stopAnimating();
    // False again once the repeat count has been played.
    bool isAnimating() const;

    // The animation frame, the highlighted image or the image.
    std::shared_ptr<UIImage> layerContents(double now) const override;
    // The image's size.
    CGSize sizeThatFits(CGSize) const override;

private:
    double cycleDuration() const;
    bool isAnimatingAt(double now) const;

    std::shared_ptr<UIImage> m_image;
    std::shared_ptr<UIImage> m_highlightedImage;
    std::vector<std::shared_ptr<UIImage>> m_animationImages;
    double m_animationDuration { 0 };
    int m_animationRepeatCount { 0 };
    bool m_highlighted { false };
    bool m_animating { false };
    double m_animationStart { 0 };
};

}
