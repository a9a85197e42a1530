#pragma once

#include "kit/foundation/PropertyList.h"
#include "kit/media/CMTime.h"
#include "kit/media/MovieEncoder.h"
#include "kit/runtime/Object.h"
#include "kit/ui/CGImage.h"

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kit {

class AVAssetWriter;

// One track of a movie being written: video, H.264, at the size the output
// settings give (AVVideoWidthKey, AVVideoHeightKey; optionally
// AVVideoCompressionPropertiesKey with AVVideoAverageBitRateKey). Frames go
// in through a pixel-buffer adaptor; each is encoded as it is appended, so
// the input is always ready for the next one while its writer is writing and
// it is not marked finished.
class AVAssetWriterInput final : public Object {
    KIT_OBJECT(AVAssetWriterInput, Object)

public:
    static std::shared_ptr<AVAssetWriterInput> assetWriterInputWithMediaType(
        std::string_view mediaType, PropertyList::Dictionary outputSettings);

    AVAssetWriterInput(std::string mediaType, PropertyList::Dictionary outputSettings);

    const std::string& mediaType() const { return m_mediaType; }
    const PropertyList::Dictionary& outputSettings() const { return m_outputSettings; }

    // Read when the writer starts: real-time input is encoded faster, at
    // some cost in size.
    bool expectsMediaDataInRealTime() const { return m_realTime; }
    void setExpectsMediaDataInRealTime(bool realTime) { m_realTime = realTime; }

    bool isReadyForMoreMediaData() const;
    // No more frames; the writer can finish.
    void markAsFinished() { m_finished = true; }
    bool isFinished() const { return m_finished; }

    // What the encoder makes of the settings; nothing when they do not ask
    // for H.264 video of a positive size.
    std::optional<MovieEncoderSettings> encoderSettings() const;

    // Used by the adaptor: hands a frame to the writer.
    bool appendFrame(const CGImage&, CMTime presentationTime);

private:
    friend class AVAssetWriter;

    std::string m_mediaType;
    PropertyList::Dictionary m_outputSettings;
    std::weak_ptr<AVAssetWriter> m_writer;
    std::atomic<bool> m_realTime { false };
    std::atomic<bool> m_finished { false };
};

}
