#include "HostCameraTestSupport.h"

#include "host/camera/CAMPreviewView.h"
#include "host/camera/HostRuntime.h"
#include "host/camera/PLCameraController.h"
#include "host/camera/PLCameraView.h"

#include "kit/foundation/Dispatch.h"
#include "kit/media/AVCaptureDevice.h"
#include "kit/ui/UIApplication.h"
#include "kit/ui/UIWindow.h"

#include <atomic>

using namespace hosttest;

namespace {
using CameraRun = HostCameraTest;

kit::UIView* findView(kit::UIView* root, const std::string& className)
{
    if (root->className() == className)
        return root;
    for (const auto& sub : root->subviews()) {
        if (auto* found = findView(sub.get(), className))
            return found;
    }
    return nullptr;
}

host::PLCameraView* findCameraView()
{
    for (auto* window : kit::UIApplication::sharedApplication()->windows()) {
        if (auto* found = findView(window, "PLCameraView"))
            return kit::cast<host::PLCameraView>(found);
    }
    return nullptr;
}
}

TEST_F(CameraRun, RecordingAVideoSavesAMovie)
{
    auto phone = startPhone();
    phone->launch();
    ASSERT_TRUE(phone->setCameraMode(1));
    phone->pressShutter();
    EXPECT_TRUE(phone->isRecording());
    EXPECT_TRUE(logged("PLCameraView _performVideoCapture"));
    EXPECT_TRUE(logged("PLCameraController startVideoCapture"));
    EXPECT_FALSE(phone->setCameraMode(0)) << "no mode change while recording";
    phone->advance(2);
    phone->pressShutter();
    EXPECT_TRUE(inOrder({ "CAMShutterButton setMode:animated:", "PLCameraController stopVideoCapture",
        "PLCameraView _removeVideoCaptureControls", "CAMShutterButton setMode:animated:",
        "PLCameraView _clearUnsavedVideoCaptureState" }));
    auto roll = phone->cameraRoll();
    ASSERT_EQ(roll.size(), 1u);
    EXPECT_EQ(roll[0].filename(), "IMG_0001.MOV");
    EXPECT_GT(std::filesystem::file_size(roll[0]), 0u);
}

TEST_F(CameraRun, HoldingTheShutterTakesABurst)
{
    auto phone = startPhone();
    phone->launch();
    auto shutter = kit::CGPointMake(160, 568 - 39);
    phone->longPress(shutter, 0.75);
    EXPECT_TRUE(inOrder({ "CAMAvalancheSession init", "PLCameraController capturePhoto", "CAMAvalancheSession dealloc" }));
    EXPECT_FALSE(logged("PLCameraView _shutterButtonClicked")) << "a burst is not also a single photo";
    EXPECT_GE(phone->cameraRoll().size(), 2u);
}

TEST_F(CameraRun, ATapOnThePreviewFocusesThere)
{
    auto phone = startPhone();
    phone->launch();
    m_log->clear();
    phone->tap(kit::CGPointMake(80, 120));
    EXPECT_TRUE(inOrder({ "PLCameraView touchesBegan:withEvent:", "PLCameraView touchesEnded:withEvent:",
        "PLCameraController isFocusAllowed", "PLCameraView convertToPointOfInterestFromViewCoordinates:pointIsInsideContent:",
        "PLCameraController _autofocus:autoExpose:", "PLCameraController _focusStarted", "PLCameraController _exposureStarted" }));
    phone->advance(0.5);
    EXPECT_TRUE(logged("PLCameraController _focusCompleted"));
    EXPECT_TRUE(logged("PLCameraController _exposureCompleted"));
    auto device = kit::AVCaptureDevice::defaultDeviceWithMediaType(kit::AVMediaTypeVideo);
    ASSERT_TRUE(device);
    // (80, 120) is a quarter across and under a fifth down the portrait
    // preview; the sensor's axes are turned.
    EXPECT_NEAR(device->focusPointOfInterest().y, 0.75, 0.01);
    EXPECT_LT(device->focusPointOfInterest().x, 0.25);
}

TEST_F(CameraRun, ALongPressOnThePreviewLocksFocusAndExposure)
{
    auto phone = startPhone();
    phone->launch();
    phone->longPress(kit::CGPointMake(160, 200), 1.0);
    EXPECT_TRUE(inOrder({ "PLCameraView _handleOverlayViewLongPress:", "PLCameraController _lockFocus:lockExposure:lockWhiteBalance:" }));
    auto device = kit::AVCaptureDevice::defaultDeviceWithMediaType(kit::AVMediaTypeVideo);
    EXPECT_EQ(device->focusMode(), kit::AVCaptureFocusModeLocked);
    EXPECT_EQ(device->exposureMode(), kit::AVCaptureExposureModeLocked);
}

TEST_F(CameraRun, SuspensionStopsThePreviewAndReturnStartsItAgain)
{
    auto phone = startPhone();
    phone->launch();
    m_log->clear();
    phone->background();
    EXPECT_TRUE(inOrder({ "PLCameraView animateBlurForSuspension", "PLCameraView stopPreviewAnimated:",
        "PLCameraController _sessionStopped:" }));
    phone->pressShutter();
    EXPECT_TRUE(phone->cameraRoll().empty());
    phone->foreground();
    EXPECT_TRUE(inOrder({ "PLCameraView viewDidAppear", "PLCameraController startPreview", "PLCameraController startPreview:",
        "PLCameraController _previewStarted", "PLCameraController _setCameraMode:cameraDevice:" }));
    phone->pressShutter();
    EXPECT_EQ(phone->cameraRoll().size(), 1u);
    phone->memoryWarning();
    EXPECT_TRUE(logged("UIApplication didReceiveMemoryWarning"));
}

