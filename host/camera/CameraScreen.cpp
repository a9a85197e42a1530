#include "host/camera/CameraScreen.h"

#include "host/camera/CAMImageWell.h"
#include "host/camera/CAMPreviewView.h"
#include "host/camera/CAMShutterButton.h"
#include "host/camera/CameraClasses.h"
#include "host/camera/DeviceOrientation.h"
#include "host/camera/HostRuntime.h"
#include "host/camera/PLCameraController.h"
#include "host/camera/PLCameraView.h"
#include "host/camera/PLCameraViewController.h"
#include "host/camera/PhotoThumbnail.h"
#include "host/common/ScreenTouches.h"

#include "hardware/camera/CameraHardware.h"

#include "kit/foundation/DeviceRoot.h"
#include "kit/foundation/Dispatch.h"
#include "kit/foundation/RunLoop.h"
#include "kit/foundation/SystemLog.h"
#include "kit/foundation/TemporaryFile.h"
#include "kit/media/ALAssetsLibrary.h"
#include "kit/media/AVCaptureDevice.h"
#include "kit/media/DeviceProfile.h"
#include "kit/media/MotionSimulator.h"
#include "kit/runtime/Loader.h"
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

// A pinch's fingers move in steps of this many seconds.
constexpr double touchStep = 1.0 / 60;
// How long the end of a process waits for work that is yet to be handed to
// a background queue (a delayed movie export), in simulated seconds.
constexpr double backgroundWaitLimit = 10;

void settle()
{
    kit::RunLoop::main().runDue();
}

}

CameraScreen::CameraScreen(const CameraCapabilities& capabilities, std::shared_ptr<hardware::CameraHardware> hardware)
    : m_capabilities(capabilities)
    , m_hardware(std::move(hardware))
{
}

std::unique_ptr<CameraScreen> CameraScreen::open(
    const CameraCapabilities& capabilities, std::shared_ptr<hardware::CameraHardware> hardware)
{
    kit::id shared = PLCameraController::sharedInstance();
    auto controller = shared ? shared->strongRef<PLCameraController>() : nullptr;
    if (!controller) {
        kit::logf("Camera: no camera controller; the camera does not start");
        return nullptr;
    }
    std::unique_ptr<CameraScreen> screen(new CameraScreen(capabilities, std::move(hardware)));
    screen->m_controller = controller;
    controller->configure(screen->m_capabilities, screen->m_hardware);

    auto bounds = kit::UIScreen::mainScreen()->bounds();
    screen->m_view = std::make_shared<PLCameraView>(bounds, screen->m_capabilities, screen->m_hardware, controller);
    screen->m_view->setUp();
    controller->setDelegate(screen->m_view);
    screen->m_viewController = std::make_shared<PLCameraViewController>(screen->m_view);
    screen->m_window = std::make_shared<kit::UIWindow>(bounds);
    screen->m_window->setRootViewController(screen->m_viewController);
    // The bars lay out before the view appears, as on the device.
    screen->m_window->layoutIfNeeded();
    screen->m_window->makeKeyAndVisible();
    screen->startSession();
    screen->showNewestPhotoInWell();
    return screen;
}

CameraScreen::~CameraScreen()
{
    release();
}

void CameraScreen::startSession()
{
    send(sel::PLCameraController_startPreviewWith, m_controller.get(), static_cast<kit::id>(m_view.get()));
    send(sel::PLCameraController_setCameraMode, m_controller.get(), m_controller->cameraMode(), m_controller->cameraDevice());
}

void CameraScreen::showNewestPhotoInWell()
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

void CameraScreen::suspend()
{
    if (!m_view)
        return;
    send(sel::PLCameraView_animateBlurForSuspension, m_view.get());
    send(sel::PLCameraView_stopPreviewAnimated, m_view.get(), true);
}

void CameraScreen::resume()
{
    if (!m_view)
        return;
    m_view->resumeFromSuspension();
    send(sel::PLCameraViewController_viewDidAppear, m_viewController.get(), false);
    send(sel::PLCameraController_startPreview, m_controller.get());
    send(sel::PLCameraController_setCameraMode, m_controller.get(), m_controller->cameraMode(), m_controller->cameraDevice());
}

void CameraScreen::stopPreview()
{
    if (m_view)
        send(sel::PLCameraView_stopPreviewAnimated, m_view.get(), true);
}

void CameraScreen::release()
{
    if (!m_view)
        return;
    send(sel::PLCameraView_dealloc, m_view.get());
    m_controller->setDelegate(nullptr);
    m_window->setHidden(true);
    m_window.reset();
    m_viewController.reset();
    m_view.reset();
}

void CameraScreen::swipe(SwipeDirection direction)
{
    if (!m_view)
        return;
    auto frame = m_view->previewView()->frame();
    auto start = m_view->convertPointToScreen(kit::CGPointMake(kit::CGRectGetMidX(frame), kit::CGRectGetMidY(frame)));
    const double distance = 150;
    kit::CGPoint end = start;
    switch (direction) {
    case SwipeDirection::Up:
        end.y -= distance;
        break;
    case SwipeDirection::Down:
        end.y += distance;
        break;
    case SwipeDirection::Left:
        end.x -= distance;
        break;
    case SwipeDirection::Right:
        end.x += distance;
        break;
    }
    touches::drag(start, end, 0.15);
}

