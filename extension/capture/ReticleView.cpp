#include "extension/capture/ReticleView.h"

#include "extension/startup/VantorHelper.h"

#include "kit/ui/UIImage.h"

namespace vantor {

namespace {

constexpr kit::CGFloat lockBadgeSide = 50;
constexpr double frameCycleSeconds = 0.1;
constexpr double rotateLockSeconds = 0.4;
constexpr double pulseHalfSeconds = 0.25;

std::shared_ptr<kit::UIImage> resourceImage(const std::string& relative)
{
    return kit::UIImage::imageWithContentsOfFile("/Library/Application Support/Vantor2/" + relative);
}

}

ReticleView::ReticleView(kit::CGRect frame, const Artwork& artwork)
    : kit::UIImageView(frame)
{
    auto badge = resourceImage("Locks/objectLock2@2x.png");
    kit::CGSize natural = badge ? badge->size() : kit::CGSize {};
    m_lockImageView = std::make_shared<kit::UIImageView>(kit::CGRectMake(frame.size.width / 2 - natural.width / 2,
        frame.size.height / 2 - natural.height / 2, lockBadgeSide, lockBadgeSide));
    m_lockImageView->setImage(std::move(badge));
    m_lockImageView->setHidden(true);
    addSubview(m_lockImageView);

    std::vector<std::shared_ptr<kit::UIImage>> frames;
    for (const auto& name : artwork.frames) {
        if (auto image = resourceImage(name))
            frames.push_back(std::move(image));
    }
    setAnimationImages(std::move(frames));
    setAnimationDuration(frameCycleSeconds);
    setAnimationRepeatCount(0);
    setImage(resourceImage(artwork.still));
}

ReticleView::~ReticleView() = default;

void ReticleView::setLockedState(bool locked)
{
    m_isLocked = locked;
    m_lockImageView->setHidden(!locked);
}

void ReticleView::rotateLock()
{
    auto badge = m_lockImageView;
    auto transform = VantorHelper::getTransformation();
    kit::UIView::animateWithDuration(rotateLockSeconds, [badge, transform] { badge->setTransform(transform); });
}

kit::CGRect ReticleView::restingFrame() const
{
    auto size = bounds().size;
    auto middle = center();
    return kit::CGRectMake(middle.x - size.width / 2, middle.y - size.height / 2, size.width, size.height);
}

void ReticleView::moveRestingOrigin(kit::CGPoint origin)
{
    auto size = bounds().size;
    setCenter(kit::CGPointMake(origin.x + size.width / 2, origin.y + size.height / 2));
}

void ReticleView::pulse(kit::CGFloat scale)
{
    auto options = kit::UIViewAnimationOptionBeginFromCurrentState;
    std::weak_ptr<ReticleView> weakSelf = strongRef<ReticleView>();
    kit::UIView::animateWithDuration(
        pulseHalfSeconds, 0, options,
        [weakSelf, scale] {
            if (auto self = weakSelf.lock())
                self->setTransform(kit::CGAffineTransformMakeScale(scale, scale));
        },
        // Back to the identity even when the grow was cut short, so the
        // reticle never stays enlarged.
        [weakSelf, options](bool) {
            auto self = weakSelf.lock();
            if (!self)
                return;
            kit::UIView::animateWithDuration(pulseHalfSeconds, 0, options,
                [self] { self->setTransform(kit::CGAffineTransformIdentity); }, nullptr);
        });
}

}
