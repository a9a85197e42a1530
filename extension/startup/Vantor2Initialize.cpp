// The library's entry, run once per process by the loader.

#include "extension/capture/CameraButtonFunctions.h"
#include "extension/startup/DeviceHardware.h"
#include "extension/startup/Globals.h"
#include "extension/startup/InitVariables.h"
#include "extension/startup/ReplacementTable.h"

#include "kit/foundation/ProcessIdentity.h"
#include "kit/foundation/SystemLog.h"
#include "kit/runtime/Selector.h"
#include "kit/ui/UIDevice.h"
#include "kit/ui/UIScreen.h"

namespace vantor {

namespace {

void setDeviceFlags()
{
    // A device too old to answer the idiom query is a phone.
    auto* device = kit::UIDevice::currentDevice();
    IS_IPAD = device->respondsToSelector(kit::sel_registerName("userInterfaceIdiom"))
        && device->userInterfaceIdiom() == 1;

    auto platform = DeviceHardware::platform();
    IS_IPHONE_5S = platform == "iPhone6,1" || platform == "iPhone6,2";

    IS_IPHONE_5S_SCREEN_SIZE = kit::UIScreen::mainScreen()->bounds().size.height == 568;
    kFocusAndExposureTopOffset = IS_IPHONE_5S_SCREEN_SIZE ? 0 : 32;
}

bool isServedProcess(const std::string& bundleIdentifier)
{
    return bundleIdentifier == "com.apple.camera" || bundleIdentifier == "com.apple.springboard";
}

}

}

extern "C" __attribute__((visibility("default"))) void Vantor2Initialize()
{
    using namespace vantor;
    LOGGER_ON = false;
    setDeviceFlags();

    auto bundleIdentifier = kit::NSBundle::mainBundle().bundleIdentifier();
    kit::logf("Vantor2: loaded into %s, system version %s", bundleIdentifier.c_str(),
        kit::UIDevice::currentDevice()->systemVersion().c_str());
    if (!isServedProcess(bundleIdentifier))
        return;

    InitVariables();
    hideCameraBar(nullptr);
    installReplacements();
}
