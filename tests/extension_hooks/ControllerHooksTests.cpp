// The camera controller's replaced methods: mode switches, the focus and
// exposure permissions, recording snapshots and the accelerometer.

#include "HooksTest.h"

#include "extension/startup/ReplacementTable.h"

#include "kit/ui/UIImage.h"
#include "kit/ui/UIImageView.h"

namespace {

using hookstest::sel;

class ControllerHooks : public hookstest::HooksTest {
protected:
    void SetUp() override
    {
        HooksTest::SetUp();
        launch();
        m_phone->advance(5);
    }

    int cameraModeSent(int32_t mode, int32_t device)
    {
        kit::msgSend<void, int32_t, int32_t>(controller(), sel("_setCameraMode:cameraDevice:"), mode, device);
        kit::RunLoop::main().runDue();
        return m_phone->cameraMode();
    }
};

// --- Mode switches.

TEST_F(ControllerHooks, EveryModeSwitchSetsTheFrameRateTo30)
{
    vantor::currentFrameRate = 120;
    ASSERT_TRUE(m_phone->setCameraMode(1));
    EXPECT_EQ(vantor::currentFrameRate, 30);

    vantor::currentFrameRate = 60;
    ASSERT_TRUE(m_phone->setCameraDevice(1));
    EXPECT_EQ(vantor::currentFrameRate, 30);
}

TEST_F(ControllerHooks, AModeSwitchRemembersTheNewModeAndTheController)
{
    vantor::cameraController.reset();
    ASSERT_TRUE(m_phone->setCameraMode(1));
    EXPECT_EQ(vantor::prevCameraControllerCameraMode, 1);
    EXPECT_EQ(vantor::cameraController.lock().get(), controller());

    ASSERT_TRUE(m_phone->setCameraMode(4));
    EXPECT_EQ(vantor::prevCameraControllerCameraMode, 4);
}

TEST_F(ControllerHooks, AModeSwitchWithoutACameraBarStillReachesTheHost)
{
    vantor::cameraBar.reset();
    vantor::currentFrameRate = 0;
    EXPECT_EQ(cameraModeSent(1, 0), 1);
    EXPECT_EQ(vantor::currentFrameRate, 30);
    EXPECT_EQ(vantor::prevCameraControllerCameraMode, 1);
}

TEST_F(ControllerHooks, TheControllerIsRememberedFromItsInit)
{
    ASSERT_NE(controller(), nullptr);
    EXPECT_EQ(vantor::cameraController.lock().get(), controller());
}

// --- Focus and exposure.

TEST_F(ControllerHooks, FocusIsAllowedOnlyWhileTheHostAllowsItAndNothingHoldsIt)
{
    auto allowed = [&] { return kit::msgSend<bool>(controller(), sel("isFocusAllowed")); };
    EXPECT_TRUE(allowed());

    vantor::canFocus = false;
    EXPECT_FALSE(allowed());
    vantor::canFocus = true;

    vantor::touchInsideButtonView = true;
    EXPECT_FALSE(allowed());
    vantor::touchInsideButtonView = false;

    // The host itself refuses in panorama.
    if (m_phone->setCameraMode(3)) {
        EXPECT_FALSE(allowed());
    }
}

TEST_F(ControllerHooks, AutofocusRunsOnlyWhileFocusIsFree)
{
    vantor::canFocus = false;
    auto locked = eventsDuring([&] { kit::msgSend(controller(), sel("autofocus")); });
    EXPECT_EQ(occurrences(locked, "PLCameraController _autofocus:autoExpose:"), 0);

    vantor::canFocus = true;
    auto free = eventsDuring([&] { kit::msgSend(controller(), sel("autofocus")); });
    EXPECT_EQ(occurrences(free, "PLCameraController _autofocus:autoExpose:"), 1);
}

TEST_F(ControllerHooks, TheHostFocusesAndExposesOnlyWhatIsNotLocked)
{
    auto run = [&] {
        return eventsDuring([&] {
            kit::msgSend<void, bool, bool>(controller(), sel("_autofocus:autoExpose:"), true, true);
            m_phone->advance(3);
        });
    };

    vantor::canExpose = false;
    auto exposureLocked = run();
    EXPECT_EQ(occurrences(exposureLocked, "PLCameraController _focusStarted"), 1);
    EXPECT_EQ(occurrences(exposureLocked, "PLCameraController _exposureStarted"), 0);

    vantor::canExpose = true;
    vantor::canFocus = false;
    auto focusLocked = run();
    EXPECT_EQ(occurrences(focusLocked, "PLCameraController _focusStarted"), 0);
    EXPECT_EQ(occurrences(focusLocked, "PLCameraController _exposureStarted"), 1);
}

TEST_F(ControllerHooks, WithFocusLockedTheHostsFocusStartNeverRuns)
{
    // The host's focus start asks its view whether to show the focus square.
    vantor::canFocus = false;
    auto locked = eventsDuring([&] { kit::msgSend(controller(), sel("_focusStarted")); });
    EXPECT_EQ(occurrences(locked, "PLCameraView _shouldShowFocus"), 0);

    vantor::canFocus = true;
    auto free = eventsDuring([&] { kit::msgSend(controller(), sel("_focusStarted")); });
    EXPECT_EQ(occurrences(free, "PLCameraView _shouldShowFocus"), 1);
}

TEST_F(ControllerHooks, TheFrontCameraShowsTheFocusSquareOnlyWhileExposureIsFree)
{
    auto shows = [&] { return kit::msgSend<bool>(view(), sel("_shouldShowFocus")); };
    vantor::canExpose = false;
    EXPECT_TRUE(shows()) << "the back camera keeps the host's answer";

    // The switch itself frees both (the standard mode); lock exposure again.
    ASSERT_TRUE(m_phone->setCameraDevice(1));
    vantor::canExpose = false;
    EXPECT_FALSE(shows());
    vantor::canExpose = true;
    EXPECT_TRUE(shows());

    // A host that says NO is never overruled.
    m_phone->setFiltersShowing(true);
    EXPECT_FALSE(shows());
}

// --- Answers that never ask the host.

TEST(ControllerAnswers, SnapshotsWhileRecordingAndTheOptionsButtonNeedNoHost)
{
    // No phone: the saved host implementations are empty, so a call to one
    // would fail here.
    EXPECT_TRUE(vantor::_method$PLCameraController$canCapturePhotoDuringRecording$(nullptr, nullptr));
    EXPECT_FALSE(vantor::_method$PLCameraView$_optionsButtonShouldBeHidden$(nullptr, nullptr));
}

TEST_F(ControllerHooks, TheHostAsksAndGetsTheExtensionsAnswers)
{
    EXPECT_FALSE(kit::msgSend<bool>(view(), sel("_optionsButtonShouldBeHidden")));
    EXPECT_TRUE(kit::msgSend<bool>(controller(), sel("canCapturePhotoDuringRecording")));
}

// --- The accelerometer.

class Accelerometer : public ControllerHooks {
protected:
    void report(int32_t orientation)
    {
        kit::msgSend<void, kit::id, int32_t>(controller(), sel("accelerometer:didChangeDeviceOrientation:"), nullptr,
            orientation);
    }
};

TEST_F(Accelerometer, TheFirstReportAtLaunchIsStored)
{
    EXPECT_EQ(vantor::_UIDeviceOrientation, 1);
    m_phone->setOrientation(3);
    EXPECT_EQ(vantor::_UIDeviceOrientation, 3);
    m_phone->setOrientation(2);
    EXPECT_EQ(vantor::_UIDeviceOrientation, 2);
}

TEST_F(Accelerometer, FaceUpAndFaceDownAreNeverStored)
{
    m_phone->setOrientation(4);
    report(5);
    EXPECT_EQ(vantor::_UIDeviceOrientation, 4);
    report(6);
    EXPECT_EQ(vantor::_UIDeviceOrientation, 4);
    kit::RunLoop::main().runDue();
    EXPECT_EQ(vantor::_UIDeviceOrientation, 4);
}

TEST_F(Accelerometer, TheSameOrientationTwiceQueuesOneRotation)
{
    // The host already holds portrait, so only the extension queues work;
    // the horizon level's own 0.4 s turn would keep the loop busy too.
    vantor::horizontalAlignmentBase.reset();
    vantor::horizontalAlignmentIndicator.reset();
    ASSERT_FALSE(kit::RunLoop::main().hasPendingWork());
    vantor::_UIDeviceOrientation = 3;

    report(1);
    EXPECT_EQ(vantor::_UIDeviceOrientation, 1);
    EXPECT_TRUE(kit::RunLoop::main().hasPendingWork()) << "the rotation runs later, on the main queue";
    // The rotation runs, and its animations end.
    m_phone->advance(1);
    ASSERT_FALSE(kit::RunLoop::main().hasPendingWork());

    report(1);
    EXPECT_FALSE(kit::RunLoop::main().hasPendingWork());
    report(5);
    EXPECT_FALSE(kit::RunLoop::main().hasPendingWork());
}

TEST_F(Accelerometer, TheTiltAlertLightsOnlyForUprightVideo)
{
    auto alert = std::make_shared<kit::UIImageView>(nullptr);
    vantor::videoVerticallyTiltedAlert = alert;

    m_phone->setOrientation(3);
    EXPECT_FALSE(alert->isHighlighted()) << "photo mode";
    ASSERT_TRUE(m_phone->setCameraMode(1));
    m_phone->setOrientation(1);
    EXPECT_TRUE(alert->isHighlighted());
    m_phone->setOrientation(4);
    EXPECT_FALSE(alert->isHighlighted());
    m_phone->setOrientation(2);
    EXPECT_TRUE(alert->isHighlighted());
    m_phone->setOrientation(6);
    EXPECT_TRUE(alert->isHighlighted()) << "face down keeps the last state";
}

}
