// The horizon level: its button in the top bar, fading in and out, the
// indicator following the device's roll at 60 samples a second, the two
// activation windows, broken samples, devices without motion sensors and
// the remembered state.

#include "CompositionTest.h"

#include "extension/composition/HorizonAlignment.h"
#include "extension/composition/VerticalAlertImageView.h"

#include "host/camera/CAMTopBar.h"
#include "kit/ui/UIButton.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace {

using compositiontest::CompositionTest;

constexpr double pi = std::numbers::pi;

class HorizonLevel : public CompositionTest {
protected:
    static kit::UIImageView& base() { return *vantor::horizontalAlignmentBase; }
    static kit::UIImageView& levelIndicator() { return *vantor::horizontalAlignmentIndicator; }
    static bool lit() { return base().isHighlighted() && levelIndicator().isHighlighted(); }
    static bool dark() { return !base().isHighlighted() && !levelIndicator().isHighlighted(); }
    static double indicatorAngle()
    {
        auto t = levelIndicator().transform();
        return std::atan2(t.b, t.a);
    }

    void tapHorizonButton()
    {
        ASSERT_TRUE(phone->tapView("UIImageView", 101)) << "the horizon button is on screen";
    }

    // Holds the device at a roll (radians from upright portrait, clockwise
    // seen from the front) and lets a few samples arrive.
    void holdAt(double x, double y)
    {
        phone->setGravity(x, y, 0);
        phone->advance(0.1);
    }
};

TEST_F(HorizonLevel, TheButtonSitsBesideTheCameraSwitch)
{
    launch();
    ASSERT_TRUE(vantor::horizonAlignmentBtn);
    auto topBar = vantor::_CAMTopBar.lock();
    auto* flip = dynamic_cast<host::CAMTopBar*>(topBar.get())->flipButtonView();
    EXPECT_EQ(vantor::horizonAlignmentBtn->superview(), topBar.get());
    EXPECT_EQ(vantor::horizonAlignmentBtn->frame(), kit::CGRectMake(flip->frame().origin.x - 35, -2, 45, 45));
    EXPECT_EQ(vantor::horizonAlignmentBtn->tag(), 101);
    EXPECT_TRUE(vantor::horizonAlignmentBtn->isUserInteractionEnabled());
    EXPECT_FALSE(vantor::horizonAlignmentBtn->isHighlighted());
    EXPECT_TRUE(showsResource(vantor::horizonAlignmentBtn->highlightedImage(), "Buttons/overlayHorizonBtnActivated@2x.png"));

    // The level's views wait invisible over the preview.
    EXPECT_EQ(base().frame(), kit::CGRectMake(0, 93, 320, 320));
    EXPECT_EQ(levelIndicator().frame(), kit::CGRectMake(0, 93, 320, 320));
    EXPECT_DOUBLE_EQ(base().alpha(), 0);
    auto& siblings = vantor::cameraView.lock()->subviews();
    auto at = [&](const kit::UIView* view) { return std::find_if(siblings.begin(), siblings.end(), [&](auto& s) { return s.get() == view; }); };
    EXPECT_LT(at(&base()), at(&levelIndicator())) << "the indicator lies over the base";
}

TEST_F(HorizonLevel, ATapFadesTheLevelInAndItIsRememberedOnceShown)
{
    launchRemembering();
    tapHorizonButton();
    EXPECT_FALSE(vantor::horizonAlignmentShowing) << "kept when the fade ends";
    phone->advance(0.1);
    EXPECT_GT(base().presentation().alpha, 0);
    EXPECT_LT(base().presentation().alpha, 1);
    phone->advance(0.2);
    EXPECT_DOUBLE_EQ(levelIndicator().presentation().alpha, 1);
    EXPECT_TRUE(vantor::horizonAlignmentShowing);
    EXPECT_TRUE(vantor::horizonAlignmentBtn->isHighlighted());
    EXPECT_EQ(readSettings()->at("horizonAlignmentShowing"), kit::PropertyList(true));

    tapHorizonButton();
    phone->advance(0.3);
    EXPECT_DOUBLE_EQ(base().presentation().alpha, 0);
    EXPECT_FALSE(vantor::horizonAlignmentShowing);
    EXPECT_FALSE(vantor::horizonAlignmentBtn->isHighlighted());
    EXPECT_EQ(readSettings()->at("horizonAlignmentShowing"), kit::PropertyList(false));

    // Off, the indicator no longer follows the device (a tilt that keeps
    // the orientation, which would turn the views itself).
    double before = indicatorAngle();
    holdAt(0.2, -1);
    EXPECT_DOUBLE_EQ(indicatorAngle(), before);
}

