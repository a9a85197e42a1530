#include "extension/hooks/HookSupport.h"

#include "extension/camerabar/CameraBar.h"
#include "extension/hooks/HostCamera.h"
#include "extension/startup/Globals.h"
#include "kit/foundation/NSFileManager.h"

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

std::string cameraRollFolder()
{
    auto url = host::nextAvailablePhotoURL("JPG");
    auto folder = kit::stringByDeletingLastPathComponent(url);
    auto colon = folder.rfind(':');
    if (colon != std::string::npos)
        folder = folder.substr(colon + 1);
    // "file:///var/..." leaves "///var/...": one slash is the same folder.
    while (folder.starts_with("//"))
        folder.erase(0, 1);
    return folder;
}

}
