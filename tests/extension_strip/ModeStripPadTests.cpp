// The mode strip on a pad: a column beside the host's side bar, captions
// under each button, and the circular zoom control moved out of its way.

#include "StripTest.h"

namespace {

class PadStrip : public striptest::StripTest {
protected:
    void SetUp() override
    {
        StripTest::SetUp();
        launch("iPad4,1");
    }

    static kit::CGPoint origin(const kit::UIView* view) { return view->frame().origin; }
};

TEST_F(PadStrip, IsAColumnInTheBottomBarThatSlidesOutToItsLeft)
{
    ASSERT_TRUE(vantor::IS_IPAD);
    EXPECT_EQ(strip().superview(), vantor::_CAMBottomBar.lock().get());
    EXPECT_EQ(strip().frame(), kit::CGRectMake(100, 380, 80, 300));
    EXPECT_EQ(vantor::CameraBtn_Top, 40);

    vantor::toggleCameraButtonArray(1);
    phone->advance(0.15);
    EXPECT_EQ(strip().frame(), kit::CGRectMake(-80, 380, 80, 300));
    vantor::toggleCameraButtonArray(0);
    EXPECT_EQ(strip().frame(), kit::CGRectMake(100, 380, 80, 300));
}

TEST_F(PadStrip, ButtonsRunDownTheColumnWithTheirCaptionsUnderneath)
{
    vantor::toggleCameraButtonArray(1);
    EXPECT_EQ(origin(vantor::modeAdvCameraBtn.get()), kit::CGPointMake(15, 10));
    EXPECT_EQ(origin(vantor::modeTimerBtn.get()), kit::CGPointMake(15, 80));
    EXPECT_EQ(origin(vantor::modeLapseTimerBtn.get()), kit::CGPointMake(15, 150));
    EXPECT_EQ(origin(vantor::modeWBBtn.get()), kit::CGPointMake(15, 220));
    EXPECT_EQ(strip().btn1Txt()->frame(), kit::CGRectMake(14, 57, 55, 10));
    EXPECT_EQ(origin(strip().btn2Txt()), kit::CGPointMake(23, 127));
    EXPECT_EQ(origin(strip().btn3Txt()), kit::CGPointMake(22, 197));
    EXPECT_EQ(origin(strip().btn4Txt()), kit::CGPointMake(18, 267));

    ASSERT_TRUE(phone->setCameraMode(1));
    vantor::toggleCameraButtonArray(1);
    EXPECT_EQ(origin(vantor::modeAdvVideoBtn.get()), kit::CGPointMake(15, 40));
    EXPECT_EQ(origin(vantor::modeTakeRecordingPhotoBtn.get()), kit::CGPointMake(15, 110));
    EXPECT_EQ(origin(vantor::modeWBBtn.get()), kit::CGPointMake(15, 180));
    EXPECT_EQ(origin(strip().btn1Txt()), kit::CGPointMake(15, 87));
    EXPECT_EQ(origin(strip().btn2Txt()), kit::CGPointMake(15, 156));
    EXPECT_EQ(origin(strip().btn4Txt()), kit::CGPointMake(18, 227));
}

TEST_F(PadStrip, TheZoomControlMakesWayForTheStrip)
{
    vantor::zoomView = std::make_shared<kit::UIView>(kit::CGRectMake(-140, 310, 400, 400));
    vantor::toggleCameraButtonArray(1);
    EXPECT_EQ(vantor::zoomView->frame(), kit::CGRectMake(-200, 310, 400, 400));
    vantor::toggleCameraButtonArray(0);
    EXPECT_EQ(vantor::zoomView->frame(), kit::CGRectMake(-140, 310, 400, 400));

    phone->setOrientation(3);
    phone->advance(1);
    vantor::toggleCameraButtonArray(1);
    EXPECT_EQ(vantor::zoomView->frame(), kit::CGRectMake(-200, 180, 400, 400));
    EXPECT_EQ(strip().frame().origin.y, 250);
}

}
