#pragma once

// A camera run with the extension loaded, and the composition aids as a
// person sees them: the overlay indicator and its strip, the drawing over the
// preview, the horizon level and its button, the tilt alert.

#include "ExtensionTest.h"

#include "extension/camerabar/CameraBar.h"
#include "extension/composition/OverlayIndicator.h"
#include "extension/startup/Globals.h"

#include "kit/foundation/RunLoop.h"
#include "kit/ui/CGImage.h"
#include "kit/ui/UIImage.h"
#include "kit/ui/UIImageView.h"

#include <string>

namespace compositiontest {

class CompositionTest : public extensiontest::ExtensionTest {
protected:
    void launch(const std::string& model = "iPhone6,1")
    {
        kit::RunLoop::main().resetWithVirtualClock();
        phone = startPhone(model);
        ASSERT_TRUE(phone);
        phone->launch();
        phone->advance(1);
        ASSERT_TRUE(vantor::cameraBar) << "the camera bar is made when the preview starts";
    }

    // Launches with the settings that remember the user's choices.
    void launchRemembering(kit::PropertyList::Dictionary settings = {}, const std::string& model = "iPhone6,1")
    {
        settings["rememberSettings"] = true;
        writeSettings(settings);
        launch(model);
    }

    void TearDown() override
    {
        phone.reset();
        ExtensionTest::TearDown();
    }

    static vantor::OverlayIndicator* indicator()
    {
        return dynamic_cast<vantor::OverlayIndicator*>(vantor::_overlayIndicator.get());
    }

    // Taps the middle of the view on the screen, as a finger does.
    void tapOn(const kit::UIView& view)
    {
        auto bounds = view.bounds();
        phone->tap(view.convertPointToScreen({ kit::CGRectGetMidX(bounds), kit::CGRectGetMidY(bounds) }));
    }

    std::unique_ptr<host::Phone> phone;
};

}
