#include "extension/hooks/HostCamera.h"

#include "kit/runtime/Class.h"
#include "kit/runtime/MessageSend.h"
#include "kit/ui/UIView.h"

namespace vantor::host {

namespace {

kit::SEL sel(const char* name) { return kit::sel_registerName(name); }

}

kit::id sharedCameraController()
{
    return kit::msgSendClass<kit::id>(kit::objc_getClass("PLCameraController"), sel("sharedInstance"));
}

int32_t cameraMode(kit::id controllerOrView) { return kit::msgSend<int32_t>(controllerOrView, sel("cameraMode")); }

int32_t cameraDevice(kit::id controller) { return kit::msgSend<int32_t>(controller, sel("cameraDevice")); }

kit::id currentDevice(kit::id controller) { return kit::msgSend<kit::id>(controller, sel("currentDevice")); }

void capturePhoto(kit::id controller) { kit::msgSend(controller, sel("capturePhoto")); }

std::string videoCapturePath(kit::id controller)
{
    return kit::msgSend<std::string>(controller, sel("videoCapturePath"));
}

void autofocus(kit::id controller, bool focus, bool expose)
{
    kit::msgSend<void, bool, bool>(controller, sel("_autofocus:autoExpose:"), focus, expose);
}

void lockFocusExposureWhiteBalance(kit::id controller, bool focus, bool exposure, bool whiteBalance)
{
    kit::msgSend<void, bool, bool, bool>(
        controller, sel("_lockFocus:lockExposure:lockWhiteBalance:"), focus, exposure, whiteBalance);
}

void pressShutterButton(kit::id view) { kit::msgSend(view, sel("pressShutterButton")); }

bool respondsToHDRIsOn(kit::id view) { return view && view->respondsToSelector(sel("HDRIsOn")); }

bool HDRIsOn(kit::id view) { return respondsToHDRIsOn(view) && kit::msgSend<bool>(view, sel("HDRIsOn")); }

void toggleHDR(kit::id view, bool on) { kit::msgSend<void, bool>(view, sel("toggleHDR:"), on); }

kit::id filterButton(kit::id view) { return kit::msgSend<kit::id>(view, sel("_filterButton")); }

bool filterButtonIsOn(kit::id button) { return kit::msgSend<bool>(button, sel("isOn")); }

void setShouldShowFocus(kit::id view, bool show) { kit::msgSend<void, bool>(view, sel("_setShouldShowFocus:"), show); }

void setZoomFactor(kit::id view, double factor) { kit::msgSend<void, double>(view, sel("_setZoomFactor:"), factor); }

bool zoomIsAllowed(kit::id view) { return kit::msgSend<bool>(view, sel("_zoomIsAllowed")); }

void updateModeSwitchingAvailability(kit::id view) { kit::msgSend(view, sel("_updateModeSwitchingAvailability")); }

kit::CGPoint convertToPointOfInterest(kit::id view, kit::CGPoint viewPoint, bool* pointIsInsideContent)
{
    return kit::msgSend<kit::CGPoint, kit::CGPoint, bool*>(
        view, sel("convertToPointOfInterestFromViewCoordinates:pointIsInsideContent:"), viewPoint, pointIsInsideContent);
}

kit::id flipButton(kit::id topBar) { return kit::msgSend<kit::id>(topBar, sel("flipButton")); }

kit::id HDROnLabel(kit::id hdrButton)
{
    return kit::msgSend<kit::id>(kit::msgSend<kit::id>(hdrButton, sel("_onLabel")), sel("_label"));
}

void makeInvisible(kit::id zoomSlider) { kit::msgSend(zoomSlider, sel("makeInvisible")); }

std::shared_ptr<kit::UIView> newSlalomIndicatorView(kit::CGRect frame)
{
    auto cls = kit::objc_getClass("CAMSlalomIndicatorView");
    if (!cls)
        return nullptr;
    auto indicator = std::dynamic_pointer_cast<kit::UIView>(cls->createInstance());
    if (indicator)
        kit::msgSend<kit::id, kit::CGRect>(indicator.get(), sel("initWithFrame:"), frame);
    return indicator;
}

void setFramesPerSecond(kit::id indicator, int32_t framesPerSecond)
{
    kit::msgSend<void, int32_t>(indicator, sel("setFramesPerSecond:"), framesPerSecond);
}

kit::id framerateLabel(kit::id indicator) { return kit::msgSend<kit::id>(indicator, sel("_framerateLabel")); }

std::string nextAvailablePhotoURL(const std::string& extension)
{
    auto directory = kit::msgSendClass<kit::id>(kit::objc_getClass("PLPhotoLibrary"), sel("simpleDCIMDirectory"));
    return kit::msgSend<std::string, std::string>(directory, sel("nextAvailableFileURLWithExtension:"), extension);
}

}