void CameraScreen::pinch(double scale)
{
    if (!m_view || scale <= 0)
        return;
    auto frame = m_view->previewView()->frame();
    auto centre = m_view->convertPointToScreen(kit::CGPointMake(kit::CGRectGetMidX(frame), kit::CGRectGetMidY(frame)));
    const double startSpread = 60;
    const double seconds = 0.3;
    int steps = int(std::ceil(seconds / touchStep));
    auto fingers = [&](double spread) {
        return std::pair { kit::CGPointMake(centre.x - spread / 2, centre.y), kit::CGPointMake(centre.x + spread / 2, centre.y) };
    };
    auto* application = kit::UIApplication::sharedApplication();
    auto& loop = kit::RunLoop::main();
    auto [first, second] = fingers(startSpread);
    application->touchDown(first, 0);
    application->touchDown(second, 1);
    for (int i = 1; i <= steps; ++i) {
        loop.advance(seconds / steps);
        auto [a, b] = fingers(startSpread * (1 + (scale - 1) * double(i) / steps));
        application->touchMove(a, 0);
        application->touchMove(b, 1);
    }
    auto [a, b] = fingers(startSpread * scale);
    application->touchUp(a, 0);
    application->touchUp(b, 1);
    settle();
}

void CameraScreen::pressShutter()
{
    if (!m_view || !touches::isShown(m_view->shutterButton()))
        return;
    touches::tap(touches::screenPoint(m_view->shutterButton()));
}

void CameraScreen::pressVolume(bool up)
{
    if (!m_view)
        return;
    send(sel::PLCameraView_handleVolumeButtonDown, m_view.get());
    kit::RunLoop::main().advance(0.1);
    if (up)
        send(sel::PLCameraView_handleVolumeUpEvents, m_view.get(), nullptr);
    send(sel::PLCameraView_handleVolumeButtonUp, m_view.get());
    settle();
}

bool CameraScreen::setCameraMode(int mode)
{
    if (!m_view || !m_capabilities.hasMode(mode, m_controller->cameraDevice()))
        return false;
    m_view->switchToCameraMode(mode);
    settle();
    return m_controller->cameraMode() == mode;
}

bool CameraScreen::setCameraDevice(int device)
{
    if (!m_view || !m_capabilities.hasCamera(device))
        return false;
    m_view->switchToCameraDevice(device);
    settle();
    return m_controller->cameraDevice() == device;
}

void CameraScreen::setFiltersShowing(bool showing)
{
    if (m_view)
        m_view->setFiltersShowing(showing);
    settle();
}

void CameraScreen::reportGravity(double x, double y, double z)
{
    if (!m_view)
        return;
    auto orientation = DeviceOrientation::orientationFor({ x, y, z });
    if (!orientation || orientation == m_reportedOrientation)
        return;
    m_reportedOrientation = orientation;
    send(sel::PLCameraController_accelerometerOrientation, m_controller.get(), nullptr, *orientation);
    settle();
}

void CameraScreen::memoryWarning()
{
    auto* application = kit::UIApplication::sharedApplication();
    EventLog::message(application, sel::UIApplication_didReceiveMemoryWarning.selector);
    application->simulateMemoryWarning();
    settle();
}

std::variant<CameraScreen::ProcessStart, std::string> CameraScreen::prepareStart(
    const std::string& model, const std::filesystem::path& deviceRoot, const hardware::SceneChoice& choice)
{
    const auto* profile = kit::DeviceProfile::forModel(model);
    if (!profile)
        return "unknown device model \"" + model + "\"";
    if (deviceRoot.empty())
        return std::string("no device root given");
    auto made = hardware::CameraHardware::withScene(choice);
    if (auto* problem = std::get_if<std::string>(&made))
        return *problem;
    auto hardware = std::get<std::shared_ptr<hardware::CameraHardware>>(made);
    hardware->setEventSink([](const std::string& line) { EventLog::note(line); });
    return ProcessStart { profile, std::move(hardware) };
}

void CameraScreen::prepareProcess(const std::function<void(const std::string&)>& eventLog)
{
    registerCameraClasses();
    kit::AVCaptureDevice::resetDevices();
    kit::MotionSimulator::reset();
    if (eventLog)
        EventLog::setSink(eventLog);
    else
        EventLog::clearSink();
}

void CameraScreen::loadLibraries(const std::filesystem::path& deviceRoot, const std::string& bundleIdentifier)
{
    auto result = kit::Loader::loadInto(deviceRoot, bundleIdentifier);
    for (const auto& name : result.loaded)
        EventLog::note("loaded " + name + " into " + bundleIdentifier);
    for (const auto& name : result.skipped)
        EventLog::note("not loaded " + name);
}

void CameraScreen::removeUnfinishedFiles()
{
    int removed = kit::TemporaryFile::removeAbandoned(kit::DeviceRoot::resolve("/var/mobile/Media/DCIM"), true)
        + kit::TemporaryFile::removeAbandoned(kit::DeviceRoot::resolve(kit::ALAssetsLibrary::albumFolder), false)
        + kit::TemporaryFile::removeAbandoned(kit::DeviceRoot::resolve("/var/mobile/Library/Preferences"), false);
    if (removed > 0)
        kit::logf("Camera: removed %d unfinished files left by an interrupted write", removed);
}

void CameraScreen::finishBackgroundWork()
{
    // The work already handed to background queues finishes, and so does
    // the work the clock has yet to hand them (an export asked for a second
    // before): each block, and what it sends back to the main queue (the
    // album's answer). The clock moves only while such work waits for it.
    auto& loop = kit::RunLoop::main();
    double deadline = loop.now() + backgroundWaitLimit;
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

void CameraScreen::prepareToRender()
{
    if (m_view)
        m_view->previewView()->setNeedsDisplay();
}

int CameraScreen::cameraMode() const
{
    return m_controller->cameraMode();
}

int CameraScreen::cameraDevice() const
{
    return m_controller->cameraDevice();
}

bool CameraScreen::isRecording() const
{
    return m_controller->isRecording();
}

int CameraScreen::deviceOrientation() const
{
    return m_controller->deviceOrientation();
}

}
