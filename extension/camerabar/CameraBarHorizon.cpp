#include "extension/camerabar/CameraBar.h"

#include "extension/composition/HorizonAlignment.h"
#include "extension/startup/Globals.h"
#include "extension/startup/Prefs.h"
#include "kit/media/CMMotionManager.h"
#include "kit/ui/UIImageView.h"

namespace vantor {

namespace {

constexpr double fadeSeconds = 0.25;
constexpr double motionInterval = 1.0 / 60;

bool levelViewsExist() { return horizontalAlignmentBase && horizontalAlignmentIndicator; }

void setLevelAlpha(kit::CGFloat alpha)
{
    horizontalAlignmentBase->setAlpha(alpha);
    horizontalAlignmentIndicator->setAlpha(alpha);
}

// The level is on or off once its fade has ended.
void keepLevelShowing(bool showing)
{
    if (horizonAlignmentBtn)
        horizonAlignmentBtn->setHighlighted(showing);
    horizonAlignmentShowing = showing;
    if (rememberSettings)
        savePrefs();
}

}

void CameraBar::toggleHorizonAlignment(kit::id)
{
    if (horizonAlignmentShowing)
        StopCMDeviceMotion();
    else
        StartCMDeviceMotion();
}

void CameraBar::StartCMDeviceMotion()
{
    if (!levelViewsExist())
        return;
    kit::UIView::animateWithDuration(fadeSeconds, [] {
        if (levelViewsExist())
            setLevelAlpha(1);
    }, [](bool) { keepLevelShowing(true); });

    m_motionManager = std::make_shared<kit::CMMotionManager>();
    if (!m_motionManager->isDeviceMotionAvailable())
        return;
    m_motionManager->setDeviceMotionUpdateInterval(motionInterval);
    m_motionManager->startDeviceMotionUpdatesUsingReferenceFrame(kit::CMAttitudeReferenceFrameXArbitraryZVertical,
        std::make_shared<kit::NSOperationQueue>(), [](std::shared_ptr<kit::CMDeviceMotion> motion, kit::NSErrorRef) {
            if (!motion)
                return;
            kit::NSOperationQueue::mainQueue()->addOperationWithBlock(
                [gravity = motion->gravity()] { showHorizonLevel(gravity); });
        });
}

void CameraBar::StopCMDeviceMotion()
{
    if (!levelViewsExist())
        return;
    std::weak_ptr<CameraBar> weakSelf = strongRef<CameraBar>();
    kit::UIView::animateWithDuration(fadeSeconds, [] {
        if (levelViewsExist())
            setLevelAlpha(0);
    }, [weakSelf](bool) {
        if (auto self = weakSelf.lock(); self && self->m_motionManager)
            self->m_motionManager->stopDeviceMotionUpdates();
        keepLevelShowing(false);
    });
}

void CameraBar::DestroyCMDeviceMotion()
{
    if (!m_motionManager)
        return;
    m_motionManager->stopDeviceMotionUpdates();
    m_motionManager.reset();
}

}
