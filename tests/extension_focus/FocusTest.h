#pragma once

// A camera run in the advanced photo mode (the default), and the ways the
// reticle tests look into it: the capture device, the reticles' places and
// the host's camera view.

#include "ExtensionTest.h"

#include "extension/camerabar/CameraBar.h"
#include "extension/capture/ExposureView.h"
#include "extension/capture/FocusAndExposureFunctions.h"
#include "extension/capture/FocusView.h"
#include "extension/hooks/HostCamera.h"
#include "extension/startup/Globals.h"
#include "extension/startup/VantorHelper.h"

#include "host/camera/PLCameraView.h"
#include "kit/foundation/RunLoop.h"
#include "kit/media/AVCaptureDevice.h"
#include "kit/runtime/MessageSend.h"
#include "kit/ui/UIApplication.h"
#include "kit/ui/UIWindow.h"

#include <functional>

namespace focustest {

inline kit::SEL sel(const char* name) { return kit::sel_registerName(name); }

inline kit::UIView* findView(kit::UIView* root, const char* className)
{
    if (!root)
        return nullptr;
    if (std::string(className) == root->className())
        return root;
    for (const auto& sub : root->subviews()) {
        if (auto* found = findView(sub.get(), className))
            return found;
    }
    return nullptr;
}

inline kit::CGPoint middle(kit::CGRect r) { return { r.origin.x + r.size.width / 2, r.origin.y + r.size.height / 2 }; }

class FocusTest : public extensiontest::ExtensionTest {
protected:
    void launch(const std::string& model = "iPhone6,1")
    {
        m_phone = startPhone(model);
        ASSERT_TRUE(m_phone);
        m_phone->launch();
        m_phone->advance(1);
        ASSERT_TRUE(vantor::UseAdvancedCamera) << "the advanced photo mode is the default";
        ASSERT_TRUE(vantor::focusView && vantor::exposureView);
    }

    void TearDown() override
    {
        m_phone.reset();
        ExtensionTest::TearDown();
    }

    kit::id controller() const { return vantor::host::sharedCameraController(); }
    host::PLCameraView* view() const
    {
        for (auto* window : kit::UIApplication::sharedApplication()->windows()) {
            if (auto* found = findView(window, "PLCameraView"))
                return kit::cast<host::PLCameraView>(found);
        }
        return nullptr;
    }
    kit::AVCaptureDevice* device() const { return kit::cast<kit::AVCaptureDevice>(vantor::host::currentDevice(controller())); }
    vantor::FocusView& focus() const { return *vantor::focusView; }
    vantor::ExposureView& exposure() const { return *vantor::exposureView; }
    kit::CGPoint focusMiddle() const { return middle(focus().restingFrame()); }
    kit::CGPoint exposureMiddle() const { return middle(exposure().restingFrame()); }

    // The clamped point of interest the host's view gives for a screen point.
    kit::CGPoint pointOfInterest(kit::CGPoint screenPoint) const
    {
        return vantor::VantorHelper::boxPoint(vantor::host::convertToPointOfInterest(view(), screenPoint, nullptr));
    }

    // A tap, then time for the taps not to count as a double tap.
    void tap(kit::CGPoint p)
    {
        m_phone->tap(p);
        m_phone->advance(1);
    }

    // Drags the exposure reticle away, so the two lie apart.
    void separateReticles()
    {
        m_phone->drag(exposureMiddle(), { 230, 380 }, 0.5);
        m_phone->advance(1);
        ASSERT_GT(exposureMiddle().y, focusMiddle().y + 63);
    }

    int count(const std::string& line) const
    {
        auto lines = events();
        return int(std::count(lines.begin(), lines.end(), line));
    }

    std::unique_ptr<host::Phone> m_phone;
};

}
