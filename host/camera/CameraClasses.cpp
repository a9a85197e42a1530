#include "host/camera/CameraClasses.h"

#include "host/camera/CAMAvalancheSession.h"
#include "host/camera/CAMBottomBar.h"
#include "host/camera/CAMFilterButton.h"
#include "host/camera/CAMHDRButton.h"
#include "host/camera/CAMHDRMenuItem.h"
#include "host/camera/CAMImageWell.h"
#include "host/camera/CAMShutterButton.h"
#include "host/camera/CAMSlalomIndicatorView.h"
#include "host/camera/CAMTopBar.h"
#include "host/camera/CAMZoomSlider.h"
#include "host/camera/HostRuntime.h"
#include "host/camera/PLCIFilterUtilities.h"
#include "host/camera/PLCameraController.h"
#include "host/camera/PLCameraView.h"
#include "host/camera/PLCameraViewController.h"
#include "host/camera/PLDCIMDirectory.h"
#include "host/camera/PLPhotoLibrary.h"

#include "kit/ui/UIApplication.h"

#include <mutex>

namespace host {

void registerCameraClasses()
{
    static std::once_flag once;
    std::call_once(once, [] {
        // Naming each class registers it, before its methods are added.
        kit::UIApplication::staticClass();
        PLCIFilterUtilities::registerRuntimeMethods();
        CAMHDRButton::registerRuntimeMethods();
        CAMHDRMenuItem::registerRuntimeMethods();
        CAMFilterButton::registerRuntimeMethods();
        CAMAvalancheSession::registerRuntimeMethods();
        CAMImageWell::registerRuntimeMethods();
        PLCameraView::registerRuntimeMethods();
        CAMZoomSlider::registerRuntimeMethods();
        CAMTopBar::registerRuntimeMethods();
        CAMShutterButton::registerRuntimeMethods();
        CAMBottomBar::registerRuntimeMethods();
        PLCameraViewController::registerRuntimeMethods();
        PLCameraController::registerRuntimeMethods();
        CAMSlalomIndicatorView::registerRuntimeMethods();
        PLPhotoLibrary::registerRuntimeMethods();
        PLDCIMDirectory::registerRuntimeMethods();
    });
}

}
