#pragma once

#include "host/camera/CameraCapabilities.h"
#include "host/camera/Phone.h"

#include <memory>
#include <optional>

namespace hardware {
class CameraHardware;
}

namespace kit {
class Renderer;
class UIWindow;
}

namespace host {

class PLCameraController;
class PLCameraView;
class PLCameraViewController;

// The camera app in its process: what the phone powers on (identity,
// device root, clock), what launches (loader, controller, view, window) and
// the life-cycle steps, each sending the app's own methods through the
// runtime in the order the real app does.
class CameraApp {
public:
    CameraApp(const kit::DeviceProfile&, std::shared_ptr<hardware::CameraHardware>, const PhoneOptions&);
    ~CameraApp();

    void launch();
    void background();
    void foreground();
    void memoryWarning();
    void quit();
    bool isRunning() const { return m_running; }
    bool isInBackground() const { return m_inBackground; }

    void reportGravity(double x, double y, double z);

    const kit::CGImage& renderScreen();
    bool screenshot(const std::filesystem::path&);

    const CameraCapabilities& capabilities() const { return m_capabilities; }
    PLCameraView* view() const { return m_view.get(); }
    PLCameraController* controller() const { return m_controller.get(); }

private:
    void removeUnfinishedFiles();
    void startSession();
    void showNewestPhotoInWell();
    void settle();
    void finishBackgroundWork();

    CameraCapabilities m_capabilities;
    std::shared_ptr<hardware::CameraHardware> m_hardware;
    PhoneOptions m_options;
    std::shared_ptr<PLCameraController> m_controller;
    std::shared_ptr<PLCameraView> m_view;
    std::shared_ptr<PLCameraViewController> m_viewController;
    std::shared_ptr<kit::UIWindow> m_window;
    std::unique_ptr<kit::Renderer> m_renderer;
    std::optional<int32_t> m_reportedOrientation;
    bool m_running { false };
    bool m_inBackground { false };
};

}
