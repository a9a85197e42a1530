#include "extension/camerabar/CameraBar.h"

#include "extension/startup/Globals.h"
#include "extension/startup/Predicates.h"
#include "kit/foundation/NotYet.h"
#include "kit/ui/UIScreen.h"

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

void CameraBar::createHelpViews() { NOT_YET("the gesture help: createHelpViews"); }

void CameraBar::removeHelpViews() { NOT_YET("the gesture help: removeHelpViews"); }

void CameraBar::animateHelp(kit::id) { NOT_YET("the gesture help: animateHelp:"); }

}
