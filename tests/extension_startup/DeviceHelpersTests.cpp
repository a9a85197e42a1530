#include "extension/startup/DeviceHardware.h"
#include "extension/startup/Globals.h"
#include "extension/startup/Predicates.h"
#include "extension/startup/VantorHelper.h"

#include "kit/foundation/ProcessIdentity.h"
#include "kit/runtime/Class.h"
#include "kit/runtime/Object.h"
#include "kit/runtime/Selector.h"

#include <gtest/gtest.h>

namespace {

using vantor::VantorHelper;

// Anything that answers cameraMode, as the host's controller and view do.
class ModeAnswerer final : public kit::Object {
    KIT_OBJECT(ModeAnswerer, kit::Object)

public:
    explicit ModeAnswerer(int32_t mode) : m_mode(mode)
    {
        static bool registered = kit::addMethod(staticClass(), kit::sel_registerName("cameraMode"),
            +[](kit::id self, kit::SEL) { return static_cast<ModeAnswerer*>(self)->m_mode; });
        (void)registered;
    }

private:
    int32_t m_mode;
};

TEST(DeviceHardware, NamesKnownModelsAndReturnsUnknownOnesUnchanged)
{
    EXPECT_EQ(vantor::DeviceHardware::platformString("iPhone6,1"), "iPhone 5s (GSM)");
    EXPECT_EQ(vantor::DeviceHardware::platformString("iPad2,4"), "iPad 2 (WiFi)");
    EXPECT_EQ(vantor::DeviceHardware::platformString("iPad4,5"), "iPad mini 2G (Cellular)");
    EXPECT_EQ(vantor::DeviceHardware::platformString("x86_64"), "Simulator");
    EXPECT_EQ(vantor::DeviceHardware::platformString("iPhone3,2"), "iPhone3,2");
}

TEST(DeviceHardware, ReadsTheMachineOfTheProcess)
{
    kit::ProcessIdentity identity;
    identity.machine = "iPod5,1";
    kit::ProcessIdentity::set(identity);
    EXPECT_EQ(vantor::DeviceHardware::platform(), "iPod5,1");
    EXPECT_EQ(vantor::DeviceHardware::platformString(), "iPod Touch 5G");
}

TEST(VantorHelper, BoxPointClampsEachCoordinate)
{
    EXPECT_EQ(VantorHelper::boxPoint({ -0.2, 1.3 }), (kit::CGPoint { 0, 1 }));
    EXPECT_EQ(VantorHelper::boxPoint({ 0.5, 0.5 }), (kit::CGPoint { 0.5, 0.5 }));
}

TEST(VantorHelper, OffsetPointUsesTheWidthForBothAxes)
{
    EXPECT_EQ(VantorHelper::getOrientationOffsetPoint({ 0, 0, 100, 60 }, { 200, 300 }), (kit::CGPoint { 155, 255 }));
}

TEST(VantorHelper, TransformationFollowsTheStoredOrientation)
{
    const kit::CGAffineTransform identity {};
    const std::pair<int64_t, kit::CGAffineTransform> cases[] = {
        { 0, identity },
        { 1, identity },
        { 2, { -1, 0, 0, -1, 0, 0 } },
        { 3, { 0, 1, -1, 0, 0, 0 } },
        { 4, { 0, -1, 1, 0, 0, 0 } },
        { 5, identity },
    };
    for (const auto& [orientation, transform] : cases) {
        vantor::_UIDeviceOrientation = orientation;
        EXPECT_EQ(VantorHelper::getTransformation(), transform) << orientation;
    }
    vantor::_UIDeviceOrientation = 0;
}

TEST(Predicates, OrientationAndModePredicates)
{
    vantor::_UIDeviceOrientation = 3;
    EXPECT_TRUE(vantor::isLandscapeRightOrientation());
    EXPECT_TRUE(vantor::isLandscapeOrientation());
    EXPECT_FALSE(vantor::isPortraitNormalOrientation());
    vantor::_UIDeviceOrientation = 2;
    EXPECT_TRUE(vantor::isPortraitUpsideDownOrientation());
    EXPECT_FALSE(vantor::isLandscapeOrientation());
    vantor::_UIDeviceOrientation = 0;

    ModeAnswerer square(4), video(2), panorama(3);
    EXPECT_TRUE(vantor::isCameraMode(&square));
    EXPECT_FALSE(vantor::isVideoMode(&square));
    EXPECT_TRUE(vantor::isVideoMode(&video));
    EXPECT_FALSE(vantor::isVideoMode(&panorama));
    EXPECT_FALSE(vantor::isCameraMode(&panorama));
}

}

