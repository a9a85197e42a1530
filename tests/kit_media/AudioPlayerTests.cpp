#include "MediaTestSupport.h"

#include "kit/foundation/RunLoop.h"
#include "kit/media/AVAudioPlayer.h"
#include "kit/media/AudioJournal.h"
#include "kit/media/AudioOutput.h"

#include <sndfile.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <fstream>

using namespace kit;
using mediatest::TemporaryDeviceRoot;

namespace {

// A beep of the given length, 880 Hz, written with libsndfile.
void writeBeep(const std::filesystem::path& path, int format, double seconds)
{
    std::filesystem::create_directories(path.parent_path());
    SF_INFO info {};
    info.samplerate = 22050;
    info.channels = 1;
    info.format = format | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_TRUE(file) << sf_strerror(nullptr);
    std::vector<float> samples(size_t(seconds * info.samplerate));
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = 0.5f * float(std::sin(2 * M_PI * 880 * double(i) / info.samplerate));
    sf_writef_float(file, samples.data(), sf_count_t(samples.size()));
    sf_close(file);
}

class AudioPlayer : public testing::Test {
protected:
    void SetUp() override
    {
        RunLoop::main().resetWithVirtualClock();
        AudioOutput::useSilentSink(true);
        AudioJournal::clear();
        writeBeep(root.resolve("/Library/Application Support/Vantor2/Sounds/count.aif"), SF_FORMAT_AIFF, 0.25);
        writeBeep(root.resolve("/Library/Application Support/Vantor2/Sounds/count.wav"), SF_FORMAT_WAV, 0.25);
    }
    void TearDown() override { AudioJournal::clear(); }

    TemporaryDeviceRoot root;
};

}

TEST_F(AudioPlayer, PlaysAiffAndWavForTheirDuration)
{
    for (const char* path : { "/Library/Application Support/Vantor2/Sounds/count.aif",
             "file:///Library/Application%20Support/Vantor2/Sounds/count.wav" }) {
        auto player = AVAudioPlayer::initWithContentsOfURL(path);
        ASSERT_TRUE(player) << path;
        EXPECT_NEAR(player->duration(), 0.25, 0.001);
        EXPECT_TRUE(player->prepareToPlay());
        EXPECT_TRUE(player->play());
        EXPECT_TRUE(player->isPlaying());
        RunLoop::main().advance(0.2);
        EXPECT_TRUE(player->isPlaying());
        RunLoop::main().advance(0.1);
        EXPECT_FALSE(player->isPlaying());
        EXPECT_EQ(player->currentTime(), 0);
    }
    EXPECT_EQ(AudioJournal::playCount(), 2u);
}

TEST_F(AudioPlayer, EveryBeepIsCountedWithItsTime)
{
    auto player = AVAudioPlayer::initWithContentsOfURL("/Library/Application Support/Vantor2/Sounds/count.aif");
    ASSERT_TRUE(player);
    player->setVolume(0.5f);
    for (int tick = 0; tick < 3; ++tick) {
        player->play();
        player->play(); // already playing: no second beep
        RunLoop::main().advance(1.0);
    }
    auto plays = AudioJournal::plays();
    ASSERT_EQ(plays.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_DOUBLE_EQ(plays[i].time, double(i));
        EXPECT_EQ(plays[i].path, "/Library/Application Support/Vantor2/Sounds/count.aif");
        EXPECT_FLOAT_EQ(plays[i].volume, 0.5f);
        EXPECT_FALSE(plays[i].audible);
    }
}

TEST_F(AudioPlayer, StopPausesWhereItWas)
{
    auto player = AVAudioPlayer::initWithContentsOfURL("/Library/Application Support/Vantor2/Sounds/count.wav");
    player->play();
    RunLoop::main().advance(0.1);
    player->stop();
    EXPECT_FALSE(player->isPlaying());
    EXPECT_NEAR(player->currentTime(), 0.1, 1e-9);
    RunLoop::main().advance(1.0);
    EXPECT_NEAR(player->currentTime(), 0.1, 1e-9);
    player->play();
    RunLoop::main().advance(0.14);
    EXPECT_TRUE(player->isPlaying());
    RunLoop::main().advance(0.02);
    EXPECT_FALSE(player->isPlaying());

    player->setVolume(3);
    EXPECT_EQ(player->volume(), 1);
    player->setVolume(-1);
    EXPECT_EQ(player->volume(), 0);
}

TEST_F(AudioPlayer, MissingOrUnreadableFileGivesNoPlayer)
{
    NSErrorRef error;
    EXPECT_FALSE(AVAudioPlayer::initWithContentsOfURL("/Library/Application Support/Vantor2/Sounds/none.aif", &error));
    EXPECT_TRUE(error);
    std::ofstream(root.resolve("/Library/Application Support/Vantor2/Sounds/junk.aif")) << "not a sound at all";
    EXPECT_FALSE(AVAudioPlayer::initWithContentsOfURL("/Library/Application Support/Vantor2/Sounds/junk.aif"));
    EXPECT_EQ(AudioJournal::playCount(), 0u);
}

TEST_F(AudioPlayer, WithoutADeviceSoundFallsBackToTheSilentSink)
{
    // In a child, so that this process's sound system is left untouched: the
    // device is tried with SDL's own choice of driver and, where none opens,
    // the beep is still played and counted, silently.
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        unsetenv("SDL_AUDIODRIVER");
        AudioOutput::useSilentSink(false);
        auto player = AVAudioPlayer::initWithContentsOfURL("/Library/Application Support/Vantor2/Sounds/count.aif");
        bool played = player && player->play() && AudioJournal::playCount() == 1;
        player.reset();
        _exit(played ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST_F(AudioPlayer, PlaysThroughAnSdlDeviceWhenOneOpens)
{
    // SDL's dummy driver opens a device that consumes sound without making
    // a noise.
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        AudioOutput::useSilentSink(false);
        auto player = AVAudioPlayer::initWithContentsOfURL("/Library/Application Support/Vantor2/Sounds/count.wav");
        bool played = player && player->play();
        auto plays = AudioJournal::plays();
        bool audible = plays.size() == 1 && plays[0].audible && AudioOutput::shared().isAudible();
        _exit(played && audible ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}
