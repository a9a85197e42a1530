// The two-lesson gesture help on a fresh settings file, the torch bulb's
// taps and the time-stamp label's tap, driven by fingers.

#include "CaptureTest.h"

#include "extension/capture/CameraButtonFunctions.h"

#include "kit/ui/UIImageView.h"
#include "kit/ui/UITapGestureRecognizer.h"
#include "kit/ui/UIView.h"

namespace {

using capturetest::CaptureTest;

constexpr int64_t fingerTag = 102;
constexpr int64_t arrowTag = 103;

class GestureHelp : public CaptureTest {
protected:
    static kit::UIView* helpView(int64_t tag)
    {
        auto view = vantor::cameraView.lock();
        return view ? view->viewWithTag(tag) : nullptr;
    }

    static double fingerY() { return helpView(fingerTag)->presentation().center.y - 72.5 / 2; }

    // Beside the reticles, which take the middle of the preview.
    void swipeUp() { phone->drag(kit::CGPointMake(250, 360), kit::CGPointMake(250, 210), 0.15); }
    void swipeDown() { phone->drag(kit::CGPointMake(250, 210), kit::CGPointMake(250, 360), 0.15); }
};

class TorchAndTimeStamp : public CaptureTest {
protected:
    // A tappable view of the kind the bars carry, wired to the camera bar.
    template <typename View>
    std::shared_ptr<View> addTappable(kit::CGRect frame, int64_t tag)
    {
        auto view = std::make_shared<View>(frame);
        view->setTag(tag);
        view->setUserInteractionEnabled(true);
        view->addGestureRecognizer(std::make_shared<kit::UITapGestureRecognizer>(
            kit::Action(vantor::cameraBar, &vantor::CameraBar::toggleElement)));
        vantor::cameraView.lock()->addSubview(view);
        return view;
    }
};

}

TEST_F(GestureHelp, AFreshSettingsFileTeachesTheSwipeUpThenDownThenNeverAgain)
{
    launch("iPhone6,1", 0, { { "showHelpHowToShow", true } });
    ASSERT_TRUE(helpView(fingerTag));
    ASSERT_TRUE(helpView(arrowTag));
    EXPECT_EQ(helpView(fingerTag)->frame(), kit::CGRectMake(160 + 60, 568 - 175, 85, 72.5));
    EXPECT_EQ(helpView(arrowTag)->frame(), kit::CGRectMake(160 + 60, 568 - 250, 20, 96));

    // Every 1.5 s from its making with the strip, the finger starts at the
    // bottom and slides up over 1.0 s: half way at 2.0 s, at the top at 2.75 s.
    ASSERT_NEAR(phone->now(), 1.0, 1e-9);
    phone->advance(1.0);
    EXPECT_LT(fingerY(), 568 - 175);
    EXPECT_GT(fingerY(), 568 - 250);
    phone->advance(0.75);
    EXPECT_DOUBLE_EQ(fingerY(), 568 - 250);

    swipeUp();
    phone->advance(0.5);
    EXPECT_TRUE(vantor::showingButtonArray);
    EXPECT_FALSE(vantor::showHelpHowToShow);
    EXPECT_TRUE(vantor::showHelpHowToHide);
    auto* arrow = dynamic_cast<kit::UIImageView*>(helpView(arrowTag));
    ASSERT_TRUE(arrow && arrow->image());
    EXPECT_EQ(helpView(fingerTag)->frame(), kit::CGRectMake(160 + 60, 568 - 250, 85, 72.5)) << "the down lesson starts high";
    // The lesson's timer starts with the swipe: the slide ends about 2.5 s later.
    phone->advance(2.25);
    EXPECT_DOUBLE_EQ(fingerY(), 568 - 175) << "and slides down";

    swipeDown();
    phone->advance(0.5);
    EXPECT_FALSE(helpView(fingerTag));
    EXPECT_FALSE(helpView(arrowTag));
    auto saved = readSettings();
    ASSERT_TRUE(saved);
    EXPECT_FALSE(*saved->at("showHelpHowToShow").boolean());
    EXPECT_FALSE(*saved->at("showHelpHowToHide").boolean());
}

