// Heights and frame rates over the capture device's formats: the table of
// heights, the model table, choosing a height or a rate, and what a refused
// lock or a missing format leaves alone.

#include "CaptureTest.h"

#include "kit/foundation/ProcessIdentity.h"
#include "kit/media/AVFrameRateRange.h"
#include "kit/ui/UIImageView.h"

namespace {

using capturetest::CaptureTest;
using vantor::deviceFrameRatesForDimensions;

class VideoFormats : public CaptureTest {
protected:
    static int32_t rateFor(int32_t height) { return deviceFrameRatesForDimensions->at(height); }
};

}

TEST_F(VideoFormats, TheTableHoldsEachHeightsFastestRateWithTheLastFormatOfAHeightDeciding)
{
    launch("iPhone6,1", 1);
    ASSERT_TRUE(deviceFrameRatesForDimensions);
    EXPECT_EQ(deviceFrameRatesForDimensions->size(), 10u) << "the 5s offers no height outside the ten keys";
    for (int32_t height : { 144, 288, 360, 480, 540, 1080 })
        EXPECT_EQ(rateFor(height), 30) << height;
    EXPECT_EQ(rateFor(720), 120) << "three 720 formats: the last, fastest one decides";
    EXPECT_EQ(rateFor(960), 0) << "not offered";
    EXPECT_EQ(rateFor(2448), 0) << "the still size is beyond the 5s's video limit of 1080";
    EXPECT_EQ(vantor::currentDimensionHeight, 1080);
    EXPECT_EQ(heightText(), "1080p");
    EXPECT_EQ(vantor::getMaxFrameRate(&device()), 120);

    // Once heights 144 and 480 are known, a refresh asked only if unknown does nothing.
    (*deviceFrameRatesForDimensions)[1080] = 7;
    vantor::getDimensions(1, 0, true);
    EXPECT_EQ(rateFor(1080), 7);
    vantor::getDimensions(1, 0, false);
    EXPECT_EQ(rateFor(1080), 30);
}

TEST_F(VideoFormats, TheModelTableLimitsHeightsByModeAndCamera)
{
    launch("iPhone6,1", 1);
    auto identity = kit::ProcessIdentity::current();
    auto allows = [&](const char* machine, int32_t height, int32_t camera) {
        auto other = identity;
        other.machine = machine;
        kit::ProcessIdentity::set(other);
        bool allowed = vantor::isValidDimension(height, 0, camera);
        kit::ProcessIdentity::set(identity);
        return allowed;
    };
    // Video mode (the controller's, whatever the argument says).
    EXPECT_TRUE(allows("iPhone3,1", 480, 1));
    EXPECT_FALSE(allows("iPhone3,1", 540, 1)) << "iPhone 4 front: 480 at most";
    EXPECT_FALSE(allows("iPhone3,1", 1080, 0)) << "iPhone 4 back: 720 at most";
    EXPECT_FALSE(allows("iPhone4,1", 720, 1));
    EXPECT_TRUE(allows("iPhone4,1", 1080, 0));
    EXPECT_TRUE(allows("iPhone6,1", 720, 1));
    EXPECT_FALSE(allows("iPhone6,1", 1936, 0));
    EXPECT_TRUE(allows("iPad2,1", 2448, 0)) << "iPad 2 back: no limit";
    EXPECT_FALSE(allows("iPad3,1", 720, 1));
    EXPECT_TRUE(allows("iPod4,1", 2448, 0)) << "a model missing from the table allows every height";

    ASSERT_TRUE(phone->setCameraMode(0));
    EXPECT_TRUE(allows("iPhone6,1", 2448, 0)) << "photo mode: the still size is allowed";
    EXPECT_FALSE(allows("iPad4,1", 2448, 1));
    ASSERT_TRUE(phone->setCameraMode(3));
    EXPECT_TRUE(allows("iPhone3,1", 2448, 1)) << "panorama is neither mode: no limit";
}

TEST_F(VideoFormats, ChoosingAHeightKeepsTheRateItCanDeliverOrTakesItsFastest)
{
    launch("iPhone6,1", 1);
    vantor::setDimension(720);
    EXPECT_EQ(activeHeight(), 720);
    EXPECT_EQ(device().activeFormat(), device().formats()[8]) << "the last of the three 720 formats stays active";
    EXPECT_NEAR(activeRate(), 30, 1e-9);
    EXPECT_EQ(vantor::currentFrameRate, 30);
    EXPECT_EQ(heightText(), "720p");

    vantor::setFrameRate(120);
    EXPECT_NEAR(activeRate(), 120, 1e-9);
    EXPECT_EQ(vantor::currentFrameRate, 120);

    vantor::setDimension(1080);
    EXPECT_EQ(activeHeight(), 1080);
    EXPECT_NEAR(activeRate(), 30, 1e-9) << "1080 reaches only 30";
    EXPECT_EQ(vantor::currentFrameRate, 30);
    auto* shown = vantor::_CAMSlalomIndicatorView.get();
    ASSERT_TRUE(shown);
    auto* number = dynamic_cast<kit::UILabel*>(shown->subviews().front().get());
    ASSERT_TRUE(number);
    EXPECT_EQ(number->text(), "30");
}

