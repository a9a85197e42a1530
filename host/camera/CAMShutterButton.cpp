#include "host/camera/CAMShutterButton.h"

#include "host/camera/CameraCapabilities.h"
#include "host/camera/CameraIcons.h"
#include "host/camera/HostRuntime.h"

namespace host {

KIT_REGISTER_CLASS(CAMShutterButton);

CAMShutterButton::CAMShutterButton(kit::CGRect frame)
    : UIButton(frame)
{
    refresh();
}

void CAMShutterButton::setModeAnimated(int64_t mode, bool animated)
{
    if (mode == m_mode)
        return;
    m_mode = mode;
    refresh();
    if (animated) {
        setAlpha(0.6);
        kit::UIView::animateWithDuration(0.2, [this] { setAlpha(1); });
    }
}

int64_t CAMShutterButton::modeFor(int32_t cameraMode, bool recording)
{
    switch (cameraMode) {
    case CameraModeVideo:
        return recording ? ModeVideoRecording : ModeVideo;
    case CameraModeSlowMotion:
        return recording ? ModeSlowMotionRecording : ModeSlowMotion;
    case CameraModePanorama:
        return ModePanorama;
    default:
        return ModeStill;
    }
}

void CAMShutterButton::layoutSubviews()
{
    if (bounds().size.width != m_drawnDiameter)
        refresh();
    UIButton::layoutSubviews();
}

void CAMShutterButton::refresh()
{
    m_drawnDiameter = bounds().size.width;
    if (m_drawnDiameter <= 0)
        return;
    setImage(CameraIcons::shutter(m_mode, m_drawnDiameter, false), kit::UIControlStateNormal);
    setImage(CameraIcons::shutter(m_mode, m_drawnDiameter, true), kit::UIControlStateHighlighted);
}

void CAMShutterButton::registerRuntimeMethods()
{
    registerMethod(sel::CAMShutterButton_setModeAnimated, memberImp<&CAMShutterButton::setModeAnimated>());
}

}
