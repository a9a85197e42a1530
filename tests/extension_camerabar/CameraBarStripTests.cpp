#include "CameraBarTestSupport.h"
#include "FakeHost.h"

#include "kit/foundation/ProcessIdentity.h"
#include "kit/ui/TouchDelivery.h"
#include "kit/ui/UIWindow.h"

using namespace camerabar_test;
using vantor::CameraBar;

namespace {

class ModeStrip : public CameraBarTest {
protected:
    void SetUp() override
    {
        CameraBarTest::SetUp();
        bar = std::make_shared<CameraBar>(kit::CGRectMake(165, 0, 419, 55));
    }

    static bool helpSaved(bool show, bool hide)
    {
        auto saved = savedSettings();
        auto flag = [&](const char* key) {
            auto found = saved.find(key);
            return found != saved.end() && found->second.boolean() ? std::optional<bool>(*found->second.boolean())
                                                                   : std::nullopt;
        };
        return flag("showHelpHowToShow") == show && flag("showHelpHowToHide") == hide;
    }

    std::shared_ptr<CameraBar> bar;
};

}

TEST_F(ModeStrip, SwipesAreIgnoredWhileATouchBelongsToSomethingElse)
{
    vantor::showHelpHowToShow = true;
    for (bool* flag : { &vantor::longPressHandled, &vantor::touchInsideExposure, &vantor::touchInsideFocus,
             &vantor::movedObject, &vantor::touchDirectObject }) {
        *flag = true;
        bar->showCameraButtonObjCall();
        bar->hideCameraButtonObjCall();
        EXPECT_FALSE(vantor::swipedUpCameraControls);
        EXPECT_TRUE(vantor::showHelpHowToShow);
        *flag = false;
    }
    bar->showCameraButtonObjCall();
    EXPECT_TRUE(vantor::swipedUpCameraControls);
}

TEST_F(ModeStrip, HelpMovesFromShowToHideAndEndsSaved)
{
    vantor::showHelpHowToShow = true;
    vantor::showHelpHowToHide = false;

    bar->hideCameraButtonObjCall(); // hiding first teaches nothing
    EXPECT_TRUE(vantor::showHelpHowToShow);
    EXPECT_TRUE(savedSettings().empty());

    bar->showCameraButtonObjCall();
    EXPECT_FALSE(vantor::showHelpHowToShow);
    EXPECT_TRUE(vantor::showHelpHowToHide);
    EXPECT_TRUE(savedSettings().empty()) << "the show lesson ends unsaved";

    bar->hideCameraButtonObjCall();
    EXPECT_FALSE(vantor::showHelpHowToShow);
    EXPECT_FALSE(vantor::showHelpHowToHide);
    EXPECT_TRUE(helpSaved(false, false));

    // Later swipes leave the file alone.
    std::filesystem::remove(kit::DeviceRoot::resolve(settingsFile));
    bar->showCameraButtonObjCall();
    bar->hideCameraButtonObjCall();
    EXPECT_TRUE(savedSettings().empty());
}

TEST_F(ModeStrip, SwipesOnTheCameraViewShowAndHideTheStrip)
{
    auto window = std::make_shared<kit::UIWindow>(kit::CGRectMake(0, 0, 320, 568));
    window->addSubview(hostView);
    window->makeKeyAndVisible();
    vantor::showHelpHowToShow = true;
    vantor::createCameraBar();

    auto swipe = [](double fromY, double toY) {
        auto& touches = kit::TouchDelivery::shared();
        touches.down(kit::CGPointMake(160, fromY), 1);
        for (int step = 1; step <= 5; ++step) {
            advance(0.02);
            touches.move(kit::CGPointMake(160, fromY + (toY - fromY) * step / 5), 1);
        }
        touches.up(kit::CGPointMake(160, toY), 1);
    };

    swipe(450, 300);
    EXPECT_TRUE(vantor::swipedUpCameraControls);
    EXPECT_TRUE(vantor::showHelpHowToHide) << "the swipe up reached showCameraButtonObjCall";
    swipe(300, 450);
    EXPECT_FALSE(vantor::showHelpHowToHide) << "the swipe down reached hideCameraButtonObjCall";
    EXPECT_TRUE(helpSaved(false, false));
}

TEST_F(ModeStrip, ZoomControlFollowsTheHostHalfASecondAfterAModeChange)
{
    auto host = std::make_shared<FakeHost>(kit::CGRectMake(0, 0, 320, 568));
    vantor::cameraView = host;
    vantor::zoomView = std::make_shared<kit::UIView>(kit::CGRectZero);
    host->allowsZoom = false;

    bar->DisplayCameraModeChangeObjectsTimed();
    advance(0.4);
    EXPECT_FALSE(vantor::zoomView->isHidden());
    advance(0.2);
    EXPECT_TRUE(vantor::zoomView->isHidden());

    host->allowsZoom = true;
    bar->DisplayCameraModeChangeObjects();
    EXPECT_FALSE(vantor::zoomView->isHidden());

    // A bar that has gone by then does nothing.
    host->allowsZoom = false;
    bar->DisplayCameraModeChangeObjectsTimed();
    bar.reset();
    advance(1);
    EXPECT_FALSE(vantor::zoomView->isHidden());
}

TEST_F(ModeStrip, HelpFramesOnAPhone)
{
    EXPECT_EQ(bar->HowToShowStartFrame(), kit::CGRectMake(220, 393, 85, 72.5));
    EXPECT_EQ(bar->HowToShowEndFrame(), kit::CGRectMake(220, 318, 85, 72.5));
    EXPECT_EQ(bar->HowToShowDirectionFrame(), kit::CGRectMake(220, 318, 20, 96));

    auto finger = std::make_shared<kit::UIView>(kit::CGRectZero);
    finger->setTag(102);
    auto arrow = std::make_shared<kit::UIView>(kit::CGRectZero);
    arrow->setTag(103);
    hostView->addSubview(arrow);
    hostView->addSubview(finger);
    bar->_rotate();
    EXPECT_EQ(finger->frame(), bar->HowToShowStartFrame());
    EXPECT_EQ(arrow->frame(), bar->HowToShowDirectionFrame());
}

TEST_F(ModeStrip, HelpFramesOnAPadTurnWithTheDevice)
{
    kit::ProcessIdentity identity = kit::ProcessIdentity::current();
    identity.interfaceIdiom = 1;
    identity.screenWidth = 768;
    identity.screenHeight = 1024;
    kit::ProcessIdentity::set(identity);
    vantor::IS_IPAD = true;

    vantor::_UIDeviceOrientation = 1;
    EXPECT_EQ(bar->HowToShowStartFrame(), kit::CGRectMake(568, 312, 85, 72.5));
    EXPECT_EQ(bar->HowToShowEndFrame(), kit::CGRectMake(493, 312, 85, 72.5));
    EXPECT_EQ(bar->HowToShowDirectionFrame(), kit::CGRectMake(493, 312, 96, 20));

    vantor::_UIDeviceOrientation = 4;
    EXPECT_EQ(bar->HowToShowStartFrame(), kit::CGRectMake(824, 184, 85, 72.5));
    EXPECT_EQ(bar->HowToShowEndFrame(), kit::CGRectMake(749, 184, 85, 72.5));
    EXPECT_EQ(bar->HowToShowDirectionFrame(), kit::CGRectMake(749, 184, 96, 20));
}
