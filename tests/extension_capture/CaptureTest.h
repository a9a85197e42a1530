#pragma once

// A camera run with the extension loaded, in video mode or another, and the
// parts of the video-format features as a person or the device sees them:
// the capture device, the two indicators, the chooser and its buttons.

#include "ExtensionTest.h"

#include "extension/camerabar/CameraBar.h"
#include "extension/capture/DimensionsAndFrameRates.h"
#include "extension/elements/CustomDimensionView.h"
#include "extension/elements/CustomDimensionViewButton.h"
#include "extension/elements/CustomSlalomIndicatorView.h"
#include "extension/hooks/HostCamera.h"
#include "extension/startup/Globals.h"

#include "kit/foundation/RunLoop.h"
#include "kit/media/AVCaptureDevice.h"
#include "kit/ui/UILabel.h"

#include <string>
#include <vector>

namespace capturetest {

class CaptureTest : public extensiontest::ExtensionTest {
protected:
    // Launches the model with the settings (none: a fresh settings file, but
    // without the gesture help in the way), then switches to the mode.
    void launch(const std::string& model, int mode, kit::PropertyList::Dictionary settings = {})
    {
        if (!settings.count("showHelpHowToShow"))
            settings["showHelpHowToShow"] = false;
        writeSettings(settings);
        kit::RunLoop::main().resetWithVirtualClock();
        phone = startPhone(model);
        ASSERT_TRUE(phone);
        phone->launch();
        phone->advance(0.5);
        if (mode != 0) {
            ASSERT_TRUE(phone->setCameraMode(mode));
        }
        phone->advance(0.5);
    }

    void TearDown() override
    {
        phone.reset();
        ExtensionTest::TearDown();
    }

    // The camera the host controller is using now.
    static kit::AVCaptureDevice& device()
    {
        auto* camera = kit::cast<kit::AVCaptureDevice>(vantor::host::currentDevice(vantor::host::sharedCameraController()));
        EXPECT_TRUE(camera);
        return *camera;
    }

    static int activeHeight()
    {
        return kit::CMVideoFormatDescriptionGetDimensions(device().activeFormat()->formatDescription()).height;
    }

    static double activeRate() { return 1.0 / kit::CMTimeGetSeconds(device().activeVideoMinFrameDuration()); }

    static vantor::CustomSlalomIndicatorView* heightIndicator()
    {
        return dynamic_cast<vantor::CustomSlalomIndicatorView*>(vantor::_CAMSlalomDimensionIndicator.get());
    }

    static std::string heightText() { return heightIndicator() ? heightIndicator()->framerateLabel()->text() : ""; }

    static vantor::CustomDimensionView* chooser()
    {
        return vantor::cameraBar ? vantor::cameraBar->dimensionSelectionView().get() : nullptr;
    }

    // The heights of the chooser's buttons, in the order they were added.
    static std::vector<int64_t> buttonHeights()
    {
        std::vector<int64_t> heights;
        if (auto* panel = chooser())
            for (const auto& view : panel->subviews())
                if (dynamic_cast<vantor::CustomDimensionViewButton*>(view.get()))
                    heights.push_back(view->tag());
        return heights;
    }

    std::unique_ptr<host::Phone> phone;
};

}
