#include "kit/media/AVAssetWriterInput.h"

#include "kit/media/AVAssetWriter.h"
#include "kit/media/AVCaptureDevice.h"
#include "kit/media/AVVideoSettings.h"
#include "kit/runtime/Class.h"

namespace kit {

KIT_REGISTER_CLASS(AVAssetWriterInput);

namespace {

std::optional<double> numberFor(const PropertyList::Dictionary& dictionary, std::string_view key)
{
    auto entry = dictionary.find(key);
    return entry == dictionary.end() ? std::nullopt : entry->second.numberValue();
}

}

std::shared_ptr<AVAssetWriterInput> AVAssetWriterInput::assetWriterInputWithMediaType(
    std::string_view mediaType, PropertyList::Dictionary outputSettings)
{
    return std::make_shared<AVAssetWriterInput>(std::string(mediaType), std::move(outputSettings));
}

AVAssetWriterInput::AVAssetWriterInput(std::string mediaType, PropertyList::Dictionary outputSettings)
    : m_mediaType(std::move(mediaType))
    , m_outputSettings(std::move(outputSettings))
{
}

bool AVAssetWriterInput::isReadyForMoreMediaData() const
{
    auto writer = m_writer.lock();
    return writer && !m_finished && writer->isWriting();
}

std::optional<MovieEncoderSettings> AVAssetWriterInput::encoderSettings() const
{
    if (m_mediaType != AVMediaTypeVideo)
        return std::nullopt;
    auto codec = m_outputSettings.find(AVVideoCodecKey);
    if (codec == m_outputSettings.end() || !codec->second.string() || *codec->second.string() != AVVideoCodecH264)
        return std::nullopt;
    auto width = numberFor(m_outputSettings, AVVideoWidthKey);
    auto height = numberFor(m_outputSettings, AVVideoHeightKey);
    if (!width || !height || !(*width >= 1 && *width <= 8192) || !(*height >= 1 && *height <= 8192))
        return std::nullopt;
    MovieEncoderSettings settings;
    settings.width = int(*width);
    settings.height = int(*height);
    settings.realTime = m_realTime;
    auto compression = m_outputSettings.find(AVVideoCompressionPropertiesKey);
    if (compression != m_outputSettings.end() && compression->second.dictionary()) {
        if (auto rate = numberFor(*compression->second.dictionary(), AVVideoAverageBitRateKey); rate && *rate > 0)
            settings.averageBitRate = int64_t(*rate);
    }
    return settings;
}

bool AVAssetWriterInput::appendFrame(const CGImage& frame, CMTime presentationTime)
{
    auto writer = m_writer.lock();
    return writer && !m_finished && writer->appendFrame(*this, frame, presentationTime);
}

}
