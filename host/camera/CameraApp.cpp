#include "host/camera/CameraApp.h"

#include "host/camera/CAMImageWell.h"
#include "host/camera/CAMPreviewView.h"
#include "host/camera/CameraClasses.h"
#include "host/camera/DeviceOrientation.h"
#include "host/camera/HostRuntime.h"
#include "host/camera/PLCameraController.h"
#include "host/camera/PLCameraView.h"
#include "host/camera/PLCameraViewController.h"
#include "host/camera/PhotoThumbnail.h"

#include "hardware/camera/CameraHardware.h"

#include "kit/foundation/DeviceRoot.h"
#include "kit/foundation/Dispatch.h"
#include "kit/foundation/ProcessIdentity.h"
#include "kit/foundation/RunLoop.h"
#include "kit/foundation/SystemLog.h"
#include "kit/foundation/TemporaryFile.h"
#include "kit/media/ALAssetsLibrary.h"
#include "kit/media/AVCaptureDevice.h"
#include "kit/media/MotionSimulator.h"
#include "kit/runtime/Loader.h"
#include "kit/ui/Renderer.h"
#include "kit/ui/UIApplication.h"
#include "kit/ui/UIImage.h"
#include "kit/ui/UIScreen.h"
#include "kit/ui/UIWindow.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

