#include "TemporaryFolder.h"

#include "resources/artwork/CountSound.h"

#include "kit/media/AudioClip.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace vantor::resources;

TEST(CountSound, IsAShortMonoBeepThatLoadsBack)
{
    TemporaryFolder folder;
    auto path = folder.path() / "count.aif";
    ASSERT_TRUE(CountSound::write(path));

    std::string reason;
    auto clip = kit::AudioClip::load(path.string(), reason);
    ASSERT_NE(clip, nullptr) << reason;
    EXPECT_EQ(clip->channels, 1);
    EXPECT_EQ(clip->sampleRate, 44100);
    EXPECT_GE(clip->duration(), 0.05);
    EXPECT_LE(clip->duration(), 0.5);

    const auto& samples = clip->samples;
    float peak = 0;
    int crossings = 0;
    for (size_t i = 0; i < samples.size(); ++i) {
        peak = std::max(peak, std::abs(samples[i]));
        crossings += i > 0 && (samples[i - 1] < 0) != (samples[i] < 0);
    }
    EXPECT_GT(peak, 0.4f);
    EXPECT_LE(peak, 1.0f);
    // It fades in and out rather than clicking.
    EXPECT_LT(std::abs(samples.front()), 0.01f);
    EXPECT_LT(std::abs(samples.back()), 0.01f);
    // About a thousand cycles a second: two sign changes each.
    double frequency = crossings / 2.0 / clip->duration();
    EXPECT_NEAR(frequency, 1000, 100);
}

TEST(CountSound, AFolderThatCannotBeWrittenLeavesNoFile)
{
    TemporaryFolder folder;
    auto path = folder.path() / "missing-folder" / "count.aif";
    EXPECT_FALSE(CountSound::write(path));
    EXPECT_FALSE(std::filesystem::exists(path));
}
