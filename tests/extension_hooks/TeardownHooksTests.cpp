// The host events that take the extension's state apart, and the next
// preview start that builds it again.

#include "HooksTest.h"

namespace {

using hookstest::sel;

class TeardownHooks : public hookstest::HooksTest {
protected:
    void SetUp() override
    {
        HooksTest::SetUp();
        launch();
    }
};

TEST_F(TeardownHooks, GoingToTheBackgroundSavesTheSettingsAndReleasesTheCameraBar)
{
    ASSERT_FALSE(readSettings()->contains("rememberSettings")) << "nothing is written before the first save point";
    std::weak_ptr<vantor::CameraBar> first = vantor::cameraBar;
    std::weak_ptr<kit::UIView> onTheBar = vantor::_overlayIndicator;
    ASSERT_FALSE(onTheBar.expired());

    m_phone->background();

    EXPECT_FALSE(vantor::cameraBar);
    EXPECT_TRUE(first.expired()) << "nothing else keeps the camera bar alive";
    EXPECT_TRUE(vantor::cameraView.expired());
    // Taking the indicators off the bottom bar lays the bar out again, and the
    // layout hook then remembers it anew: never anything but the host's bar.
    auto remembered = vantor::_CAMBottomBar.lock();
    EXPECT_TRUE(!remembered || remembered.get() == hookstest::findView("CAMBottomBar"));
    EXPECT_FALSE(vantor::_CAMSlalomDimensionIndicator);
    EXPECT_TRUE(onTheBar.expired()) << "the bottom bar's items are gone";
    EXPECT_TRUE(vantor::killtimer);
    auto saved = readSettings();
    ASSERT_TRUE(saved);
    EXPECT_TRUE(saved->contains("rememberSettings"));
}

TEST_F(TeardownHooks, TheNextPreviewStartMakesAFreshCameraBar)
{
    std::weak_ptr<vantor::CameraBar> first = vantor::cameraBar;
    m_phone->background();
    m_phone->foreground();

    ASSERT_TRUE(vantor::cameraBar);
    EXPECT_TRUE(first.expired());
    EXPECT_EQ(vantor::cameraView.lock().get(), view());
    // The bars are laid out again when the screen comes back, before the
    // preview restarts, so the new session knows its bottom bar.
    EXPECT_EQ(vantor::_CAMBottomBar.lock().get(), hookstest::findView("CAMBottomBar"));

    // The new session's shutter works through the new camera bar.
    vantor::cameraBar->setTimerMode(vantor::CameraBar::TimerModeSelfTimer);
    m_phone->pressShutter();
    m_phone->advance(0.1);
    EXPECT_EQ(vantor::cameraBar->prevTimerMode(), vantor::CameraBar::TimerModeSelfTimer);
    EXPECT_EQ(photos(), 0);
}

TEST_F(TeardownHooks, SuspensionAloneKeepsTheCameraBarButStopsItsTimers)
{
    vantor::killtimer = false;
    kit::msgSend(view(), sel("animateBlurForSuspension"));

    EXPECT_TRUE(vantor::cameraBar);
    EXPECT_TRUE(vantor::killtimer);
    EXPECT_TRUE(readSettings());
}

TEST_F(TeardownHooks, StopThenDeallocOfTheSameViewIsHarmless)
{
    auto* cameraView = view();
    kit::msgSend<void, bool>(cameraView, sel("stopPreviewAnimated:"), true);
    EXPECT_FALSE(vantor::cameraBar);
    EXPECT_FALSE(vantor::prefsDictionary);

    // The second teardown finds everything released and only clears flags.
    vantor::touchInsideFocus = vantor::touchInsideExposure = vantor::touchDirectObject = true;
    vantor::killtimer = false;
    kit::msgSend(cameraView, sel("dealloc"));

    EXPECT_FALSE(vantor::cameraBar);
    EXPECT_FALSE(vantor::touchInsideFocus);
    EXPECT_FALSE(vantor::touchInsideExposure);
    EXPECT_FALSE(vantor::touchDirectObject);
    EXPECT_TRUE(vantor::killtimer);
}

TEST_F(TeardownHooks, QuittingTheAppRunsEveryTeardownAndLeavesNothing)
{
    m_phone->pressShutter();
    m_phone->quit();

    EXPECT_FALSE(m_phone->isRunning());
    EXPECT_FALSE(vantor::cameraBar);
    EXPECT_TRUE(vantor::cameraView.expired());
    EXPECT_EQ(photos(), 1);
    EXPECT_TRUE(readSettings());
}

TEST_F(TeardownHooks, AStopWithNothingCreatedDoesNothingHarmful)
{
    m_phone->background();
    kit::msgSend(view(), sel("animateBlurForSuspension"));
    kit::msgSend<void, bool>(view(), sel("stopPreviewAnimated:"), false);
    EXPECT_FALSE(vantor::cameraBar);

    m_phone->foreground();
    EXPECT_TRUE(vantor::cameraBar);
}

}