TEST_F(HorizonLevel, LevelInLandscapeAndUprightLightsBothDrawings)
{
    launch();
    vantor::cameraBar->StartCMDeviceMotion();
    phone->advance(0.3);

    holdAt(0, -1);
    EXPECT_NEAR(std::fabs(indicatorAngle()), pi, 1e-9);
    EXPECT_TRUE(lit()) << "upright portrait: pi";

    holdAt(1, 0);
    EXPECT_NEAR(indicatorAngle(), pi / 2, 1e-9);
    EXPECT_TRUE(lit()) << "landscape: pi / 2";
    holdAt(-1, 0);
    EXPECT_TRUE(lit()) << "the other landscape: -pi / 2";

    double off = pi / 2 + 0.7 * pi / 180;
    holdAt(std::sin(off), std::cos(off));
    EXPECT_NEAR(indicatorAngle(), off, 1e-9);
    EXPECT_TRUE(dark()) << "0.7 degrees off";

    holdAt(0, 1);
    EXPECT_TRUE(dark()) << "upside down is never level";
    holdAt(0.01, 1);
    EXPECT_TRUE(dark());
}

TEST_F(HorizonLevel, SamplesArriveSixtyTimesASecondOnTheMainThread)
{
    launch();
    vantor::cameraBar->StartCMDeviceMotion();
    double start = phone->now();
    int moved = 0;
    double last = 0;
    // A slowly turning device: every sample turns the indicator a little.
    for (int step = 1; step <= 60; ++step) {
        double roll = pi - step * 0.001;
        phone->setGravity(std::sin(roll), std::cos(roll), 0);
        phone->advance(start + step / 60.0 - phone->now());
        double now = indicatorAngle();
        if (now != last)
            ++moved;
        last = now;
    }
    EXPECT_EQ(moved, 60);
    EXPECT_NEAR(indicatorAngle(), pi - 0.06, 1e-9);
}

TEST_F(HorizonLevel, BrokenSamplesShowTheLevelUnlitAndNeverCrash)
{
    launch();
    vantor::cameraBar->StartCMDeviceMotion();
    phone->advance(0.3);
    holdAt(1, 0);
    ASSERT_TRUE(lit());

    holdAt(0, 0);
    EXPECT_TRUE(dark());
    EXPECT_DOUBLE_EQ(indicatorAngle(), 0);

    holdAt(1, 0);
    phone->advance(1);
    // Turning to landscape also turns the level with the device; a broken
    // sample then moves nothing.
    double before = indicatorAngle();
    double nan = std::numeric_limits<double>::quiet_NaN();
    holdAt(nan, nan);
    EXPECT_TRUE(dark());
    EXPECT_NEAR(indicatorAngle(), before, 1e-9) << "the indicator stays where it was";

    double inf = std::numeric_limits<double>::infinity();
    holdAt(inf, 1);
    EXPECT_TRUE(dark()) << "an infinite component is no level";
    holdAt(1e300, 1e300);
    EXPECT_TRUE(dark());
    EXPECT_NEAR(indicatorAngle(), pi / 4, 1e-9);
    phone->renderScreen();
}