TEST_F(VideoFormats, ARateAlreadyCurrentOrOutsidePlainVideoChangesNothing)
{
    launch("iPhone6,1", 1);
    vantor::setFrameRate(60);
    EXPECT_EQ(activeHeight(), 720) << "the last allowed format reaching 60 is a 720 one";
    EXPECT_NEAR(activeRate(), 60, 1e-9);

    // The host changes the format behind the extension's back.
    ASSERT_TRUE(device().lockForConfiguration());
    device().setActiveFormat(device().formats()[6]);
    device().unlockForConfiguration();
    vantor::setFrameRate(60);
    EXPECT_EQ(activeHeight(), 1080) << "the same rate again does nothing";

    ASSERT_TRUE(phone->setCameraMode(0));
    vantor::setFrameRate(120);
    EXPECT_EQ(vantor::currentFrameRate, 30);
    EXPECT_NEAR(activeRate(), 30, 1e-9);
}

TEST_F(VideoFormats, ARefusedLockChangesNeitherTheDeviceNorTheIndicators)
{
    launch("iPhone6,1", 1);
    auto before = device().activeFormat();
    device().setRefusesConfigurationLock(true);
    vantor::setDimension(720);
    vantor::setFrameRate(60);
    device().setRefusesConfigurationLock(false);
    EXPECT_EQ(device().activeFormat(), before);
    EXPECT_EQ(vantor::currentDimensionHeight, 1080);
    EXPECT_EQ(vantor::currentFrameRate, 30);
    EXPECT_EQ(heightText(), "1080p");
}

TEST_F(VideoFormats, AHeightWithoutFormatsOrWithoutThirtyFramesStaysTruthful)
{
    launch("iPhone6,1", 1);
    EXPECT_FALSE(vantor::getMaxFrameRateForRequestedDimension(960));
    vantor::setDimension(960);
    EXPECT_EQ(activeHeight(), 1080);
    EXPECT_EQ(heightText(), "1080p");
    EXPECT_EQ(vantor::getMaxFrameRate(nullptr), 30) << "no device: no format at all";
    EXPECT_EQ(vantor::getMaxFrameRateForRequestedDimension(720)->maxFrameRate(), 120);
}

TEST_F(VideoFormats, AFormatThatCannotReachThirtyRunsAndShowsItsOwnRate)
{
    // The first iPhone's only video size runs at 15 frames a second at most.
    launch("iPhone1,2", 0);
    EXPECT_FALSE(vantor::getMaxFrameRateForRequestedDimension(480));
    vantor::currentFrameRate = 30;
    vantor::currentDimensionHeight = 0;
    vantor::setDimension(480);
    EXPECT_EQ(activeHeight(), 480);
    EXPECT_NEAR(activeRate(), 15, 1e-9);
    EXPECT_EQ(vantor::currentFrameRate, 15);
}

TEST_F(VideoFormats, HeightBadgesFollowTheHeight)
{
    launch("iPhone6,1", 1);
    struct Case {
        int32_t height;
        const char* text;
        kit::CGRect frame;
    };
    for (const auto& expected : { Case { 720, "720p", kit::CGRectMake(15, 5, 22.5, 16.5) },
             Case { 540, "540p", kit::CGRectMake(15, 5, 22.5, 14.5) },
             Case { 360, "360p", kit::CGRectMake(19, 2, 13.5, 19.5) } }) {
        vantor::assignCurrentDimensionAndSetLabel(expected.height);
        EXPECT_EQ(heightText(), expected.text);
        EXPECT_EQ(heightIndicator()->resolutionImgView()->frame(), expected.frame) << expected.height;
        EXPECT_TRUE(heightIndicator()->resolutionImgView()->image()) << expected.height;
    }

    ASSERT_TRUE(phone->setCameraMode(2));
    vantor::assignCurrentDimensionAndSetLabel(480);
    EXPECT_EQ(vantor::currentDimensionHeight, 0) << "slow motion keeps no height";
    EXPECT_TRUE(heightIndicator()->isHidden());
}

TEST_F(VideoFormats, BackFromTheBackgroundTheCameraAndTheIndicatorsStartAfreshTogether)
{
    launch("iPhone6,1", 1);
    vantor::setFrameRate(60);
    ASSERT_EQ(activeHeight(), 720);
    phone->background();
    phone->advance(0.5);
    phone->foreground();
    phone->advance(0.5);
    // The host sets its mode again, which configures the session afresh.
    EXPECT_EQ(activeHeight(), 1080);
    EXPECT_NEAR(activeRate(), 30, 1e-9);
    EXPECT_EQ(vantor::currentFrameRate, 30);
    EXPECT_EQ(heightText(), "1080p");
    ASSERT_TRUE(vantor::_CAMSlalomIndicatorView);
    auto* number = dynamic_cast<kit::UILabel*>(vantor::_CAMSlalomIndicatorView->subviews().front().get());
    ASSERT_TRUE(number);
    EXPECT_EQ(number->text(), "30");
}
