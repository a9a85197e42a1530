#pragma once

#include <filesystem>
#include <vector>

namespace vantor::resources {

// The count-down beep that the self-timer plays at 3, 2 and 1: a short
// 1 kHz tone with a soft start and end, so it does not click.
struct CountSound {
    static constexpr int sampleRate = 44100;
    static constexpr double seconds = 0.12;
    static constexpr double frequency = 1000;
    // Raised-cosine fades at each end, in seconds.
    static constexpr double fade = 0.012;
    static constexpr double peak = 0.7;

    // Mono samples in [-1, 1].
    static std::vector<float> samples();

    // Writes the beep as AIFF, 16-bit mono at sampleRate, replacing the file
    // only once the whole sound is written. Answers whether it is in place.
    static bool write(const std::filesystem::path&);
};

}
