#include "resources/artwork/CountSound.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <sndfile.h>
#include <system_error>

namespace vantor::resources {

std::vector<float> CountSound::samples()
{
    const int frames = int(std::lround(seconds * sampleRate));
    const int fadeFrames = int(std::lround(fade * sampleRate));
    std::vector<float> result(size_t(frames), 0.0f);
    for (int i = 0; i < frames; ++i) {
        double envelope = 1;
        int fromEdge = std::min(i, frames - 1 - i);
        if (fromEdge < fadeFrames)
            envelope = 0.5 - 0.5 * std::cos(std::numbers::pi * fromEdge / fadeFrames);
        double t = double(i) / sampleRate;
        // A touch of the second harmonic makes the beep carry on small
        // speakers without sounding harsh.
        double tone = 0.85 * std::sin(2 * std::numbers::pi * frequency * t) + 0.15 * std::sin(4 * std::numbers::pi * frequency * t);
        result[size_t(i)] = float(peak * envelope * tone);
    }
    return result;
}

bool CountSound::write(const std::filesystem::path& path)
{
    SF_INFO info {};
    info.samplerate = sampleRate;
    info.channels = 1;
    info.format = SF_FORMAT_AIFF | SF_FORMAT_PCM_16;

    auto partial = path;
    partial += ".partial";
    SNDFILE* file = sf_open(partial.c_str(), SFM_WRITE, &info);
    if (!file)
        return false;
    auto sound = samples();
    sf_count_t written = sf_writef_float(file, sound.data(), sf_count_t(sound.size()));
    bool closed = sf_close(file) == 0;
    std::error_code error;
    if (written != sf_count_t(sound.size()) || !closed) {
        std::filesystem::remove(partial, error);
        return false;
    }
    std::filesystem::rename(partial, path, error);
    if (!error)
        return true;
    std::error_code ignored;
    std::filesystem::remove(partial, ignored);
    return false;
}

}
