#include "CameraBarTestSupport.h"

#include "common/SettingsKeys.h"
#include "kit/foundation/ColorArchive.h"
#include "kit/foundation/DarwinNotificationCenter.h"
#include "kit/media/AVAudioPlayer.h"
#include "kit/ui/UIColor.h"
#include "kit/ui/UISwipeGestureRecognizer.h"

#include <sndfile.h>

#include <array>

using namespace camerabar_test;
using vantor::CameraBar;
using Dictionary = kit::PropertyList::Dictionary;

namespace {

std::array<kit::CGFloat, 4> rgba(const std::shared_ptr<kit::UIColor>& colour)
{
    std::array<kit::CGFloat, 4> c {};
    if (colour)
        colour->getRed(&c[0], &c[1], &c[2], &c[3]);
    return c;
}

constexpr std::array<kit::CGFloat, 4> yellow { 1.0, 0.8, 0.0, 1.0 };

std::shared_ptr<CameraBar> newBar() { return std::make_shared<CameraBar>(kit::CGRectMake(165, 0, 419, 55)); }

void writeSilence(const std::filesystem::path& path)
{
    std::filesystem::create_directories(path.parent_path());
    SF_INFO info {};
    info.samplerate = 22050;
    info.channels = 1;
    info.format = SF_FORMAT_AIFF | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_TRUE(file) << sf_strerror(nullptr);
    std::vector<float> samples(2205, 0.0f);
    sf_writef_float(file, samples.data(), sf_count_t(samples.size()));
    sf_close(file);
}

std::vector<kit::UISwipeGestureRecognizer*> swipesOn(const kit::UIView& view)
{
    std::vector<kit::UISwipeGestureRecognizer*> swipes;
    for (const auto& recognizer : view.gestureRecognizers())
        if (auto* swipe = dynamic_cast<kit::UISwipeGestureRecognizer*>(recognizer.get()))
            swipes.push_back(swipe);
    return swipes;
}

}

using CameraBarCreation = CameraBarTest;

TEST_F(CameraBarCreation, WithoutASettingsFileStartsFromTheDefaults)
{
    auto bar = newBar();
    EXPECT_EQ(bar->cameraMode(), CameraBar::CameraModeAdvanced);
    EXPECT_EQ(bar->videoMode(), CameraBar::CameraModeStandard);
    EXPECT_EQ(bar->timerMode(), CameraBar::TimerModeOff);
    EXPECT_EQ(bar->prevTimerMode(), CameraBar::TimerModeOff);
    EXPECT_EQ(bar->frameRateMode(), 0);
    EXPECT_EQ(bar->selectedMode(), 0);
    EXPECT_EQ(bar->timerTime(), 5);
    EXPECT_EQ(bar->timeLapseTime(), 5);
    EXPECT_EQ(bar->frameRateTime(), 30);
    EXPECT_EQ(bar->timeType(), CameraBar::TimeTypeSeconds);
    EXPECT_FALSE(bar->timerIsRunning());
    EXPECT_EQ(bar->timeStampFontName(), "GillSans-Bold");
    EXPECT_EQ(rgba(bar->timeStampFontColor()), yellow);
    EXPECT_FALSE(bar->countDownSound()) << "no sound file: the count-down runs silently";
}

TEST_F(CameraBarCreation, ReadsItsKeysEvenWhenSettingsAreNotRemembered)
{
    writeSettings({
        { "rememberSettings", false },
        { "advPhotoModeAsDefault", 0 },
        { "advVideoModeAsDefault", true },
        { "timerTime", 12 },
        { "timeLapseTime", "7" },
        { "frameRateTime", 60 },
        { "timeType", 1 },
        { "timeStampFontName", "Futura-Medium" },
    });
    auto bar = newBar();
    EXPECT_EQ(bar->cameraMode(), CameraBar::CameraModeStandard);
    EXPECT_EQ(bar->videoMode(), CameraBar::CameraModeAdvanced);
    EXPECT_EQ(bar->timerTime(), 12);
    EXPECT_EQ(bar->timeLapseTime(), 7);
    EXPECT_EQ(bar->frameRateTime(), 60);
    EXPECT_EQ(bar->timeType(), CameraBar::TimeTypeMinutes);
    EXPECT_EQ(bar->timeStampFontName(), "Futura-Medium");
    // The globals of the remembered group were not read; the bar's own copy was.
    EXPECT_EQ(vantor::_timerTime, 5);
}

TEST_F(CameraBarCreation, UsesTheLoadedSettingsWithoutReadingTheFileAgain)
{
    writeSettings({ { "timerTime", 12 } });
    vantor::prefsDictionary = std::make_shared<Dictionary>(Dictionary { { "timerTime", 9 } });
    EXPECT_EQ(newBar()->timerTime(), 9);
}

