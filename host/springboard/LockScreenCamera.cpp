#include "host/springboard/LockScreenCamera.h"

#include "host/camera/HostRuntime.h"
#include "host/camera/PLCameraController.h"

#include "kit/foundation/RunLoop.h"
#include "kit/media/MotionSimulator.h"

namespace host {

LockScreenCamera::LockScreenCamera(
    const CameraCapabilities& capabilities, std::shared_ptr<hardware::CameraHardware> hardware)
    : m_capabilities(capabilities)
    , m_hardware(std::move(hardware))
{
}

LockScreenCamera::~LockScreenCamera()
{
    close();
}

bool LockScreenCamera::open()
{
    if (m_screen)
        return true;
    CameraScreen::removeUnfinishedFiles();
    m_screen = CameraScreen::open(m_capabilities, m_hardware);
    if (!m_screen)
        return false;
    EventLog::note("SpringBoard lock-screen camera opened");
    // The accelerometer reports how the device is held from the start.
    auto gravity = kit::MotionSimulator::gravityAt(kit::RunLoop::main().now());
    m_screen->reportGravity(gravity.x, gravity.y, gravity.z);
    kit::RunLoop::main().runDue();
    return true;
}

void LockScreenCamera::close()
{
    if (!m_screen)
        return;
    if (auto* controller = m_screen->controller(); controller->isRecording())
        send(sel::PLCameraController_stopVideoCapture, controller);
    m_screen->stopPreview();
    m_screen->release();
    m_screen.reset();
    EventLog::note("SpringBoard lock-screen camera closed");
    kit::RunLoop::main().runDue();
}

}
