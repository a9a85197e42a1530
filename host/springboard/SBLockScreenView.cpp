#include "host/springboard/SBLockScreenView.h"

#include "host/common/StatusBar.h"
#include "host/springboard/SBCameraGrabberView.h"
#include "host/springboard/SBFLockScreenDateView.h"
#include "host/springboard/SBSlideToUnlockView.h"
#include "host/springboard/SpringBoardArtwork.h"

#include "kit/ui/UIColor.h"
#include "kit/ui/UIImageView.h"
#include "kit/ui/UITouch.h"

#include <algorithm>

namespace host {

KIT_REGISTER_CLASS(SBLockScreenView);

namespace {

// A person may take hold of the lock screen again while it moves.
constexpr kit::UIViewAnimationOptions moveOptions = kit::UIViewAnimationOptionAllowUserInteraction;

// A short bar with round ends, as the era marks where a centre is pulled from.
std::shared_ptr<kit::UIView> grabberBar(kit::CGFloat centreX, kit::CGFloat y)
{
    auto bar = std::make_shared<kit::UIView>(kit::CGRectMake(centreX - 18, y, 36, 5));
    bar->setBackgroundColor(kit::UIColor::colorWithWhite(1, 0.55));
    bar->layer()->setCornerRadius(2.5);
    bar->setUserInteractionEnabled(false);
    return bar;
}

}

SBLockScreenView::SBLockScreenView(kit::CGRect screenBounds)
    : UIView(screenBounds)
{
    auto w = screenBounds.size.width, h = screenBounds.size.height;
    setBackgroundColor(kit::UIColor::blackColor());
    m_wallpaper = std::make_shared<kit::UIImageView>(SpringBoardArtwork::wallpaper({ w, h }));
    m_wallpaper->setFrame(kit::CGRectMake(0, 0, w, h));
    addSubview(m_wallpaper);
    // The wallpaper is dimmed a little behind the lock screen's white type.
    auto dim = std::make_shared<kit::UIView>(kit::CGRectMake(0, 0, w, h));
    dim->setBackgroundColor(kit::UIColor::colorWithWhite(0, 0.18));
    dim->setUserInteractionEnabled(false);
    addSubview(dim);

    m_content = std::make_shared<kit::UIView>(kit::CGRectMake(0, 0, w, h));
    m_content->setBackgroundColor(kit::UIColor::clearColor());
    m_content->setOpaque(false);
    m_content->setUserInteractionEnabled(false);
    addSubview(m_content);

    m_statusBar = std::make_shared<StatusBar>(w, StatusBar::Style::Light);
    m_statusBar->setLocked(true);
    m_content->addSubview(m_statusBar);
    m_content->addSubview(grabberBar(w / 2, StatusBar::height + 4));
    m_dateView = std::make_shared<SBFLockScreenDateView>(w);
    m_dateView->setFrame(kit::CGRectMake(0, StatusBar::height + 26, w, SBFLockScreenDateView::height));
    m_content->addSubview(m_dateView);
    m_slider = std::make_shared<SBSlideToUnlockView>(w);
    m_slider->setFrame(kit::CGRectMake(0, h - 120, w, SBSlideToUnlockView::height));
    m_content->addSubview(m_slider);
    m_content->addSubview(grabberBar(w / 2, h - 12));
    m_cameraGrabber = std::make_shared<SBCameraGrabberView>();
    m_cameraGrabber->setFrame(
        kit::CGRectMake(w - SBCameraGrabberView::side, h - SBCameraGrabberView::side, SBCameraGrabberView::side,
            SBCameraGrabberView::side));
    m_content->addSubview(m_cameraGrabber);
    m_statusBar->start();
    m_dateView->start();
}

void SBLockScreenView::reset()
{
    m_gesture = Gesture::None;
    m_raised = false;
    // A view taken off its window stops its animations; put back, it is at rest.
    if (auto* parent = superview()) {
        auto self = strongRef<SBLockScreenView>();
        removeFromSuperview();
        parent->addSubview(self);
    }
    kit::UIView::performWithoutAnimation([&] {
        moveTo(0, false);
        m_content->setFrame(bounds());
        m_content->setAlpha(1);
        setAlpha(1);
    });
}

void SBLockScreenView::slideAway(std::function<void(bool)> completion)
{
    auto w = bounds().size.width;
    kit::UIView::animateWithDuration(
        m_config.moveDuration, 0, moveOptions,
        [&] {
            m_content->setFrame(kit::CGRectOffset(bounds(), w, 0));
            setAlpha(0);
        },
        std::move(completion));
}

void SBLockScreenView::raise(bool animated)
{
    m_raised = true;
    moveTo(-bounds().size.height, animated);
}

void SBLockScreenView::lower(bool animated)
{
    m_raised = false;
    moveTo(0, animated);
}

void SBLockScreenView::moveTo(double top, bool animated)
{
    auto frame = kit::CGRectMake(0, top, bounds().size.width, bounds().size.height);
    if (animated)
        kit::UIView::animateWithDuration(m_config.moveDuration, 0, moveOptions, [&] { setFrame(frame); }, nullptr);
    else
        setFrame(frame);
}

bool SBLockScreenView::pointInside(kit::CGPoint point, kit::UIEvent* event)
{
    // Raised, only its grip is there to touch: the strip below its bottom
    // edge, at the top of the screen.
    auto h = bounds().size.height;
    if (m_raised)
        return point.y >= h && point.y < h + m_config.gripHeight && point.x >= 0 && point.x < bounds().size.width;
    return UIView::pointInside(point, event);
}

double SBLockScreenView::travel(const kit::UITouchSet& touches) const
{
    auto* touch = touches.anyObject();
    if (!touch)
        return 0;
    auto at = touch->locationInView(superview());
    switch (m_gesture) {
    case Gesture::Slide:
        return std::max(0.0, at.x - m_start.x);
    case Gesture::Raise:
        return std::max(0.0, m_start.y - at.y);
    case Gesture::Lower:
        return std::max(0.0, at.y - m_start.y);
    case Gesture::None:
        break;
    }
    return 0;
}

void SBLockScreenView::follow(double distance)
{
    auto h = bounds().size.height;
    switch (m_gesture) {
    case Gesture::Slide:
        m_content->setFrame(kit::CGRectOffset(bounds(), distance, 0));
        break;
    case Gesture::Raise:
        moveTo(-std::min(distance, h), false);
        break;
    case Gesture::Lower:
        moveTo(std::min(0.0, -h + distance), false);
        break;
    case Gesture::None:
        break;
    }
}

void SBLockScreenView::touchesBegan(const kit::UITouchSet& touches, kit::UIEvent*)
{
    auto* touch = touches.anyObject();
    if (!touch || m_gesture != Gesture::None)
        return;
    m_start = touch->locationInView(superview());
    auto grabber = m_cameraGrabber->convertRectToView(m_cameraGrabber->bounds(), superview());
    if (m_raised)
        m_gesture = Gesture::Lower;
    else if (kit::CGRectContainsPoint(grabber, m_start))
        m_gesture = Gesture::Raise;
    else
        m_gesture = Gesture::Slide;
}

void SBLockScreenView::touchesMoved(const kit::UITouchSet& touches, kit::UIEvent*)
{
    follow(travel(touches));
}

void SBLockScreenView::touchesEnded(const kit::UITouchSet& touches, kit::UIEvent*)
{
    auto gesture = m_gesture;
    double distance = travel(touches);
    m_gesture = Gesture::None;
    auto w = bounds().size.width, h = bounds().size.height;
    switch (gesture) {
    case Gesture::Slide:
        if (distance >= w * m_config.unlockFraction && onUnlock) {
            onUnlock();
        } else {
            kit::UIView::animateWithDuration(
                m_config.moveDuration, 0, moveOptions, [&] { m_content->setFrame(bounds()); }, nullptr);
        }
        break;
    case Gesture::Raise:
        if (distance >= h * m_config.cameraFraction && onOpenCamera)
            onOpenCamera();
        else
            lower(true);
        break;
    case Gesture::Lower:
        if (distance >= h * m_config.cameraFraction && onCloseCamera)
            onCloseCamera();
        else
            raise(true);
        break;
    case Gesture::None:
        break;
    }
}

void SBLockScreenView::touchesCancelled(const kit::UITouchSet&, kit::UIEvent*)
{
    auto gesture = m_gesture;
    m_gesture = Gesture::None;
    if (gesture == Gesture::Slide)
        m_content->setFrame(bounds());
    else if (gesture == Gesture::Raise)
        lower(true);
    else if (gesture == Gesture::Lower)
        raise(true);
}

}