TEST_F(GestureHelp, APadTeachesLeftAndRight)
{
    launch("iPad4,1", 0, { { "showHelpHowToShow", true } });
    ASSERT_TRUE(helpView(fingerTag));
    EXPECT_EQ(helpView(fingerTag)->frame(), kit::CGRectMake(768 - 200, 512 - 200, 85, 72.5));
    EXPECT_EQ(helpView(arrowTag)->frame(), kit::CGRectMake(768 - 275, 512 - 200, 96, 20));
    phone->advance(1.75);
    EXPECT_DOUBLE_EQ(helpView(fingerTag)->presentation().center.x - 85.0 / 2, 768 - 275);
}

TEST_F(TorchAndTimeStamp, TheBulbAlternatesTheTorchBetweenOnAtTheLowLevelAndOff)
{
    launch("iPhone6,1", 1);
    auto bulb = addTappable<kit::UIImageView>(kit::CGRectMake(20, 100, 40, 40), 104);
    phone->tap(kit::CGPointMake(40, 120));
    EXPECT_TRUE(vantor::bulbViewOn);
    EXPECT_TRUE(bulb->isHighlighted());
    EXPECT_EQ(device().torchMode(), kit::AVCaptureTorchModeOn);
    EXPECT_FLOAT_EQ(device().torchLevel(), 0.48f);

    phone->advance(0.5);
    phone->tap(kit::CGPointMake(40, 120));
    EXPECT_FALSE(vantor::bulbViewOn);
    EXPECT_FALSE(bulb->isHighlighted());
    EXPECT_EQ(device().torchMode(), kit::AVCaptureTorchModeOff);

    phone->advance(0.5);
    phone->tap(kit::CGPointMake(40, 120));
    EXPECT_EQ(device().torchMode(), kit::AVCaptureTorchModeOn);
    EXPECT_FLOAT_EQ(device().torchLevel(), 0.48f);

    // A refused lock leaves the torch as it is; the bulb still follows the tap.
    phone->advance(0.5);
    device().setRefusesConfigurationLock(true);
    phone->tap(kit::CGPointMake(40, 120));
    device().setRefusesConfigurationLock(false);
    EXPECT_FALSE(vantor::bulbViewOn);
    EXPECT_EQ(device().torchMode(), kit::AVCaptureTorchModeOn);
}

TEST_F(TorchAndTimeStamp, TheLabelTogglesTheStampUnlessTheStripIsShowingInPortrait)
{
    launch("iPhone6,1", 0);
    auto label = addTappable<kit::UILabel>(kit::CGRectMake(100, 100, 120, 30), 0);
    vantor::timestampLbl = label;
    vantor::timeStampVisibleAndPlace = true;

    phone->tap(kit::CGPointMake(160, 115));
    EXPECT_FALSE(vantor::timeStampVisibleAndPlace);
    EXPECT_EQ(label->text(), "Timestamp Off");

    vantor::toggleCameraButtonArray(1);
    phone->advance(0.5);
    phone->tap(kit::CGPointMake(160, 115));
    EXPECT_FALSE(vantor::timeStampVisibleAndPlace) << "the strip is showing in portrait: nothing changes";

    phone->setOrientation(3);
    phone->advance(0.5);
    // The label has moved to its place for the orientation.
    auto bounds = label->bounds();
    phone->tap(label->convertPointToScreen(kit::CGPointMake(bounds.size.width / 2, bounds.size.height / 2)));
    EXPECT_TRUE(vantor::timeStampVisibleAndPlace) << "held an unusual way the tap still counts";
    EXPECT_EQ(label->text(), "Timestamp On");
}
