#include "extension/camerabar/CameraBar.h"

#include "extension/elements/ElementStyle.h"
#include "extension/startup/Globals.h"
#include "extension/startup/Predicates.h"
#include "kit/foundation/NSTimer.h"
#include "kit/ui/UIImageView.h"
#include "kit/ui/UIScreen.h"

#include <utility>

namespace vantor {

namespace {

constexpr kit::CGFloat fingerWidth = 85;
constexpr kit::CGFloat fingerHeight = 72.5;
// The arrow points along the swipe: upright on a phone, lying on a pad.
constexpr kit::CGFloat arrowLength = 96;
constexpr kit::CGFloat arrowThickness = 20;

struct HelpPlace {
    kit::CGFloat x;
    kit::CGFloat y;
};

// Where the help stands, from the main screen's bounds (which do not turn
// with the device). travel is how far along the swipe the finger has moved:
// up on a phone, to the left on a pad.
HelpPlace helpPlace(kit::CGFloat travel)
{
    kit::CGRect screen = kit::UIScreen::mainScreen()->bounds();
    kit::CGFloat width = screen.size.width;
    kit::CGFloat height = screen.size.height;
    if (!IS_IPAD)
        return { width / 2 + 60, height - 175 - travel };
    if (isLandscapeOrientation())
        return { height - 200 - travel, width / 2 - 200 };
    return { width - 200 - travel, height / 2 - 200 };
}

constexpr kit::CGFloat swipeTravel = 75;

constexpr int64_t helpFingerTag = 102;
constexpr int64_t helpArrowTag = 103;
constexpr double helpCycleSeconds = 1.5;
constexpr double helpSlideSeconds = 1.0;

}

kit::CGRect CameraBar::HowToShowStartFrame() const
{
    HelpPlace place = helpPlace(0);
    return kit::CGRectMake(place.x, place.y, fingerWidth, fingerHeight);
}

kit::CGRect CameraBar::HowToShowEndFrame() const
{
    HelpPlace place = helpPlace(swipeTravel);
    return kit::CGRectMake(place.x, place.y, fingerWidth, fingerHeight);
}

kit::CGRect CameraBar::HowToShowDirectionFrame() const
{
    HelpPlace place = helpPlace(swipeTravel);
    if (IS_IPAD)
        return kit::CGRectMake(place.x, place.y, arrowLength, arrowThickness);
    return kit::CGRectMake(place.x, place.y, arrowThickness, arrowLength);
}

void CameraBar::createHelpViews()
{
    removeHelpViews();
    if (!showHelpHowToShow && !showHelpHowToHide)
        return;
    auto view = cameraView.lock();
    if (!view)
        return;
    bool showLesson = showHelpHowToShow;
    const char* arrowName = showLesson ? (IS_IPAD ? "Help/gesture_arrowLeft@2x.png" : "Help/gesture_arrowUp@2x.png")
                                       : (IS_IPAD ? "Help/gesture_arrowRight@2x.png" : "Help/gesture_arrowDown@2x.png");

    auto arrow = std::make_shared<kit::UIImageView>(HowToShowDirectionFrame());
    arrow->setImage(resourceImage(arrowName));
    arrow->setTag(helpArrowTag);
    auto finger = std::make_shared<kit::UIImageView>(showLesson ? HowToShowStartFrame() : HowToShowEndFrame());
    finger->setImage(resourceImage("Help/gesture_finger@2x.png"));
    finger->setTag(helpFingerTag);
    view->addSubview(arrow);
    view->addSubview(finger);

    m_animateHelpTimer = kit::NSTimer::scheduledTimerWithTimeInterval(
        helpCycleSeconds, kit::Action(strongRef<CameraBar>(), &CameraBar::animateHelp), true);
}

void CameraBar::removeHelpViews()
{
    if (auto timer = std::exchange(m_animateHelpTimer, nullptr))
        timer->invalidate();
    auto view = cameraView.lock();
    if (!view)
        return;
    for (int64_t tag : { helpFingerTag, helpArrowTag }) {
        if (auto* help = view->viewWithTag(tag))
            help->removeFromSuperview();
    }
}

void CameraBar::animateHelp(kit::id timer)
{
    auto view = cameraView.lock();
    kit::UIView* finger = view ? view->viewWithTag(helpFingerTag) : nullptr;
    if (!finger) {
        if (auto* running = kit::cast<kit::NSTimer>(timer))
            running->invalidate();
        return;
    }
    // The show lesson swipes from the start frame to the end frame (up on a
    // phone, left on a pad); the hide lesson the other way.
    bool showLesson = showHelpHowToShow;
    kit::CGRect from = showLesson ? HowToShowStartFrame() : HowToShowEndFrame();
    kit::CGRect to = showLesson ? HowToShowEndFrame() : HowToShowStartFrame();
    auto held = finger->strongRef<kit::UIView>();
    held->setFrame(from);
    kit::UIView::animateWithDuration(helpSlideSeconds, [held, to] { held->setFrame(to); });
}

}
