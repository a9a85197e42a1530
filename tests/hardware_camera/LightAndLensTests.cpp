#include "hardware/camera/ColourTemperature.h"
#include "hardware/camera/Daylight.h"
#include "hardware/camera/Exposure.h"
#include "hardware/camera/Lens.h"

#include "kit/media/DeviceProfile.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace hardware;

TEST(ColourTemperature, DaylightIsWhiteWarmerIsRedderCoolerIsBluerAndAllHaveTheSameLuminance)
{
    auto daylight = lightColour(5500);
    EXPECT_NEAR(daylight.r, 1, 1e-4);
    EXPECT_NEAR(daylight.g, 1, 1e-4);
    EXPECT_NEAR(daylight.b, 1, 1e-4);
    auto candle = lightColour(1500), tungsten = lightColour(2800), sky = lightColour(10000);
    EXPECT_GT(tungsten.r, tungsten.b * 2);
    EXPECT_GT(candle.r / candle.b, tungsten.r / tungsten.b);
    EXPECT_GT(sky.b, sky.r);
    for (double kelvin : { 1000.0, 1500.0, 2800.0, 6500.0, 15000.0, 40000.0 }) {
        auto c = lightColour(kelvin);
        EXPECT_NEAR(c.luminance(), 1, 1e-4) << kelvin;
        EXPECT_GT(std::min({ c.r, c.g, c.b }), 0) << kelvin;
    }
    // Beyond the range the ends hold.
    EXPECT_EQ(lightColour(40000), lightColour(15000));
    EXPECT_EQ(lightColour(std::nan("")), lightColour(5500));
}

TEST(Lens, TheFiveSLensBlursAsItsPublishedFiguresSay)
{
    const auto& camera = *kit::DeviceProfile::forModel("iPhone6,1")->backCamera;
    Lens lens(camera.optics, 3264, 2448, true);
    EXPECT_NEAR(lens.sensorWidth(), 4.896, 1e-9);
    EXPECT_EQ(lens.focalLengthIn35mmFilm(), 29);
    // Focused at 0.3 m, the far landscape blurs into a circle of about
    // 26 µm: some 17 pixels across.
    EXPECT_NEAR(lens.blurDiameter(0, 1 / 0.3), 0.0261, 0.0005);
    EXPECT_NEAR(lens.blurDiameter(0, 1 / 0.3) / lens.pixelPitch(), 17.4, 0.5);
    EXPECT_DOUBLE_EQ(lens.blurDiameter(2, 2), 0);
    // Nearer things blur more, by their dioptres.
    EXPECT_NEAR(lens.blurDiameter(1 / 0.1, 0), 2 * lens.blurDiameter(1 / 0.2, 0), 1e-12);
}

TEST(Lens, AFixedFocusLensHoldsEverythingFromHalfItsHyperfocalDistanceSharp)
{
    const auto& front = *kit::DeviceProfile::forModel("iPhone6,1")->frontCamera;
    Lens lens(front.optics, 1280, 960, false);
    double focus = lens.fixedFocus();
    EXPECT_GT(focus, 0.5);
    EXPECT_LT(focus, 4);
    double twoPixels = 2 * lens.pixelPitch();
    EXPECT_NEAR(lens.blurDiameter(0, focus), twoPixels, twoPixels / 100);
    EXPECT_NEAR(lens.blurDiameter(2 * focus, focus), twoPixels, twoPixels / 100);
    // A face at arm's length is within it.
    EXPECT_LE(lens.blurDiameter(2, focus), twoPixels);
}

TEST(Exposure, TheProgramPrefersLowGainAndStopsAtTheLimits)
{
    ExposureLimits limits { 1.0 / 20000, 1.0 / 30, 32, 2048 };
    // Daylight: short, at the lowest gain.
    auto day = exposureFor(5000, 2.2, limits);
    EXPECT_DOUBLE_EQ(day.iso, 32);
    EXPECT_NEAR(sensorValuePerLuminance(day, 2.2) * 5000, 0.18, 1e-9);
    // Dim: the longest time, then gain.
    auto dim = exposureFor(5, 2.2, limits);
    EXPECT_DOUBLE_EQ(dim.duration, 1.0 / 30);
    EXPECT_NEAR(sensorValuePerLuminance(dim, 2.2) * 5, 0.18, 1e-9);
    // Too dark for the sensor: all of both, and darker than middle grey.
    auto night = exposureFor(0.05, 2.2, limits);
    EXPECT_DOUBLE_EQ(night.duration, 1.0 / 30);
    EXPECT_DOUBLE_EQ(night.iso, 2048);
    EXPECT_LT(sensorValuePerLuminance(night, 2.2) * 0.05, 0.18);
    // At 120 frames a second the time is shorter, the night darker still.
    limits.longest = 1.0 / 120;
    auto fast = exposureFor(0.05, 2.2, limits);
    EXPECT_DOUBLE_EQ(fast.duration, 1.0 / 120);
    EXPECT_NEAR(sensorValuePerLuminance(fast, 2.2), sensorValuePerLuminance(night, 2.2) / 4, 1e-12);
    // A locked exposure the frame rate no longer allows runs at the frame duration.
    EXPECT_DOUBLE_EQ(withinLimits(night, limits).duration, 1.0 / 120);
    // Nothing metered at all is no division by zero.
    auto black = exposureFor(0, 2.2, limits);
    EXPECT_TRUE(std::isfinite(black.duration) && std::isfinite(black.iso));
}

TEST(Daylight, TheDayGoesFromNightThroughMorningAndNoonToSunset)
{
    // 3 May 2014 on local solar time, as the simulated clock starts.
    tzset();
    auto at = [](double hours) { return Daylight::at(1399075200.0 + hours * 3600 + timezone); };
    auto night = at(1), morning = at(8), noon = at(12), evening = at(18.5);
    EXPECT_LT(night.sunElevation, 0);
    EXPECT_TRUE(night.lampsOn);
    EXPECT_FALSE(noon.lampsOn);
    EXPECT_GT(noon.sunElevation, morning.sunElevation);
    EXPECT_GT(morning.sunElevation, evening.sunElevation);
    EXPECT_NEAR(noon.sunAzimuth, M_PI, 0.1) << "south at noon";
    EXPECT_LT(morning.sunAzimuth, M_PI) << "east in the morning";
    EXPECT_GT(evening.sunAzimuth, M_PI) << "west in the evening";
    EXPECT_LT(evening.sunKelvin, 4000) << "warm low sun";
    EXPECT_GT(noon.sunKelvin, 5000);
    // The sunlit sky is far brighter than starlight.
    EXPECT_GT(noon.skyIlluminance / night.skyIlluminance, 1e5);
}
