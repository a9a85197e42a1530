#pragma once

#include "host/camera/CameraCapabilities.h"
#include "host/camera/CameraScreen.h"
#include "host/camera/Phone.h"

#include <memory>
#include <optional>

namespace hardware {
class CameraHardware;
}

namespace kit {
class Renderer;
}

namespace host {

class PLCameraController;
class PLCameraView;

// The camera app in its process: what the phone powers on (identity,
// device root, clock), what launches (loader, then the camera's screen) and
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
    // Nothing before the launch and after quit.
    CameraScreen* screen() const { return m_screen.get(); }
    PLCameraView* view() const { return m_screen ? m_screen->view() : nullptr; }
    PLCameraController* controller() const { return m_screen ? m_screen->controller() : nullptr; }

private:
    void settle();

    CameraCapabilities m_capabilities;
    std::shared_ptr<hardware::CameraHardware> m_hardware;
    PhoneOptions m_options;
    std::unique_ptr<CameraScreen> m_screen;
    std::unique_ptr<kit::Renderer> m_renderer;
    bool m_running { false };
    bool m_inBackground { false };
};

}
