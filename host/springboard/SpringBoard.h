#pragma once

#include "host/camera/CameraCapabilities.h"
#include "host/springboard/LockScreenCamera.h"
#include "host/springboard/SpringBoardScreen.h"

#include "hardware/camera/CameraHardware.h"
#include "hardware/camera/LightSetting.h"

#include "kit/ui/CGImage.h"
#include "kit/ui/Geometry.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <variant>

namespace hardware {
class CameraHardware;
}

namespace kit {
class Renderer;
class UIWindow;
}

namespace host {

class SBHomeScreenView;
class SBLockScreenView;
class SBLockScreenWindow;

// What the home screen is started with.
struct SpringBoardOptions {
    std::string model { "iPhone6,1" };
    std::filesystem::path deviceRoot;
    // Let the loader offer the products in the device root, as a phone with
    // the extension installed does.
    bool loadExtension { true };
    // What the lock-screen camera looks at instead of the built-in scenes
    // (PhoneOptions).
    hardware::SceneChoice scene;
    // One line per host method call of its camera and per step of its own,
    // prefixed with the simulated time, as the camera app's (EventLog.h).
    std::function<void(const std::string&)> eventLog;
};

// The home-screen process ("com.apple.springboard") in its own process: the
// lock screen, the home screen with the apps' icons, and the camera on the
// lock screen, which is the host camera's own screen (CameraScreen) with
// the extension loaded by the same loader and filter as in the camera app.
// The apps themselves run in processes of their own: an icon asks for its
// app (onOpenApplication) and whoever runs the apps brings it to the front.
// Everything runs on the calling thread on the virtual clock.
class SpringBoard {
public:
    using Screen = SpringBoardScreen;

    // Powers on: identity, device root, a fresh clock, the loader. It shows
    // nothing until a button or an app's leaving asks it to. Nothing but an
    // error message for an unknown model or a scene that cannot be read.
    static std::variant<std::unique_ptr<SpringBoard>, std::string> start(SpringBoardOptions);
    ~SpringBoard();
    SpringBoard(const SpringBoard&) = delete;
    SpringBoard& operator=(const SpringBoard&) = delete;

    Screen screen() const { return m_screen; }
    // Told of each change of what it shows, and of each app an icon asks
    // for, in order; both may be called from inside any call below.
    std::function<void(Screen)> onScreenChange;
    std::function<void(const std::string& bundleIdentifier)> onOpenApplication;

    // --- The phone's buttons.
    // The side button: the camera on the lock screen closes at once and
    // the lock screen shows (an app in front has gone to the background
    // before, as whoever runs it sends it there).
    void pressSideButton();
    // The home button: on the lock-screen camera the camera closes and the
    // lock screen comes back down; on the lock screen nothing; otherwise
    // the home screen shows.
    void pressHomeButton();
    // An app came to the front: the home screen steps back.
    void appCameToFront();

    // --- A person's finger on the lock screen, through the touch screen.
    // The reason when the lock screen is not in front or did not give way.
    std::optional<std::string> slideToUnlock();
    std::optional<std::string> swipeCameraGrabberUp();

    // --- The device.
    void reportGravity(double x, double y, double z);
    // The light on the scene its camera sees, or the scene's own.
    void setLight(std::optional<hardware::LightSetting>);

    // --- What a person sees.
    const kit::CGImage& renderScreen();
    bool screenshot(const std::filesystem::path& png);

    // The camera on the lock screen; its screen is nothing while it is closed.
    LockScreenCamera& lockCamera() { return *m_lockCamera; }
    CameraScreen* camera() const { return m_lockCamera->screen(); }
    SBLockScreenView* lockScreen() const { return m_lockScreen.get(); }
    SBHomeScreenView* homeScreen() const { return m_homeScreen.get(); }

    // The process ends: the camera closes, the work on background queues
    // finishes (a movie export), the windows go.
    void quit();

private:
    explicit SpringBoard(SpringBoardOptions);
    void powerOn(const kit::DeviceProfile&, std::shared_ptr<hardware::CameraHardware>);
    void buildScreens(bool pad);
    void setScreen(Screen);
    void showLockScreen();
    void unlock();
    void openCamera();
    void closeCamera();
    void openApplication(const std::string& bundleIdentifier);

    SpringBoardOptions m_options;
    std::shared_ptr<hardware::CameraHardware> m_cameraHardware;
    std::unique_ptr<LockScreenCamera> m_lockCamera;
    std::shared_ptr<SBLockScreenWindow> m_lockWindow;
    std::shared_ptr<SBLockScreenView> m_lockScreen;
    std::shared_ptr<kit::UIWindow> m_homeWindow;
    std::shared_ptr<SBHomeScreenView> m_homeScreen;
    std::unique_ptr<kit::Renderer> m_renderer;
    Screen m_screen { Screen::App };
    bool m_quit { false };
};

}