TEST_F(CameraRun, TurningTheDeviceReportsTheOrientationOnce)
{
    auto phone = startPhone();
    phone->launch();
    m_log->clear();
    phone->setOrientation(3);
    phone->setGravity(-0.98, 0.05, 0.1);
    phone->setOrientation(5);
    EXPECT_EQ(phone->deviceOrientation(), 3);
    auto lines = events();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "PLCameraController accelerometer:didChangeDeviceOrientation:"), 2);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "PLCameraView _cameraOrientationChanged:"), 1);
}

TEST_F(CameraRun, TheFilterGridHDRMenuAndZoomReportTheirMoments)
{
    auto phone = startPhone();
    phone->launch();
    phone->setFiltersShowing(true);
    EXPECT_TRUE(logged("PLCameraView cameraController:didStartTransitionToShowEffectsGrid:animated:"));
    // The middle-left tile is "Fade"; choosing it closes the grid with the filter on.
    phone->tap(kit::CGPointMake(50, 40 + 428 / 2));
    phone->pressShutter();
    EXPECT_TRUE(logged("PLCIFilterUtilities outputImageFromFilters:inputImage:orientation:copyFiltersFirst:"));

    ASSERT_TRUE(phone->tapView("CAMHDRButton", std::nullopt));
    EXPECT_TRUE(logged("CAMHDRButton _notifyWillExpand"));
    ASSERT_TRUE(phone->tapView("CAMHDRMenuItem", std::nullopt));
    EXPECT_TRUE(logged("CAMHDRButton _notifyDidCollapse"));
    EXPECT_TRUE(logged("PLCameraView toggleHDR:"));
}

TEST_F(CameraRun, QuittingWaitsForDelayedBackgroundWork)
{
    auto phone = startPhone();
    phone->launch();
    auto done = std::make_shared<std::atomic<bool>>(false);
    auto queue = kit::dispatch_queue_create("test.export");
    kit::dispatch_after(kit::dispatch_time(kit::DISPATCH_TIME_NOW, kit::NSEC_PER_SEC), queue, [done] { *done = true; });
    phone->quit();
    EXPECT_TRUE(*done);
    EXPECT_TRUE(logged("PLCameraView dealloc"));
    EXPECT_TRUE(inOrder({ "PLCameraView animateBlurForSuspension", "PLCameraView stopPreviewAnimated:", "PLCameraView dealloc",
        "PLCameraController _destroyCamera" }));
}

TEST_F(CameraRun, APinchZoomsAndShowsTheSliderUntilTheModeChanges)
{
    auto phone = startPhone();
    phone->launch();
    phone->pinch(2.0);
    EXPECT_TRUE(inOrder({ "PLCameraView _setZoomFactor:", "PLCameraView showZoomSlider" }));
    EXPECT_FALSE(logged("PLCameraView convertToPointOfInterestFromViewCoordinates:pointIsInsideContent:"))
        << "a pinch is no tap";
    phone->advance(3.5);
    EXPECT_TRUE(logged("CAMZoomSlider makeInvisible"));
    m_log->clear();
    phone->setCameraMode(4);
    EXPECT_TRUE(logged("PLCameraView _resetZoom"));
}

TEST_F(CameraRun, TheAppCanBeLaunchedAgainAfterQuitting)
{
    auto phone = startPhone();
    phone->pressShutter();
    phone->quit();
    EXPECT_TRUE(phone->cameraRoll().empty()) << "nothing runs before the launch";
    phone->launch();
    phone->quit();
    m_log->clear();
    phone->launch();
    EXPECT_TRUE(phone->isRunning());
    EXPECT_TRUE(inOrder({ "PLCameraController init", "PLCameraController startPreview:" }));
    phone->pressShutter();
    phone->background();
    phone->foreground();
    phone->pressShutter();
    EXPECT_EQ(phone->cameraRoll().size(), 2u);
}

TEST_F(CameraRun, TheFocusSquareStartsAtThePreviewsCentreAndFollowsATap)
{
    auto phone = startPhone();
    phone->launch();
    auto* view = findCameraView();
    ASSERT_TRUE(view);
    auto centreOf = [](kit::CGRect frame) { return kit::CGPointMake(kit::CGRectGetMidX(frame), kit::CGRectGetMidY(frame)); };
    auto expectAt = [&](kit::CGPoint point) {
        EXPECT_DOUBLE_EQ(view->focusSquare()->center().x, point.x);
        EXPECT_DOUBLE_EQ(view->focusSquare()->center().y, point.y);
    };

    // The first mode switch of a session focuses without a touch.
    ASSERT_TRUE(phone->setCameraMode(4));
    host::send(host::sel::PLCameraController_autofocus, host::PLCameraController::sharedInstance());
    EXPECT_FALSE(view->focusSquare()->isHidden());
    expectAt(centreOf(view->previewView()->frame()));

    phone->tap(kit::CGPointMake(80, 200));
    expectAt(kit::CGPointMake(80, 200));
    ASSERT_TRUE(phone->setCameraMode(0));
    expectAt(kit::CGPointMake(80, 200));
}