TEST(HorizonWindows, BothWindowsExcludeTheirEnds)
{
    using vantor::isHorizonLevel;
    for (double sign : { 1.0, -1.0 }) {
        EXPECT_FALSE(isHorizonLevel(sign * 1.561453));
        EXPECT_TRUE(isHorizonLevel(sign * std::nextafter(1.561453, 2.0)));
        EXPECT_TRUE(isHorizonLevel(sign * std::nextafter(1.581453, 1.0)));
        EXPECT_FALSE(isHorizonLevel(sign * 1.581453));
        EXPECT_FALSE(isHorizonLevel(sign * 3.13));
        EXPECT_TRUE(isHorizonLevel(sign * std::nextafter(3.13, 4.0)));
        EXPECT_TRUE(isHorizonLevel(sign * pi));
        EXPECT_FALSE(isHorizonLevel(sign * 3.15));
    }
    EXPECT_FALSE(isHorizonLevel(0));
    EXPECT_FALSE(isHorizonLevel(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_DOUBLE_EQ(vantor::horizonAngle({ 0, -1, 0 }), pi);
}

TEST_F(HorizonLevel, WithoutMotionSensorsTheLevelShowsButNeverMoves)
{
    launch("iPhone2,1");
    tapHorizonButton();
    phone->advance(0.3);
    EXPECT_TRUE(vantor::horizonAlignmentShowing);
    EXPECT_TRUE(vantor::horizonAlignmentBtn->isHighlighted());
    EXPECT_DOUBLE_EQ(base().alpha(), 1);
    holdAt(1, 0);
    // Only the turn with the device, never a level reading.
    EXPECT_EQ(levelIndicator().transform(), vantor::VerticalAlertImageView::getTransformationFromDeviceOrientation());
    EXPECT_TRUE(dark());
}

TEST_F(HorizonLevel, WithItsViewsMissingTheLevelStaysOff)
{
    launch();
    vantor::horizontalAlignmentBase->removeFromSuperview();
    vantor::horizontalAlignmentBase.reset();
    tapHorizonButton();
    phone->advance(0.3);
    EXPECT_FALSE(vantor::horizonAlignmentShowing);
    EXPECT_FALSE(vantor::horizonAlignmentBtn->isHighlighted());
    holdAt(1, 0);
    EXPECT_EQ(levelIndicator().transform(), vantor::VerticalAlertImageView::getTransformationFromDeviceOrientation())
        << "only the turn with the device, never a level reading";
}

TEST_F(HorizonLevel, TheStoredStateTurnsItOnAtLaunch)
{
    launchRemembering({ { "horizonAlignmentShowing", true } });
    EXPECT_TRUE(vantor::horizonAlignmentShowing);
    EXPECT_DOUBLE_EQ(base().presentation().alpha, 1);
    EXPECT_TRUE(vantor::horizonAlignmentBtn->isHighlighted());
    holdAt(1, 0);
    EXPECT_TRUE(lit());
}

TEST_F(HorizonLevel, ElementCodesHideAndShowTheViewsWhileTheUpdatesGoOn)
{
    launch();
    vantor::cameraBar->StartCMDeviceMotion();
    phone->advance(0.3);
    vantor::cameraBar->toggleElementFinished(-6, 0.25f);
    EXPECT_TRUE(base().isHidden());
    EXPECT_TRUE(levelIndicator().isHidden());
    holdAt(1, 0);
    EXPECT_NEAR(indicatorAngle(), pi / 2, 1e-9);
    vantor::cameraBar->toggleElementFinished(3, 0.25f);
    EXPECT_FALSE(base().isHidden());
    EXPECT_FALSE(levelIndicator().isHidden());
    EXPECT_TRUE(vantor::horizonAlignmentShowing);
}

TEST_F(HorizonLevel, TurnedOffInTheSettingsThereIsNoButton)
{
    writeSettings({ { "showHorizonAlignment", false } });
    launch();
    EXPECT_FALSE(vantor::horizonAlignmentBtn);
}

TEST_F(HorizonLevel, LeavingTheAppStopsTheUpdates)
{
    launch();
    vantor::cameraBar->StartCMDeviceMotion();
    phone->advance(0.3);
    phone->background();
    EXPECT_FALSE(vantor::horizontalAlignmentIndicator);
    EXPECT_FALSE(vantor::cameraBar);
    phone->setGravity(1, 0, 0);
    phone->advance(1); // no sample reaches the released views

    // Back in front, the new camera bar turns the level on again.
    phone->foreground();
    phone->advance(1);
    ASSERT_TRUE(vantor::horizontalAlignmentIndicator);
    EXPECT_TRUE(lit());
}

TEST(HorizonTransforms, FollowTheStoredOrientationAndAreZeroWhenUnknown)
{
    using vantor::VerticalAlertImageView;
    auto at = [](int64_t orientation) {
        vantor::_UIDeviceOrientation = orientation;
        return VerticalAlertImageView::getTransformationFromDeviceOrientation();
    };
    EXPECT_EQ(at(1), (kit::CGAffineTransform { 1, 0, 0, 1, 0, 0 }));
    EXPECT_EQ(at(2), (kit::CGAffineTransform { -1, 0, 0, -1, 0, 0 }));
    EXPECT_EQ(at(3), (kit::CGAffineTransform { 0, -1, 1, 0, 0, 0 }));
    EXPECT_EQ(at(4), (kit::CGAffineTransform { 0, 1, -1, 0, 0, 0 }));
    for (int64_t unknown : { 0, 5, 6, -1 })
        EXPECT_EQ(at(unknown), (kit::CGAffineTransform { 0, 0, 0, 0, 0, 0 }));
    EXPECT_EQ(VerticalAlertImageView::getTransformation(), at(1));
    vantor::_UIDeviceOrientation = 1;
}

TEST_F(HorizonLevel, TheViewsTurnWithTheOrientationButNotToAnUnknownOne)
{
    launch();
    vantor::_UIDeviceOrientation = 3;
    vantor::UpdateHorizontalAlignmentViewsOrientation();
    phone->advance(0.4);
    EXPECT_EQ(base().transform(), (kit::CGAffineTransform { 0, -1, 1, 0, 0, 0 }));
    EXPECT_EQ(levelIndicator().transform(), (kit::CGAffineTransform { 0, -1, 1, 0, 0, 0 }));
    vantor::_UIDeviceOrientation = 0;
    vantor::UpdateHorizontalAlignmentViewsOrientation();
    EXPECT_EQ(base().transform(), (kit::CGAffineTransform { 0, -1, 1, 0, 0, 0 }));
}

}
