#include "extension/camerabar/CameraBar.h"

#include "extension/hooks/HostCamera.h"
#include "extension/startup/Globals.h"
#include "kit/foundation/NSTimer.h"
#include "kit/ui/UIView.h"

namespace vantor {

void CameraBar::DisplayCameraModeChangeObjectsTimed()
{
    // The host settles its new mode first; whether it allows zooming is only
    // known once it has.
    if (auto self = strongRef<CameraBar>())
        kit::NSTimer::scheduledTimerWithTimeInterval(
            0.5, kit::Action(self, &CameraBar::DisplayCameraModeChangeObjects), false);
}

void CameraBar::DisplayCameraModeChangeObjects()
{
    if (zoomView)
        zoomView->setHidden(!host::zoomIsAllowed(cameraView.lock().get()));
}

void CameraBar::zoomFactor(float factor) { host::setZoomFactor(cameraView.lock().get(), factor); }

}
