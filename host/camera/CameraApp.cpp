#include "host/camera/CameraApp.h"

#include "host/camera/HostRuntime.h"
#include "host/camera/PLCameraController.h"
#include "host/common/AppProcessStart.h"

#include "kit/foundation/DeviceRoot.h"
#include "kit/foundation/Dispatch.h"
#include "kit/foundation/ProcessIdentity.h"
#include "kit/foundation/RunLoop.h"
#include "kit/media/MotionSimulator.h"
#include "kit/ui/Renderer.h"
#include "kit/ui/UIApplication.h"

namespace host {

namespace {

constexpr const char* cameraBundle = "com.apple.camera";

}

CameraApp::CameraApp(
    const kit::DeviceProfile& profile, std::shared_ptr<hardware::CameraHardware> hardware, const PhoneOptions& options)
    : m_capabilities(profile)
    , m_hardware(std::move(hardware))
    , m_options(options)
{
    // Power on: who the process is, where its files live, a fresh clock,
    // the camera's classes and devices.
    startAppProcess(profile.processIdentity(cameraBundle), m_options.deviceRoot);
    CameraScreen::prepareProcess(m_options.eventLog);
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
    kit::ProcessIdentity::set(m_capabilities.profile().processIdentity(cameraBundle));
    kit::DeviceRoot::set(m_options.deviceRoot);
    CameraScreen::removeUnfinishedFiles();
    if (m_options.loadExtension)
        CameraScreen::loadLibraries(m_options.deviceRoot, cameraBundle);

    m_screen = CameraScreen::open(m_capabilities, m_hardware);
    if (!m_screen)
        return;
    m_running = true;
    // The accelerometer reports how the device is held from the start.
    auto gravity = kit::MotionSimulator::gravityAt(kit::RunLoop::main().now());
    reportGravity(gravity.x, gravity.y, gravity.z);
    settle();
}

void CameraApp::settle()
{
    kit::RunLoop::main().runDue();
}

void CameraApp::background()
{
    if (!m_running || m_inBackground)
        return;
    m_inBackground = true;
    m_screen->suspend();
    kit::UIApplication::sharedApplication()->enterBackground();
    settle();
}

void CameraApp::foreground()
{
    if (!m_running || !m_inBackground)
        return;
    m_inBackground = false;
    kit::UIApplication::sharedApplication()->enterForeground();
    m_screen->resume();
    settle();
}

void CameraApp::memoryWarning()
{
    if (m_running)
        CameraScreen::memoryWarning();
}

void CameraApp::quit()
{
    if (!m_running)
        return;
    auto& loop = kit::RunLoop::main();
    auto* controller = m_screen->controller();
    if (controller->isRecording())
        send(sel::PLCameraController_stopVideoCapture, controller);
    // Close as a person does: the app goes to the background first, so what
    // counts down on the main run loop (a self-timer, a time-lapse interval)
    // stops there, as the app's own teardown stops it on a phone.
    background();
    CameraScreen::finishBackgroundWork();
    m_screen->release();
    send(sel::PLCameraController_destroyCamera, controller);
    m_screen.reset();
    PLCameraController::releaseSharedInstance();
    m_renderer.reset();
    m_running = false;
    kit::DispatchQueue::waitForBackgroundWork();
    loop.runDue();
}

void CameraApp::reportGravity(double x, double y, double z)
{
    kit::MotionSimulator::setGravity({ x, y, z });
    if (m_running)
        m_screen->reportGravity(x, y, z);
}

const kit::CGImage& CameraApp::renderScreen()
{
    if (!m_renderer)
        m_renderer = std::make_unique<kit::Renderer>();
    if (m_screen)
        m_screen->prepareToRender();
    m_renderer->render();
    return m_renderer->pixels();
}

bool CameraApp::screenshot(const std::filesystem::path& png)
{
    renderScreen();
    return m_renderer->writePNG(png.string());
}

}
