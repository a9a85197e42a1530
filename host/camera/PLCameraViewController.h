#pragma once

#include "kit/ui/UIViewController.h"

namespace host {

class PLCameraView;

// Shows the camera view; its appearance goes through the runtime
// (viewDidAppear:), and tells the view (viewDidAppear).
class PLCameraViewController final : public kit::UIViewController {
    KIT_OBJECT(PLCameraViewController, kit::UIViewController)

public:
    explicit PLCameraViewController(std::shared_ptr<PLCameraView>);

    PLCameraView* cameraView() const { return m_cameraView.get(); }

    void loadView() override;
    void viewDidAppear(bool animated) override;

    static void registerRuntimeMethods();

private:
    void hostViewDidAppear(bool animated);

    std::shared_ptr<PLCameraView> m_cameraView;
};

}
