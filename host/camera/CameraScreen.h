#pragma once

#include "host/camera/CameraCapabilities.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <variant>

namespace hardware {
class CameraHardware;
struct SceneChoice;
}

namespace kit {
struct DeviceProfile;
class UIWindow;
}

namespace host {

class PLCameraController;
class PLCameraView;
class PLCameraViewController;

enum class SwipeDirection { Up, Down, Left, Right };

// The camera's screen in a process: the process's camera controller, the
// camera view in a window of its own, and what a person does to them. The
// camera app shows one (CameraApp.h) and so does the home screen on its lock
// screen: the same host classes, the same steps, each sent through the
// runtime in the order the real camera sends them, so a loaded extension
// sees them in either process. The process's identity, clock, loader and
// renderer belong to its owner. Everything runs on the main thread.
class CameraScreen {
public:
    // Builds the view over the screen's bounds with its bars, shows its
    // window and starts the preview in the controller's mode; the
    // controller is the process's shared one (made and initialised through
    // the runtime the first time). Nothing, with a log line, when the
    // process has no camera controller.
    static std::unique_ptr<CameraScreen> open(const CameraCapabilities&, std::shared_ptr<hardware::CameraHardware>);
    // Releases the view (release() when not yet done).
    ~CameraScreen();
    CameraScreen(const CameraScreen&) = delete;
    CameraScreen& operator=(const CameraScreen&) = delete;

    // --- Leaving the screen and coming back.
    // The app is being suspended: the preview blurs, then stops.
    void suspend();
    // Back from suspension: the bars are laid out again, the view appears,
    // the preview starts in the mode it had.
    void resume();
    // The preview stops as the view leaves the screen, without suspension.
    void stopPreview();
    // The view is released (its dealloc is sent through the runtime) and its
    // window taken off the screen. The controller stays the process's.
    void release();
    bool isReleased() const { return !m_view; }

    // --- What a person does; every call does nothing once released.
    // A quick swipe of 150 points in 0.15 s from the middle of the preview.
    void swipe(SwipeDirection);
    // Two fingers on the middle of the preview moving apart (scale above 1)
    // or together, in 0.3 s: the zoom follows the spread.
    void pinch(double scale);
    void pressShutter();
    void pressVolume(bool up);
    // Camera modes 0 photo, 1 video, 2 slow motion, 3 panorama, 4 square;
    // false when the device has no such mode (slow motion, panorama).
    bool setCameraMode(int mode);
    // 0 back, 1 front; false when the device has no such camera.
    bool setCameraDevice(int device);
    void setFiltersShowing(bool);
    // The accelerometer's reading while the camera shows: a new orientation
    // is reported to the controller (the camera keeps the preview level).
    void reportGravity(double x, double y, double z);

    // --- The process around the camera.
    // What a process that shows the camera starts from: its device model,
    // and its camera hardware looking at the built-in scenes or at what is
    // chosen (a picture or movie and its depth map, live sources), the
    // hardware's lines going to the event record. Nothing but the reason
    // for an unknown model, no device root, or a choice that cannot be opened.
    struct ProcessStart {
        const kit::DeviceProfile* profile;
        std::shared_ptr<hardware::CameraHardware> hardware;
    };
    static std::variant<ProcessStart, std::string> prepareStart(
        const std::string& model, const std::filesystem::path& deviceRoot, const hardware::SceneChoice&);
    // A process that shows the camera has the camera's classes registered,
    // the devices' cameras and motion sensor as they are at power-on, and
    // its event record going to `eventLog` (nowhere when empty).
    static void prepareProcess(const std::function<void(const std::string&)>& eventLog);
    // The injection framework offers the device root's libraries to the
    // process (kit/runtime/Loader.h), once the camera's classes are there;
    // the event record says which were loaded into it ("loaded Vantor2 into
    // com.apple.camera") and which could not be.
    static void loadLibraries(const std::filesystem::path& deviceRoot, const std::string& bundleIdentifier);
    // The application receives a memory warning.
    static void memoryWarning();
    // Photos, movies, album copies and the settings file are written under
    // a temporary name first; a write that was cut short (the process
    // killed, the phone off) leaves its temporary, which the camera's next
    // start removes. One log line says how many went.
    static void removeUnfinishedFiles();
    // Waits for the work handed to background queues (a movie export and
    // its album save) and for the work the clock has yet to hand them,
    // moving the clock no more than ten seconds; before the process ends.
    static void finishBackgroundWork();
    // Before each frame is drawn: the live picture changes every moment.
    void prepareToRender();

    // --- The camera's state.
    int cameraMode() const;
    int cameraDevice() const;
    bool isRecording() const;
    // 1 to 4: the last way the device was held upright.
    int deviceOrientation() const;
    const CameraCapabilities& capabilities() const { return m_capabilities; }
    PLCameraView* view() const { return m_view.get(); }
    PLCameraController* controller() const { return m_controller.get(); }

private:
    CameraScreen(const CameraCapabilities&, std::shared_ptr<hardware::CameraHardware>);
    void startSession();
    void showNewestPhotoInWell();

    CameraCapabilities m_capabilities;
    std::shared_ptr<hardware::CameraHardware> m_hardware;
    std::shared_ptr<PLCameraController> m_controller;
    std::shared_ptr<PLCameraView> m_view;
    std::shared_ptr<PLCameraViewController> m_viewController;
    std::shared_ptr<kit::UIWindow> m_window;
    std::optional<int32_t> m_reportedOrientation;
};

}
