#pragma once

#include "host/camera/CameraCapabilities.h"
#include "host/camera/CameraScreen.h"

#include <memory>

namespace hardware {
class CameraHardware;
}

namespace host {

// The camera on the lock screen: the host camera's own screen, shown inside
// the home screen's process. It opens as the camera app's does, but it
// closes without the application going to the background: its preview
// stops and its view is released, which is where a loaded extension saves
// its settings and lets its objects go. Opened again, it builds everything
// afresh; the process's camera controller stays.
class LockScreenCamera {
public:
    LockScreenCamera(const CameraCapabilities&, std::shared_ptr<hardware::CameraHardware>);
    ~LockScreenCamera();

    // False when the camera cannot start (no controller); then it stays closed.
    bool open();
    // A recording ends and is saved, the preview stops, the view is released.
    void close();
    bool isOpen() const { return bool(m_screen); }

    // Nothing while closed.
    CameraScreen* screen() const { return m_screen.get(); }

private:
    CameraCapabilities m_capabilities;
    std::shared_ptr<hardware::CameraHardware> m_hardware;
    std::unique_ptr<CameraScreen> m_screen;
};

}
