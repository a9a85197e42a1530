#pragma once

#include "kit/media/AudioClip.h"
#include "kit/media/NSError.h"
#include "kit/runtime/Object.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace kit {

class ScheduledTask;

// Plays one short sound file. Playing follows the main run loop's clock: a
// sound started at t is playing until t + its remaining duration, whether it
// goes to a device or to the silent sink (AudioOutput), and every start is
// written to the AudioJournal. Used on the main thread.
class AVAudioPlayer final : public Object {
    KIT_OBJECT(AVAudioPlayer, Object)

public:
    // url: a device path or a file URL of one. Nothing (with the error) when
    // the file is missing or not a sound that can be read.
    static std::shared_ptr<AVAudioPlayer> initWithContentsOfURL(std::string_view url, NSErrorRef* error = nullptr);

    AVAudioPlayer(std::string devicePath, std::shared_ptr<const AudioClip>);
    ~AVAudioPlayer() override;

    const std::string& path() const { return m_path; }
    double duration() const { return m_clip->duration(); }
    // Seconds into the sound; kept by stop(), back to 0 when the sound ends.
    double currentTime() const;

    // 0 to 1, clamped; takes effect at once, also on a sound that is playing.
    float volume() const { return m_volume; }
    void setVolume(float);

    // Gets the output ready, so that play() starts without delay.
    bool prepareToPlay();
    // Starts from currentTime; a player that is already playing carries on
    // (and nothing new is journalled).
    bool play();
    // Pauses where it is.
    void stop();
    bool isPlaying() const { return m_playing; }

private:
    void finished(uint64_t generation);

    std::string m_path;
    std::shared_ptr<const AudioClip> m_clip;
    float m_volume { 1 };
    bool m_playing { false };
    double m_startedAt { 0 };     // clock time of the current start
    double m_startOffset { 0 };   // where in the sound it started
    uint64_t m_voice { 0 };
    uint64_t m_generation { 0 };
    std::shared_ptr<ScheduledTask> m_end;
};

}
