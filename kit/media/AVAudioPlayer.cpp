#include "kit/media/AVAudioPlayer.h"

#include "kit/foundation/DeviceRoot.h"
#include "kit/foundation/RunLoop.h"
#include "kit/foundation/SystemLog.h"
#include "kit/media/AudioJournal.h"
#include "kit/media/AudioOutput.h"
#include "kit/media/FileURL.h"
#include "kit/runtime/Class.h"
#include "kit/runtime/Selector.h"

#include <algorithm>
#include <cmath>

namespace kit {

KIT_REGISTER_CLASS(AVAudioPlayer);

std::shared_ptr<AVAudioPlayer> AVAudioPlayer::initWithContentsOfURL(std::string_view url, NSErrorRef* error)
{
    std::string devicePath = devicePathOfFileURL(url);
    std::string reason;
    auto clip = AudioClip::load(DeviceRoot::resolve(devicePath).string(), reason);
    if (!clip) {
        logf("AVAudioPlayer: cannot play %s: %s", devicePath.c_str(), reason.c_str());
        setError(error, NSError::make("NSOSStatusErrorDomain", 2003334207, "The operation could not be completed", reason));
        return nullptr;
    }
    return std::make_shared<AVAudioPlayer>(std::move(devicePath), std::move(clip));
}

AVAudioPlayer::AVAudioPlayer(std::string devicePath, std::shared_ptr<const AudioClip> clip)
    : m_path(std::move(devicePath))
    , m_clip(std::move(clip))
{
}

AVAudioPlayer::~AVAudioPlayer()
{
    if (m_end)
        m_end->cancel();
    if (m_voice)
        AudioOutput::shared().stop(m_voice);
}

double AVAudioPlayer::currentTime() const
{
    if (!m_playing)
        return m_startOffset;
    return std::min(duration(), m_startOffset + (RunLoop::main().now() - m_startedAt));
}

void AVAudioPlayer::setVolume(float volume)
{
    volume = std::isnan(volume) ? 0.0f : std::clamp(volume, 0.0f, 1.0f);
    if (volume == m_volume)
        return;
    m_volume = volume;
    if (m_voice)
        AudioOutput::shared().setVolume(m_voice, volume);
}

bool AVAudioPlayer::prepareToPlay()
{
    AudioOutput::shared().prepare();
    return true;
}

bool AVAudioPlayer::play()
{
    if (m_playing)
        return true;
    auto& output = AudioOutput::shared();
    m_voice = output.start(m_clip, m_volume, m_startOffset);
    m_playing = true;
    m_startedAt = RunLoop::main().now();
    uint64_t generation = ++m_generation;
    std::weak_ptr<AVAudioPlayer> weakSelf = strongRef<AVAudioPlayer>();
    m_end = RunLoop::main().schedule(std::max(0.0, duration() - m_startOffset), [weakSelf, generation] {
        if (auto self = weakSelf.lock())
            self->finished(generation);
    });
    AudioJournal::record({ m_path, m_startedAt, m_volume, output.isAudible() });
    return true;
}

void AVAudioPlayer::stop()
{
    if (!m_playing)
        return;
    m_startOffset = currentTime();
    m_playing = false;
    ++m_generation;
    if (m_end)
        m_end->cancel();
    m_end.reset();
    AudioOutput::shared().stop(m_voice);
    m_voice = 0;
}

void AVAudioPlayer::finished(uint64_t generation)
{
    if (generation != m_generation || !m_playing)
        return;
    m_playing = false;
    m_startOffset = 0;
    m_end.reset();
    AudioOutput::shared().stop(m_voice);
    m_voice = 0;
}

}
