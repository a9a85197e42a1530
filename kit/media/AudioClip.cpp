#include "kit/media/AudioClip.h"

#include <sndfile.h>

namespace kit {

std::shared_ptr<const AudioClip> AudioClip::load(const std::string& path, std::string& reason)
{
    SF_INFO info {};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) {
        reason = sf_strerror(nullptr);
        return nullptr;
    }
    std::shared_ptr<AudioClip> clip;
    if (info.channels < 1 || info.channels > 8 || info.samplerate < 1000 || info.samplerate > 384000)
        reason = "unusual channel count or sample rate";
    else if (info.frames < 0 || double(info.frames) / info.samplerate > maximumSeconds)
        reason = "longer than a player plays";
    else {
        clip = std::make_shared<AudioClip>();
        clip->channels = info.channels;
        clip->sampleRate = info.samplerate;
        clip->samples.resize(size_t(info.frames) * size_t(info.channels));
        sf_count_t got = sf_readf_float(file, clip->samples.data(), info.frames);
        clip->samples.resize(size_t(std::max<sf_count_t>(got, 0)) * size_t(info.channels));
    }
    sf_close(file);
    return clip;
}

}