TEST_F(CameraBarCreation, TakesTheStoredColourOnlyWhenOneWasChosen)
{
    kit::Data red = kit::archiveColor(kit::ArchivedColor::rgba(1, 0, 0, 1));
    writeSettings({ { "timeStampFontColor", red } });
    EXPECT_EQ(rgba(newBar()->timeStampFontColor()), yellow);

    vantor::prefsDictionary.reset();
    writeSettings({ { "timeStampFontColor", red }, { "timeStampFontColorSet", 1 } });
    EXPECT_EQ(rgba(newBar()->timeStampFontColor()), (std::array<kit::CGFloat, 4> { 1, 0, 0, 1 }));

    vantor::prefsDictionary.reset();
    writeSettings({ { "timeStampFontColor", kit::Data { 1, 2, 3 } }, { "timeStampFontColorSet", 1 } });
    EXPECT_EQ(rgba(newBar()->timeStampFontColor()), yellow);

    vantor::prefsDictionary.reset();
    writeSettings({ { "timeStampFontColor", "red" }, { "timeStampFontColorSet", 1 }, { "timeStampFontName", 3 } });
    auto bar = newBar();
    EXPECT_EQ(rgba(bar->timeStampFontColor()), yellow);
    EXPECT_EQ(bar->timeStampFontName(), "GillSans-Bold");
}

TEST_F(CameraBarCreation, LoadsTheCountDownSoundAtFullVolume)
{
    writeSilence(kit::DeviceRoot::resolve("/Library/Application Support/Vantor2/Sounds/count.aif"));
    auto bar = newBar();
    ASSERT_TRUE(bar->countDownSound());
    EXPECT_EQ(bar->countDownSound()->volume(), 1.0f);
}

TEST_F(CameraBarCreation, AttachesNonCancellingSwipesUpAndDownOnAPhoneSidewaysOnAPad)
{
    using Directions = std::pair<kit::UISwipeGestureRecognizerDirection, kit::UISwipeGestureRecognizerDirection>;
    for (bool pad : { false, true }) {
        vantor::IS_IPAD = pad;
        hostView = std::make_shared<kit::UIView>(kit::CGRectMake(0, 0, 320, 568));
        vantor::cameraView = hostView;
        vantor::createCameraBar();
        auto swipes = swipesOn(*hostView);
        ASSERT_EQ(swipes.size(), 2u);
        EXPECT_EQ(Directions(swipes[0]->direction(), swipes[1]->direction()),
            pad ? Directions(kit::UISwipeGestureRecognizerDirectionLeft, kit::UISwipeGestureRecognizerDirectionRight)
                : Directions(kit::UISwipeGestureRecognizerDirectionUp, kit::UISwipeGestureRecognizerDirectionDown));
        for (auto* swipe : swipes)
            EXPECT_FALSE(swipe->cancelsTouchesInView());
    }
}

TEST_F(CameraBarCreation, ListensForSettingsChangesOnce)
{
    auto* darwin = kit::CFNotificationCenterGetDarwinNotifyCenter();
    vantor::createCameraBar();
    vantor::createCameraBar();
    EXPECT_EQ(kit::CFNotificationCenterObserverCount(darwin, vantor::settings::changedNotification), 1);
}

TEST_F(CameraBarCreation, GoingToTheBackgroundEndsTheBarButKeepsTheSettings)
{
    writeSettings({ { "timerTime", 12 } });
    vantor::createCameraBar();
    std::weak_ptr<CameraBar> bar = vantor::cameraBar;
    ASSERT_TRUE(vantor::prefsDictionary);

    kit::NSNotificationCenter::defaultCenter().postNotificationName(kit::UIApplicationDidEnterBackgroundNotification);
    EXPECT_FALSE(vantor::cameraBar);
    EXPECT_TRUE(bar.expired());
    EXPECT_TRUE(vantor::killtimer);
    EXPECT_TRUE(vantor::prefsDictionary);

    // The next session's bar starts again, and is the only one that hears.
    vantor::createCameraBar();
    vantor::killtimer = false;
    kit::NSNotificationCenter::defaultCenter().postNotificationName(kit::UIApplicationDidEnterBackgroundNotification);
    EXPECT_FALSE(vantor::cameraBar);
    EXPECT_TRUE(vantor::killtimer);
}

TEST_F(CameraBarCreation, EndingItselfFromItsOwnCallIsSafe)
{
    vantor::createCameraBar();
    vantor::cameraBar->appDidEnterBackground(); // the global was its last owner
    EXPECT_FALSE(vantor::cameraBar);
    advance(1);
}
