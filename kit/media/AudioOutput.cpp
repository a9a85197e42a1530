#include "kit/media/AudioOutput.h"

#include "kit/foundation/SystemLog.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <filesystem>

namespace kit {

namespace {

std::atomic<bool> silentRequested { false };

// Whether a sound server or a sound card is there to be found. Without one,
// SDL's search through its drivers ends in nothing after the ALSA library has
// printed a page of complaints; so unless a driver is named explicitly
// (SDL_AUDIODRIVER), the search is not started.
bool soundSystemPresent()
{
    if (std::getenv("SDL_AUDIODRIVER") || std::getenv("PULSE_SERVER"))
        return true;
    std::error_code ignored;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR")) {
        std::filesystem::path folder(runtime);
        if (std::filesystem::exists(folder / "pulse" / "native", ignored)
            || std::filesystem::exists(folder / "pipewire-0", ignored))
            return true;
    }
    for (auto it = std::filesystem::directory_iterator("/dev/snd", ignored); it != std::filesystem::directory_iterator();
         it.increment(ignored)) {
        std::string name = it->path().filename().string();
        if (name.rfind("pcmC", 0) == 0 && name.back() == 'p')
            return true;
    }
    return false;
}

void ignoreAlsaMessage(const char*, int, const char*, int, const char*, ...) { }

// The ALSA library SDL loads writes its errors to standard error; they go
// nowhere instead (the one log line below says what happened).
void quietenAlsa()
{
    void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
    if (!alsa)
        return;
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    if (auto setHandler = reinterpret_cast<int (*)(Handler)>(dlsym(alsa, "snd_lib_error_set_handler")))
        setHandler(&ignoreAlsaMessage);
    // Kept loaded, so the handler stays in place for SDL.
}

}

AudioOutput& AudioOutput::shared()
{
    // Never destroyed: SDL's audio thread may call in until the process ends.
    static auto* output = new AudioOutput;
    return *output;
}

void AudioOutput::useSilentSink(bool silent)
{
    silentRequested = silent;
}

bool AudioOutput::prepare()
{
    std::lock_guard lock(m_mutex);
    if (silentRequested)
        return false;
    if (m_tried)
        return m_device != 0;
    m_tried = true;
    if (!soundSystemPresent()) {
        logf("AudioOutput: no sound server or sound card; sounds are silent");
        return false;
    }
    quietenAlsa();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        logf("AudioOutput: no sound system (%s); sounds are silent", SDL_GetError());
        return false;
    }
    SDL_AudioSpec wanted {};
    wanted.freq = 44100;
    wanted.format = AUDIO_F32SYS;
    wanted.channels = 2;
    wanted.samples = 1024;
    wanted.callback = &AudioOutput::fill;
    wanted.userdata = this;
    SDL_AudioSpec obtained {};
    m_device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (m_device == 0) {
        logf("AudioOutput: no audio device (%s); sounds are silent", SDL_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    m_deviceRate = obtained.freq;
    m_deviceChannels = obtained.channels;
    SDL_PauseAudioDevice(m_device, 0);
    return true;
}

bool AudioOutput::isAudible()
{
    std::lock_guard lock(m_mutex);
    return m_device != 0 && !silentRequested;
}

uint64_t AudioOutput::start(std::shared_ptr<const AudioClip> clip, float volume, double offsetSeconds)
{
    bool audible = prepare();
    std::lock_guard lock(m_mutex);
    uint64_t number = m_nextVoice++;
    if (audible && clip && clip->frames() > 0) {
        double position = std::max(0.0, offsetSeconds) * clip->sampleRate;
        m_voices.push_back({ number, std::move(clip), position, volume });
    }
    return number;
}

void AudioOutput::stop(uint64_t voice)
{
    std::lock_guard lock(m_mutex);
    std::erase_if(m_voices, [&](const Voice& v) { return v.number == voice; });
}

void AudioOutput::setVolume(uint64_t voice, float volume)
{
    std::lock_guard lock(m_mutex);
    for (auto& v : m_voices) {
        if (v.number == voice)
            v.volume = volume;
    }
}

void AudioOutput::fill(void* self, uint8_t* stream, int length)
{
    auto& output = *static_cast<AudioOutput*>(self);
    std::memset(stream, 0, size_t(length));
    std::lock_guard lock(output.m_mutex);
    output.mix(reinterpret_cast<float*>(stream), length / int(sizeof(float)) / output.m_deviceChannels);
}

// Adds every voice into the device's buffer, resampled linearly; a voice
// that reaches its end is dropped.
void AudioOutput::mix(float* out, int frames)
{
    for (auto& voice : m_voices) {
        const AudioClip& clip = *voice.clip;
        double step = double(clip.sampleRate) / m_deviceRate;
        size_t last = clip.frames() - 1;
        for (int frame = 0; frame < frames && voice.position <= double(last); ++frame, voice.position += step) {
            size_t index = size_t(voice.position);
            double fraction = voice.position - double(index);
            size_t next = std::min(index + 1, last);
            for (int channel = 0; channel < m_deviceChannels; ++channel) {
                int source = std::min(channel, clip.channels - 1);
                float a = clip.samples[index * clip.channels + source];
                float b = clip.samples[next * clip.channels + source];
                float sample = float(a + (b - a) * fraction) * voice.volume;
                float& mixed = out[frame * m_deviceChannels + channel];
                mixed = std::clamp(mixed + sample, -1.0f, 1.0f);
            }
        }
    }
    std::erase_if(m_voices, [](const Voice& v) { return v.position > double(v.clip->frames() - 1); });
}

}
