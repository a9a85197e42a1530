#pragma once

#include "kit/ui/CGImage.h"
#include "kit/ui/UIView.h"

#include <functional>
#include <memory>

typedef struct _cairo cairo_t;

namespace kit {
class AVCaptureDevice;
}

namespace hardware {
class CameraHardware;
}

namespace host {

// The live picture: what the camera in use sees now, through its exposure,
// focus and white balance, magnified by the zoom. The view shows the
// sensor's picture turned upright on the portrait screen, the whole of it
// (the view has the picture's shape), the front camera's as a mirror. Drawn
// afresh each time the screen is drawn (the phone asks for it).
class CAMPreviewView final : public kit::UIView {
    KIT_OBJECT(CAMPreviewView, kit::UIView)

public:
    using DeviceSource = std::function<std::shared_ptr<kit::AVCaptureDevice>()>;
    // The device answered by the source is the camera shown.
    CAMPreviewView(std::shared_ptr<hardware::CameraHardware>, DeviceSource);

    // 1 or more.
    void setZoom(double factor);
    // A darkened, still picture while the app is suspended.
    void setSuspended(bool);

    // The last picture shown, upright as on the screen, at a size; nothing
    // before the first.
    kit::CGImageRef uprightPicture(int width, int height) const;

    void drawRect(kit::CGRect) override;

private:
    // Draws the last frame upright over a rectangle of that size.
    void drawFrame(cairo_t*, double width, double height) const;

    std::shared_ptr<hardware::CameraHardware> m_hardware;
    DeviceSource m_device;
    kit::CGImageRef m_frame;
    bool m_mirrored { false };
    double m_zoom { 1 };
    bool m_suspended { false };
};

}
