#pragma once

#include "kit/media/AudioClip.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace kit {

// Where sounds go: the default SDL2 audio device when one opens, else a
// silent sink that takes every sound and plays nothing. The device is tried
// once, on the first sound (or prepare()); with no device the fallback is
// silent apart from one log line. Safe from any thread; lives for the process.
class AudioOutput {
public:
    static AudioOutput& shared();

    // Hosts and tests that must stay quiet: while set, no device is tried
    // and new sounds go to the sink.
    static void useSilentSink(bool);

    // Opens the device if that has not been tried yet; answers whether sound
    // is audible.
    bool prepare();
    bool isAudible();

    // Starts a sound at a volume in [0, 1] from an offset in seconds;
    // answers a voice number for stop() and setVolume().
    uint64_t start(std::shared_ptr<const AudioClip>, float volume, double offsetSeconds);
    void stop(uint64_t voice);
    void setVolume(uint64_t voice, float volume);

private:
    AudioOutput() = default;
    struct Voice {
        uint64_t number;
        std::shared_ptr<const AudioClip> clip;
        double position; // in the clip's frames
        float volume;
    };
    static void fill(void* self, uint8_t* stream, int length);
    void mix(float* out, int frames);

    std::mutex m_mutex;
    bool m_tried { false };
    bool m_silent { false };
    uint32_t m_device { 0 };
    int m_deviceRate { 44100 };
    int m_deviceChannels { 2 };
    uint64_t m_nextVoice { 1 };
    std::vector<Voice> m_voices;
};

}
