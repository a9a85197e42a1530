#include "extension/hooks/HookSupport.h"

#include "extension/camerabar/CameraBar.h"
#include "extension/startup/Globals.h"

namespace vantor {

kit::id currentCameraController() { return cameraController.lock().get(); }

void hideChooserAndDialShowReticles(float dialExtra)
{
    // Held here: an element's handler may end the camera bar.
    auto bar = cameraBar;
    if (!bar)
        return;
    bar->toggleElementFinished(-4, 0.25f);
    bar->toggleElementFinished(-5, dialExtra);
    bar->toggleElementFinished(1, 0.0f);
}

}
