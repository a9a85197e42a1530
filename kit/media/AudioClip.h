#pragma once

#include <memory>
#include <string>
#include <vector>

namespace kit {

// A whole sound in memory: interleaved float samples in [-1, 1].
struct AudioClip {
    std::vector<float> samples;
    int channels { 1 };
    int sampleRate { 44100 };

    size_t frames() const { return channels > 0 ? samples.size() / size_t(channels) : 0; }
    double duration() const { return sampleRate > 0 ? double(frames()) / sampleRate : 0; }

    // Longer sounds are refused: a player is for short effects.
    static constexpr double maximumSeconds = 600;

    // AIFF, WAV and whatever else libsndfile reads (host path). Nothing, with
    // the reason, when the file is missing, unreadable or too long.
    static std::shared_ptr<const AudioClip> load(const std::string& path, std::string& reason);
};

}
