#pragma once

#include "kit/foundation/PropertyList.h"
#include "kit/media/AVAssetWriterInput.h"
#include "kit/media/CVPixelBuffer.h"
#include "kit/runtime/Object.h"

#include <memory>

namespace kit {

// Feeds pixel buffers to a writer input. The buffer is read during the call
// and not kept, so the caller may reuse or release it at once.
class AVAssetWriterInputPixelBufferAdaptor final : public Object {
    KIT_OBJECT(AVAssetWriterInputPixelBufferAdaptor, Object)

public:
    static std::shared_ptr<AVAssetWriterInputPixelBufferAdaptor> assetWriterInputPixelBufferAdaptorWithAssetWriterInput(
        std::shared_ptr<AVAssetWriterInput>, PropertyList::Dictionary sourcePixelBufferAttributes);

    AVAssetWriterInputPixelBufferAdaptor(
        std::shared_ptr<AVAssetWriterInput>, PropertyList::Dictionary sourcePixelBufferAttributes);

    const std::shared_ptr<AVAssetWriterInput>& assetWriterInput() const { return m_input; }
    const PropertyList::Dictionary& sourcePixelBufferAttributes() const { return m_attributes; }

    // The buffer's CMTime value/timescale is the frame's presentation time.
    // False when the input is not ready, the time does not rise, or the
    // writer fails (see its status and error).
    bool appendPixelBuffer(const CVPixelBufferRef&, CMTime presentationTime);

private:
    std::shared_ptr<AVAssetWriterInput> m_input;
    PropertyList::Dictionary m_attributes;
};

}
