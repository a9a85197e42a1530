#include "ExtensionTest.h"

#include "extension/camerabar/CameraBar.h"
#include "extension/capture/ExposureView.h"
#include "extension/capture/FocusView.h"
#include "extension/startup/Globals.h"
#include "extension/startup/InitVariables.h"
#include "extension/startup/Prefs.h"
#include "extension/startup/Teardown.h"

#include "kit/ui/UIImageView.h"
#include "kit/ui/UILabel.h"
#include "kit/ui/UIView.h"

namespace {

using extensiontest::ExtensionTest;

class TeardownTest : public ExtensionTest {
protected:
    void SetUp() override
    {
        ExtensionTest::SetUp();
        vantor::InitVariables();
    }
};

TEST_F(TeardownTest, InitVariablesKeepsTheStoredOverlayModeOnly)
{
    vantor::globOverlayMode = 2;
    vantor::sessionOverlayMode = 2;
    vantor::canFocus = false;
    vantor::InitVariables();
    EXPECT_EQ(vantor::globOverlayMode, 2);
    EXPECT_EQ(vantor::sessionOverlayMode, 0);
    EXPECT_TRUE(vantor::canFocus);
    EXPECT_EQ(vantor::_timeLapseTime, 5);
}

TEST_F(TeardownTest, LabelsAndIndicatorsLeaveTheirParentsAndAreReleased)
{
    auto bar = std::make_shared<kit::UIView>();
    vantor::timestampLbl = std::make_shared<kit::UILabel>();
    vantor::bulbView = std::make_shared<kit::UIImageView>();
    vantor::_overlayIndicator = std::make_shared<kit::UIView>();
    vantor::deviceFrameRatesForDimensions = std::make_shared<vantor::FrameRatesForDimensions>();
    bar->addSubview(vantor::timestampLbl);
    bar->addSubview(vantor::bulbView);
    std::weak_ptr<kit::UIView> label = vantor::timestampLbl;

    vantor::destroyLabelsAndIndicators();
    EXPECT_TRUE(bar->subviews().empty());
    EXPECT_TRUE(label.expired());
    EXPECT_FALSE(vantor::bulbView || vantor::_overlayIndicator || vantor::deviceFrameRatesForDimensions);
    vantor::destroyLabelsAndIndicators();
}

// A second teardown in a row finds everything released and only clears flags.
TEST_F(TeardownTest, DestroyObjectsTwiceIsHarmless)
{
    vantor::prefsDictionary = std::make_shared<kit::PropertyList::Dictionary>();
    vantor::cameraBar = std::make_shared<vantor::CameraBar>(kit::CGRect {});
    vantor::touchInsideFocus = true;
    vantor::destroyObjects(true);
    EXPECT_TRUE(vantor::prefsDictionary);
    EXPECT_FALSE(vantor::cameraBar);
    EXPECT_FALSE(vantor::touchInsideFocus);
    EXPECT_TRUE(vantor::killtimer);
    vantor::destroyObjects(false);
    EXPECT_FALSE(vantor::prefsDictionary);
}

TEST_F(TeardownTest, ClearVariablesForgetsTheViewAndFreesTheLocks)
{
    auto view = std::make_shared<kit::UIView>();
    vantor::cameraView = view;
    vantor::touchDirectObject = true;
    vantor::cameraBar = std::make_shared<vantor::CameraBar>(kit::CGRect {});
    vantor::cameraBar->setCameraMode(0);
    vantor::focusView = std::make_shared<vantor::FocusView>();
    vantor::exposureView = std::make_shared<vantor::ExposureView>();
    vantor::focusView->setIsLocked(true);
    vantor::exposureView->setIsLocked(true);

    vantor::clearVariables();
    EXPECT_TRUE(vantor::cameraView.expired());
    EXPECT_FALSE(vantor::touchDirectObject);
    EXPECT_EQ(vantor::cameraBar->cameraMode(), 1);
    EXPECT_FALSE(vantor::focusView->isLocked());
    EXPECT_FALSE(vantor::exposureView->isLocked());
}

TEST_F(TeardownTest, CleanUpOnMinimizeSavesAndStopsTheTimedModes)
{
    vantor::CleanUpOnMinimize();
    EXPECT_TRUE(readSettings());
    EXPECT_FALSE(vantor::killtimer); // no camera bar: no timer to stop

    vantor::cameraBar = std::make_shared<vantor::CameraBar>(kit::CGRect {});
    vantor::CleanUpOnMinimize();
    EXPECT_TRUE(vantor::killtimer);
}

}
