#pragma once

// A camera run with the extension loaded, and the mode strip's parts as a
// person sees them: the buttons in the strip, their captions, its frame.

#include "ExtensionTest.h"

#include "extension/camerabar/CameraBar.h"
#include "extension/capture/CameraButtonFunctions.h"
#include "extension/capture/CameraButtonView.h"
#include "extension/elements/BlurView.h"
#include "extension/elements/CameraButton.h"
#include "extension/elements/MovieButton.h"
#include "extension/elements/TimeLapseButton.h"
#include "extension/elements/TimerButton.h"
#include "extension/elements/WBLockButton.h"
#include "extension/startup/Globals.h"

#include "kit/foundation/RunLoop.h"
#include "kit/ui/UILabel.h"
#include "kit/ui/UIScrollView.h"

#include <string>
#include <vector>

namespace striptest {

class StripTest : public extensiontest::ExtensionTest {
protected:
    void launch(const std::string& model = "iPhone6,1")
    {
        kit::RunLoop::main().resetWithVirtualClock();
        phone = startPhone(model);
        ASSERT_TRUE(phone);
        phone->launch();
        phone->advance(1);
        ASSERT_TRUE(vantor::_cameraButtonView) << "the strip is made when the camera view appears";
    }

    void TearDown() override
    {
        phone.reset();
        ExtensionTest::TearDown();
    }

    static vantor::CameraButtonView& strip() { return *vantor::_cameraButtonView; }

    // The tags of the buttons in the strip, in the order they were added.
    static std::vector<int64_t> buttonTags()
    {
        std::vector<int64_t> tags;
        for (const auto& view : strip().scrollview()->subviews())
            if (!dynamic_cast<kit::UILabel*>(view.get()))
                tags.push_back(view->tag());
        return tags;
    }

    static std::vector<std::string> captions()
    {
        std::vector<std::string> texts;
        for (int slot = 1; slot <= 4; ++slot)
            texts.push_back(strip().btnTxt(slot)->text());
        return texts;
    }

    static double shownX() { return strip().presentation().center.x - strip().bounds().size.width / 2; }

    static std::vector<double> tint()
    {
        auto* blur = strip().blur();
        if (!blur || !blur->colorFilter())
            return {};
        auto* value = blur->colorFilter()->valueForKey("inputColor");
        return value ? std::get<std::vector<double>>(*value) : std::vector<double> {};
    }

    std::unique_ptr<host::Phone> phone;
};

}
