#include "host/camera/PLCameraViewController.h"

#include "host/camera/HostRuntime.h"
#include "host/camera/PLCameraView.h"

namespace host {

KIT_REGISTER_CLASS(PLCameraViewController);

PLCameraViewController::PLCameraViewController(std::shared_ptr<PLCameraView> view)
    : m_cameraView(std::move(view))
{
}

void PLCameraViewController::loadView()
{
    setView(m_cameraView);
}

void PLCameraViewController::viewDidAppear(bool animated)
{
    send(sel::PLCameraViewController_viewDidAppear, this, animated);
}

void PLCameraViewController::hostViewDidAppear(bool animated)
{
    UIViewController::viewDidAppear(animated);
    send(sel::PLCameraView_viewDidAppear, m_cameraView.get());
}

void PLCameraViewController::registerRuntimeMethods()
{
    registerMethod(sel::PLCameraViewController_viewDidAppear, memberImp<&PLCameraViewController::hostViewDidAppear>());
}

}
