// The vertical-tilt alert: lit exactly while a video mode is held upright,
// placed by screen size, and never made on a pad.

#include "CompositionTest.h"

#include "extension/composition/HorizonAlignment.h"
#include "extension/composition/VerticalAlertImageView.h"

namespace {

using compositiontest::CompositionTest;

class TiltAlert : public CompositionTest {
protected:
    static vantor::VerticalAlertImageView* alert()
    {
        return dynamic_cast<vantor::VerticalAlertImageView*>(vantor::videoVerticallyTiltedAlert.get());
    }
    static bool alertLit() { return alert()->isHighlighted(); }

    void hold(int orientation)
    {
        phone->setOrientation(orientation);
        phone->advance(0.5);
    }
};

TEST_F(TiltAlert, HangsOverTheBottomBarWithOnlyAHighlightedImage)
{
    launch();
    ASSERT_TRUE(alert());
    EXPECT_EQ(alert()->superview(), vantor::_CAMBottomBar.lock().get());
    EXPECT_EQ(alert()->frame(), kit::CGRectMake(200, -458, 22, 22));
    EXPECT_EQ(alert()->tag(), 101);
    EXPECT_FALSE(alert()->isUserInteractionEnabled());
    EXPECT_FALSE(alert()->image());
    EXPECT_TRUE(showsResource(alert()->highlightedImage(), "Indicators/verticalAlert@2x.png"));

    // It hangs into the top row, so the bottom bar stays over the top bar,
    // also after the host's focus square has brought the bars forward.
    phone->tap({ 160, 300 });
    phone->advance(1);
    auto& siblings = vantor::cameraView.lock()->subviews();
    auto at = [&](const kit::UIView* view) {
        return std::find_if(siblings.begin(), siblings.end(), [&](auto& s) { return s.get() == view; });
    };
    EXPECT_GT(at(alert()->superview()), at(vantor::_CAMTopBar.lock().get()));
}

TEST_F(TiltAlert, OnASmallerPhoneItSitsLower)
{
    launch("iPhone4,1");
    ASSERT_TRUE(alert());
    EXPECT_EQ(alert()->frame(), kit::CGRectMake(200, -370, 22, 22));
}

TEST_F(TiltAlert, LitExactlyInVideoHeldUpright)
{
    launch();
    // Photo mode: dark however the device is held.
    for (int orientation : { 1, 2, 3, 4 }) {
        hold(orientation);
        EXPECT_FALSE(alertLit()) << "photo, orientation " << orientation;
    }
    hold(1);
    ASSERT_TRUE(phone->setCameraMode(1));
    phone->advance(0.5);
    EXPECT_TRUE(alertLit()) << "video, portrait";
    hold(3);
    EXPECT_FALSE(alertLit()) << "video, landscape right";
    hold(2);
    EXPECT_TRUE(alertLit()) << "video, upside down";
    hold(4);
    EXPECT_FALSE(alertLit()) << "video, landscape left";
    hold(5);
    EXPECT_FALSE(alertLit()) << "face up keeps the last upright-or-not";

    hold(1);
    ASSERT_TRUE(phone->setCameraMode(2));
    phone->advance(0.5);
    EXPECT_TRUE(alertLit()) << "slow motion is video too";
    ASSERT_TRUE(phone->setCameraMode(0));
    phone->advance(0.5);
    EXPECT_FALSE(alertLit());
}

TEST_F(TiltAlert, CreatingItAgainKeepsTheOneAlertAndItsState)
{
    launch();
    ASSERT_TRUE(phone->setCameraMode(1));
    phone->advance(0.5);
    auto* first = alert();
    vantor::CreateVideoVerticallyTiltedAlert();
    EXPECT_EQ(alert(), first);
    EXPECT_TRUE(alertLit());
}

TEST_F(TiltAlert, TurnedOffInTheSettingsThereIsNone)
{
    writeSettings({ { "showVerticalAlert", false } });
    launch();
    EXPECT_FALSE(vantor::videoVerticallyTiltedAlert);
}

TEST_F(TiltAlert, APadHasNoAlertAndNoOverlayIndicator)
{
    launch("iPad4,1");
    ASSERT_TRUE(phone->setCameraMode(1));
    phone->advance(0.5);
    EXPECT_FALSE(vantor::videoVerticallyTiltedAlert);
    EXPECT_FALSE(vantor::_overlayIndicator);
    vantor::CreateVideoVerticallyTiltedAlert();
    EXPECT_FALSE(vantor::videoVerticallyTiltedAlert);
}

}
