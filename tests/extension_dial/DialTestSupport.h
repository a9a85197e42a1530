#pragma once

// A selection dial on its own (with its artwork installed) and a whole camera
// run whose camera bar shows it.

#include "ExtensionTest.h"

#include "extension/camerabar/CameraBar.h"
#include "extension/camerabar/OneFingerRotationGestureRecognizer.h"
#include "extension/camerabar/SelectorDialEx.h"
#include "extension/camerabar/SelectorDialGeometry.h"
#include "extension/startup/Globals.h"
#include "extension/startup/InitVariables.h"
#include "host/camera/Phone.h"
#include "kit/foundation/RunLoop.h"
#include "kit/ui/UIFont.h"
#include "kit/ui/UIImageView.h"
#include "kit/ui/UILabel.h"

#include <cmath>
#include <numbers>
#include <vector>

namespace dialtest {

using vantor::SelectorDialEx;

// Degrees clockwise from the top to radians for the recogniser.
inline double radians(double degrees) { return degrees * std::numbers::pi / 180; }

// The marks that show, by number.
inline std::vector<int> litMarks(const SelectorDialEx& dial)
{
    std::vector<int> lit;
    for (int i = 1; i <= vantor::dial::markCount; ++i)
        if (auto* mark = dial.markAt(i); mark && !mark->isHidden())
            lit.push_back(i);
    return lit;
}

inline double digitsSize(const SelectorDialEx& dial) { return dial.timeLbl()->font()->pointSize(); }

class DialTest : public extensiontest::ExtensionTest {
protected:
    void SetUp() override
    {
        ExtensionTest::SetUp();
        installExtension();
        vantor::InitVariables();
    }

    // A dial of the type; the frame-rate type takes maxFrameRate first.
    static std::shared_ptr<SelectorDialEx> makeDial(int64_t type, int32_t maxFrameRate = 30)
    {
        auto dial = SelectorDialEx::initWithFrame(kit::CGRectMake(0, 0, 295, 295));
        dial->setMaxFrameRate(maxFrameRate);
        dial->setSelectorDialType(type);
        return dial;
    }

    // Sends the ring's action as one move that takes the ring from where it
    // stands to the angle.
    static void turnTo(SelectorDialEx& dial, double degrees)
    {
        vantor::OneFingerRotationGestureRecognizer rotation;
        rotation.setRotation(radians(degrees - dial.currentAngle()));
        dial.rotateByTouch(&rotation);
    }
};

// A launched camera with the extension, its camera bar and the mode buttons.
class CameraRunTest : public extensiontest::ExtensionTest {
protected:
    void launch(const std::string& model = "iPhone6,1")
    {
        phone = startPhone(model);
        ASSERT_TRUE(phone);
        phone->launch();
        ASSERT_TRUE(vantor::cameraBar);
    }

    void TearDown() override
    {
        phone.reset();
        ExtensionTest::TearDown();
    }

    vantor::CameraBar& bar() const { return *vantor::cameraBar; }
    SelectorDialEx* dial() const { return bar().selDialEx().get(); }

    // The mode state a tap on a strip button leaves, then the dial's set-up.
    void choose(int64_t selectedMode, int64_t timerMode, int64_t frameRateMode = 0)
    {
        bar().setSelectedMode(selectedMode);
        bar().setTimerMode(timerMode);
        bar().setFrameRateMode(frameRateMode);
        bar().checkSelectionDialSetup();
        phone->advance(0.3);
    }

    // The dial's centre in screen points.
    kit::CGPoint dialCentre() const
    {
        kit::CGRect frame = dial()->frame();
        return { frame.origin.x + frame.size.width / 2, frame.origin.y + frame.size.height / 2 };
    }

    // A finger on the ring at the radius, from one angle to another (degrees
    // clockwise from the top) in small steps, through real touch delivery.
    void dragAroundRing(double fromDegrees, double toDegrees, double radius = 120)
    {
        kit::CGPoint c = dialCentre();
        auto at = [&](double degrees) {
            return kit::CGPoint { c.x + radius * std::sin(radians(degrees)), c.y - radius * std::cos(radians(degrees)) };
        };
        phone->touchDown(at(fromDegrees));
        int steps = int(std::ceil(std::abs(toDegrees - fromDegrees) / 5));
        for (int i = 1; i <= steps; ++i) {
            phone->advance(0.01);
            phone->touchMove(at(fromDegrees + (toDegrees - fromDegrees) * i / steps));
        }
        phone->touchUp(at(toDegrees));
        phone->advance(0.01);
    }

    std::unique_ptr<host::Phone> phone;
};

}