namespace host {

namespace {

constexpr const char* cameraBundle = "com.apple.camera";
// How long quitting waits for work that is yet to be handed to a background
// queue (a delayed movie export), in simulated seconds.
constexpr double quitWaitLimit = 10;

}

CameraApp::CameraApp(
    const kit::DeviceProfile& profile, std::shared_ptr<hardware::CameraHardware> hardware, const PhoneOptions& options)
    : m_capabilities(profile)
    , m_hardware(std::move(hardware))
    , m_options(options)
{
    registerCameraClasses();
    // Power on: who the process is, where its files live, a fresh clock.
    kit::ProcessIdentity::set(profile.processIdentity(cameraBundle));
    if (!std::filesystem::exists(m_options.deviceRoot / "var/mobile"))
        kit::DeviceRoot::prepare(m_options.deviceRoot);
    kit::DeviceRoot::set(m_options.deviceRoot);
    kit::RunLoop::main().resetWithVirtualClock();
    kit::AVCaptureDevice::resetDevices();
    kit::MotionSimulator::reset();
    kit::UIApplication::sharedApplication()->resetTouches();
    if (m_options.eventLog)
        EventLog::setSink(m_options.eventLog);
    else
        EventLog::clearSink();
}

CameraApp::~CameraApp()
{
    if (m_running)
        quit();
    EventLog::clearSink();
}

void CameraApp::launch()
{
    if (m_running)
        return;
    // A launch after a quit starts afresh, in the foreground.
    m_inBackground = false;
    m_reportedOrientation.reset();
    kit::ProcessIdentity::set(m_capabilities.profile().processIdentity(cameraBundle));
    kit::DeviceRoot::set(m_options.deviceRoot);
    removeUnfinishedFiles();
    if (m_options.loadExtension) {
        auto result = kit::Loader::loadInto(m_options.deviceRoot, cameraBundle);
        for (const auto& name : result.loaded)
            EventLog::note("loaded " + name);
        for (const auto& name : result.skipped)
            EventLog::note("not loaded " + name);
    }

    kit::id shared = PLCameraController::sharedInstance();
    m_controller = shared ? shared->strongRef<PLCameraController>() : nullptr;
    if (!m_controller) {
        kit::logf("Camera: no camera controller; the app does not start");
        return;
    }
    m_controller->configure(m_capabilities, m_hardware);

    auto screen = kit::UIScreen::mainScreen()->bounds();
    m_view = std::make_shared<PLCameraView>(screen, m_capabilities, m_hardware, m_controller);
    m_view->setUp();
    m_controller->setDelegate(m_view);
    m_viewController = std::make_shared<PLCameraViewController>(m_view);
    m_window = std::make_shared<kit::UIWindow>(screen);
    m_window->setRootViewController(m_viewController);
    // The bars lay out before the view appears, as on the device.
    m_window->layoutIfNeeded();
    m_running = true;
    m_window->makeKeyAndVisible();
    startSession();
    showNewestPhotoInWell();
    // The accelerometer reports how the device is held from the start.
    auto gravity = kit::MotionSimulator::gravityAt(kit::RunLoop::main().now());
    reportGravity(gravity.x, gravity.y, gravity.z);
    settle();
}

void CameraApp::removeUnfinishedFiles()
{
    // Photos, movies, album copies and the settings file are written under
    // a temporary name first; a write that was cut short (the app killed,
    // the phone off) leaves its temporary, which the next start removes.
    int removed = kit::TemporaryFile::removeAbandoned(kit::DeviceRoot::resolve("/var/mobile/Media/DCIM"), true)
        + kit::TemporaryFile::removeAbandoned(kit::DeviceRoot::resolve(kit::ALAssetsLibrary::albumFolder), false)
        + kit::TemporaryFile::removeAbandoned(kit::DeviceRoot::resolve("/var/mobile/Library/Preferences"), false);
    if (removed > 0)
        kit::logf("Camera: removed %d unfinished files left by an interrupted write", removed);
}

void CameraApp::startSession()
{
    send(sel::PLCameraController_startPreviewWith, m_controller.get(), static_cast<kit::id>(m_view.get()));
    send(sel::PLCameraController_setCameraMode, m_controller.get(), m_controller->cameraMode(), m_controller->cameraDevice());
}

void CameraApp::settle()
{
    kit::RunLoop::main().runDue();
}

void CameraApp::showNewestPhotoInWell()
{
    std::filesystem::path newest;
    std::error_code error;
    auto dcim = kit::DeviceRoot::resolve("/var/mobile/Media/DCIM");
    for (auto it = std::filesystem::recursive_directory_iterator(dcim, error);
         it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        auto name = it->path().filename().string();
        if (name.size() > 4 && name[0] != '.' && name.substr(name.size() - 4) == ".JPG" && it->path() > newest)
            newest = it->path();
        if (error)
            break;
    }
    if (newest.empty())
        return;
    std::ifstream file(newest, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    auto image = photoThumbnail(bytes);
    if (!image)
        return;
    send(sel::CAMImageWell_setThumbnailImageAnimated, m_view->imageWell(), static_cast<kit::id>(image.get()), false);
}

void CameraApp::background()
{
    if (!m_running || m_inBackground)
        return;
    m_inBackground = true;
    send(sel::PLCameraView_animateBlurForSuspension, m_view.get());
    send(sel::PLCameraView_stopPreviewAnimated, m_view.get(), true);
    kit::UIApplication::sharedApplication()->enterBackground();
    settle();
}

void CameraApp::foreground()
{
    if (!m_running || !m_inBackground)
        return;
    m_inBackground = false;
    kit::UIApplication::sharedApplication()->enterForeground();
    m_view->resumeFromSuspension();
    send(sel::PLCameraViewController_viewDidAppear, m_viewController.get(), false);
    send(sel::PLCameraController_startPreview, m_controller.get());
    send(sel::PLCameraController_setCameraMode, m_controller.get(), m_controller->cameraMode(), m_controller->cameraDevice());
    settle();
}

void CameraApp::memoryWarning()
{
    if (!m_running)
        return;
    auto* application = kit::UIApplication::sharedApplication();
    EventLog::message(application, sel::UIApplication_didReceiveMemoryWarning.selector);
    application->simulateMemoryWarning();
    settle();
}

void CameraApp::quit()
{
    if (!m_running)
        return;
    auto& loop = kit::RunLoop::main();
    if (m_controller->isRecording())
        send(sel::PLCameraController_stopVideoCapture, m_controller.get());
    // Close as a person does: the app goes to the background first, so what
    // counts down on the main run loop (a self-timer, a time-lapse interval)
    // stops there, as the app's own teardown stops it on a phone.
    background();
    finishBackgroundWork();
    send(sel::PLCameraView_dealloc, m_view.get());
    send(sel::PLCameraController_destroyCamera, m_controller.get());
    m_controller->setDelegate(nullptr);
    m_window->setHidden(true);
    m_window.reset();
    m_viewController.reset();
    m_view.reset();
    m_controller.reset();
    PLCameraController::releaseSharedInstance();
    m_renderer.reset();
    m_running = false;
    kit::DispatchQueue::waitForBackgroundWork();
    loop.runDue();
}

void CameraApp::finishBackgroundWork()
{
    // The work already handed to background queues finishes, and so does
    // the work the clock has yet to hand them (an export asked for a second
    // before): each block, and what it sends back to the main queue (the
    // album's answer). The clock moves only while such work waits for it.
    auto& loop = kit::RunLoop::main();
    double deadline = loop.now() + quitWaitLimit;
    while (true) {
        kit::DispatchQueue::waitForBackgroundWork();
        loop.runDue();
        if (kit::DispatchQueue::backgroundWorkCount() > 0)
            continue;
        auto next = kit::DispatchQueue::nextDelayedBackgroundWork();
        double before = loop.now();
        if (!next || before >= deadline)
            break;
        loop.advance(std::clamp(*next - before, 0.0, deadline - before));
        // A clock that cannot move at this time would never reach the work.
        if (loop.now() <= before && *next > before)
            break;
    }
}

void CameraApp::reportGravity(double x, double y, double z)
{
    kit::MotionSimulator::setGravity({ x, y, z });
    if (!m_running)
        return;
    auto orientation = DeviceOrientation::orientationFor({ x, y, z });
    if (!orientation || orientation == m_reportedOrientation)
        return;
    m_reportedOrientation = orientation;
    send(sel::PLCameraController_accelerometerOrientation, m_controller.get(), nullptr, *orientation);
    settle();
}

const kit::CGImage& CameraApp::renderScreen()
{
    if (!m_renderer)
        m_renderer = std::make_unique<kit::Renderer>();
    if (m_view) {
        // The live picture changes every moment: draw it afresh.
        m_view->previewView()->setNeedsDisplay();
    }
    m_renderer->render();
    return m_renderer->pixels();
}

bool CameraApp::screenshot(const std::filesystem::path& png)
{
    renderScreen();
    return m_renderer->writePNG(png.string());
}

}
