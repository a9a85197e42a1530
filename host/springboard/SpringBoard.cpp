#include "host/springboard/SpringBoard.h"

#include "host/camera/EventLog.h"
#include "host/common/AppProcessStart.h"

#include "hardware/camera/CameraHardware.h"
#include "host/common/ScreenTouches.h"
#include "host/springboard/SBCameraGrabberView.h"
#include "host/springboard/SBHomeScreenView.h"
#include "host/springboard/SBLockScreenView.h"
#include "host/springboard/SBLockScreenWindow.h"
#include "host/springboard/SBSlideToUnlockView.h"

#include "kit/foundation/RunLoop.h"
#include "kit/media/DeviceProfile.h"
#include "kit/media/MotionSimulator.h"
#include "kit/ui/Renderer.h"
#include "kit/ui/UIScreen.h"
#include "kit/ui/UIWindow.h"

namespace host {

namespace {

constexpr const char* springBoardBundle = "com.apple.springboard";
// A person's swipe on the lock screen: across most of the width, or up
// from the grabber through half the height, in this many seconds.
constexpr double swipeSeconds = 0.3;

void settle()
{
    kit::RunLoop::main().runDue();
}

}

std::variant<std::unique_ptr<SpringBoard>, std::string> SpringBoard::start(SpringBoardOptions options)
{
    auto prepared = CameraScreen::prepareStart(options.model, options.deviceRoot, options.scene);
    if (auto* problem = std::get_if<std::string>(&prepared))
        return *problem;
    auto& start = std::get<CameraScreen::ProcessStart>(prepared);
    std::unique_ptr<SpringBoard> springBoard(new SpringBoard(std::move(options)));
    springBoard->powerOn(*start.profile, std::move(start.hardware));
    return springBoard;
}

SpringBoard::SpringBoard(SpringBoardOptions options)
    : m_options(std::move(options))
{
}

SpringBoard::~SpringBoard()
{
    quit();
}

void SpringBoard::powerOn(const kit::DeviceProfile& profile, std::shared_ptr<hardware::CameraHardware> hardware)
{
    // The camera's classes are there before the loader offers the
    // extension, which finds them by name.
    startAppProcess(profile.processIdentity(springBoardBundle), m_options.deviceRoot);
    CameraScreen::prepareProcess(m_options.eventLog);
    if (m_options.loadExtension)
        CameraScreen::loadLibraries(m_options.deviceRoot, springBoardBundle);
    CameraCapabilities capabilities(profile);
    m_cameraHardware = hardware;
    m_lockCamera = std::make_unique<LockScreenCamera>(capabilities, std::move(hardware));
    buildScreens(profile.idiom == 1);
    settle();
}

void SpringBoard::buildScreens(bool pad)
{
    auto bounds = kit::UIScreen::mainScreen()->bounds();
    m_homeScreen = std::make_shared<SBHomeScreenView>(bounds, pad);
    m_homeScreen->onOpen = [this](const std::string& app) { openApplication(app); };
    m_homeWindow = std::make_shared<kit::UIWindow>(bounds);
    m_homeWindow->addSubview(m_homeScreen);

    m_lockScreen = std::make_shared<SBLockScreenView>(bounds);
    m_lockScreen->onUnlock = [this] { unlock(); };
    m_lockScreen->onOpenCamera = [this] { openCamera(); };
    m_lockScreen->onCloseCamera = [this] { closeCamera(); };
    m_lockWindow = std::make_shared<SBLockScreenWindow>(bounds);
    m_lockWindow->addSubview(m_lockScreen);
}

void SpringBoard::setScreen(Screen screen)
{
    if (screen == m_screen)
        return;
    m_screen = screen;
    EventLog::note(std::string("SpringBoard ") + nameOf(screen));
    if (onScreenChange)
        onScreenChange(screen);
}

void SpringBoard::showLockScreen()
{
    m_lockScreen->reset();
    m_lockWindow->makeKeyAndVisible();
    m_homeWindow->setHidden(true);
    setScreen(Screen::LockScreen);
}

void SpringBoard::pressSideButton()
{
    if (m_quit)
        return;
    EventLog::note("SpringBoard side button");
    m_lockCamera->close();
    showLockScreen();
    settle();
}

void SpringBoard::pressHomeButton()
{
    if (m_quit)
        return;
    EventLog::note("SpringBoard home button");
    switch (m_screen) {
    case Screen::LockCamera:
        closeCamera();
        break;
    case Screen::LockScreen:
        break;
    case Screen::App:
    case Screen::HomeScreen:
        m_lockWindow->setHidden(true);
        m_homeWindow->makeKeyAndVisible();
        setScreen(Screen::HomeScreen);
        break;
    }
    settle();
}

void SpringBoard::appCameToFront()
{
    if (m_quit)
        return;
    m_lockCamera->close();
    m_lockWindow->setHidden(true);
    m_homeWindow->setHidden(true);
    setScreen(Screen::App);
    settle();
}

void SpringBoard::unlock()
{
    // The home screen is there at once, under the lock screen sliding away.
    m_homeWindow->setHidden(false);
    m_lockWindow->makeKeyAndVisible();
    setScreen(Screen::HomeScreen);
    std::weak_ptr<SBLockScreenWindow> window = m_lockWindow;
    m_lockScreen->slideAway([this, window](bool) {
        // Locked again meanwhile, the lock screen stays.
        if (window.lock() && m_screen != Screen::LockScreen && m_screen != Screen::LockCamera) {
            m_lockWindow->setHidden(true);
            m_lockScreen->reset();
        }
    });
}

void SpringBoard::openCamera()
{
    if (!m_lockCamera->open()) {
        m_lockScreen->lower(true);
        return;
    }
    // The camera's window came in front of the lock screen's level-mates;
    // the lock screen stays above it while it slides up out of the way.
    m_lockScreen->raise(true);
    setScreen(Screen::LockCamera);
}

void SpringBoard::closeCamera()
{
    m_lockCamera->close();
    m_lockScreen->lower(true);
    setScreen(Screen::LockScreen);
}

void SpringBoard::openApplication(const std::string& bundleIdentifier)
{
    EventLog::note("SpringBoard opens " + bundleIdentifier);
    appCameToFront();
    if (onOpenApplication)
        onOpenApplication(bundleIdentifier);
}

std::optional<std::string> SpringBoard::slideToUnlock()
{
    if (m_screen != Screen::LockScreen)
        return std::string("the lock screen is not in front");
    auto* slider = m_lockScreen->slider();
    auto from = touches::screenPoint(slider, 0.1, 0.5);
    auto to = touches::screenPoint(slider, 0.9, 0.5);
    touches::drag(from, to, swipeSeconds);
    if (m_screen != Screen::HomeScreen)
        return std::string("the lock screen did not unlock");
    return std::nullopt;
}

std::optional<std::string> SpringBoard::swipeCameraGrabberUp()
{
    if (m_screen != Screen::LockScreen)
        return std::string("the lock screen is not in front");
    auto from = touches::screenPoint(m_lockScreen->cameraGrabber());
    auto to = kit::CGPointMake(from.x, from.y - m_lockScreen->bounds().size.height / 2);
    touches::drag(from, to, swipeSeconds);
    if (m_screen != Screen::LockCamera)
        return std::string("the camera did not open");
    return std::nullopt;
}

void SpringBoard::reportGravity(double x, double y, double z)
{
    kit::MotionSimulator::setGravity({ x, y, z });
    if (auto* screen = camera())
        screen->reportGravity(x, y, z);
}

void SpringBoard::setLight(std::optional<hardware::LightSetting> light)
{
    m_cameraHardware->setLight(light);
    settle();
}

const kit::CGImage& SpringBoard::renderScreen()
{
    if (!m_renderer)
        m_renderer = std::make_unique<kit::Renderer>();
    if (auto* screen = camera())
        screen->prepareToRender();
    m_renderer->render();
    return m_renderer->pixels();
}

bool SpringBoard::screenshot(const std::filesystem::path& png)
{
    renderScreen();
    return m_renderer->writePNG(png.string());
}

void SpringBoard::quit()
{
    if (m_quit)
        return;
    m_quit = true;
    if (m_lockCamera)
        m_lockCamera->close();
    CameraScreen::finishBackgroundWork();
    if (m_lockWindow)
        m_lockWindow->setHidden(true);
    if (m_homeWindow)
        m_homeWindow->setHidden(true);
    m_lockScreen.reset();
    m_lockWindow.reset();
    m_homeScreen.reset();
    m_homeWindow.reset();
    m_lockCamera.reset();
    m_renderer.reset();
    settle();
    EventLog::clearSink();
}

}
