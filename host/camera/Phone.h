#pragma once

#include "host/camera/CameraScreen.h"

#include "hardware/camera/LightSetting.h"

#include "hardware/camera/CameraHardware.h"

#include "kit/ui/CGImage.h"
#include "kit/ui/Geometry.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace hardware {
class CameraModule;
}

namespace host {

class CameraApp;

// What a phone is started with.
struct PhoneOptions {
    // A model identifier of the device table ("iPhone6,1", "iPad4,1", ...).
    std::string model { "iPhone6,1" };
    // The device root: products, resources, settings and photos live in it.
    std::filesystem::path deviceRoot;
    // Load the products through the loader, as a phone with the extension
    // installed does; off, the camera app runs alone.
    bool loadExtension { true };
    // What the cameras look at instead of the built-in scenes: a picture or
    // a movie with a greyscale map of how near each of its points is (level
    // v is 10·v/255 dioptres; without one it is a wall 2 m away), or live
    // sources.
    hardware::SceneChoice scene;
    // Receives one line per host method call and extension notification,
    // already prefixed with the simulated time ("12.500 PLCameraView _shutterButtonClicked").
    std::function<void(const std::string&)> eventLog;
};

// A simulated phone running the camera app: the driver that tests and
// vantor-sim use. Everything happens on the calling thread (the main thread)
// on the virtual clock; only the extension's own background queues run on
// threads of their own.
class Phone {
public:
    using SwipeDirection = host::SwipeDirection;

    // Nothing but an error message for an unknown model, or a scene image or
    // depth map that cannot be read (or a depth map without an image).
    static std::variant<std::unique_ptr<Phone>, std::string> start(PhoneOptions);
    ~Phone();

    // --- The app's life.
    // Starts the camera app: process identity, loader, controller, view,
    // bars, preview, as the real app does.
    void launch();
    void background();
    void foreground();
    void memoryWarning();
    // Ends the app as a person closing it would: it goes to the background
    // (what counts down on the main run loop stops), the work handed to
    // background queues finishes (a movie export and its album save, also
    // one asked for a moment before), and the app ends.
    void quit();
    bool isRunning() const;

    // --- Fingers, in screen points, through normal touch delivery.
    void touchDown(kit::CGPoint);
    void touchMove(kit::CGPoint);
    void touchUp(kit::CGPoint);
    void tap(kit::CGPoint);
    void longPress(kit::CGPoint, double seconds);
    void drag(kit::CGPoint from, kit::CGPoint to, double seconds);
    // A quick swipe of 150 points in 0.15 s from the middle of the preview.
    void swipe(SwipeDirection);
    // Two fingers on the middle of the preview moving apart (scale above 1)
    // or together, in 0.3 s: the zoom follows the spread.
    void pinch(double scale);
    // Taps the centre of the front-most visible view of exactly that class
    // (and tag); false when there is none.
    bool tapView(const std::string& className, std::optional<int> tag);

    // --- The phone's own inputs.
    void pressShutter();
    void pressVolume(bool up);
    // Camera modes 0 photo, 1 video, 2 slow motion, 3 panorama, 4 square;
    // false when the device has no such mode (slow motion, panorama).
    bool setCameraMode(int mode);
    // 0 back, 1 front; false when the device has no such camera.
    bool setCameraDevice(int device);
    // 1 portrait, 2 upside down, 3 landscape right, 4 landscape left,
    // 5 face up, 6 face down; the gravity follows.
    void setOrientation(int deviceOrientation);
    void setGravity(double x, double y, double z);
    void setFiltersShowing(bool);
    // The light on the scene set by hand, or nothing for the scene's own
    // (the time of day's on the built-in scenes).
    void setLight(std::optional<hardware::LightSetting>);

    // --- Time.
    void advance(double seconds);
    double now() const;

    // --- The camera's state, as the app has it (0 before the launch).
    int cameraMode() const;
    int cameraDevice() const;
    bool isRecording() const;
    // 1 to 4: the last way the device was held upright.
    int deviceOrientation() const;

    // The camera hardware, for what it does now (exposure, focus, white
    // balance, light).
    hardware::CameraHardware& cameraHardware() const { return *m_hardware; }
    // The camera of the device in use, or nothing before the launch.
    const hardware::CameraModule* camera() const;

    // --- What a person sees.
    const kit::CGImage& renderScreen();
    bool screenshot(const std::filesystem::path& png);
    // The view tree of every window as text (kit/ui/ViewTreeDescription.h).
    bool describe(const std::filesystem::path& txt) const;
    // The photos and movies in the device's DCIM folder, in name order.
    std::vector<std::filesystem::path> cameraRoll() const;
    static std::vector<std::filesystem::path> cameraRollIn(const std::filesystem::path& deviceRoot);

private:
    explicit Phone(PhoneOptions);
    PhoneOptions m_options;
    std::shared_ptr<hardware::CameraHardware> m_hardware;
    std::unique_ptr<CameraApp> m_app;
};

}
