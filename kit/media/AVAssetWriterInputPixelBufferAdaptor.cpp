#include "kit/media/AVAssetWriterInputPixelBufferAdaptor.h"

#include "kit/runtime/Class.h"

namespace kit {

KIT_REGISTER_CLASS(AVAssetWriterInputPixelBufferAdaptor);

std::shared_ptr<AVAssetWriterInputPixelBufferAdaptor>
AVAssetWriterInputPixelBufferAdaptor::assetWriterInputPixelBufferAdaptorWithAssetWriterInput(
    std::shared_ptr<AVAssetWriterInput> input, PropertyList::Dictionary sourcePixelBufferAttributes)
{
    if (!input)
        return nullptr;
    return std::make_shared<AVAssetWriterInputPixelBufferAdaptor>(
        std::move(input), std::move(sourcePixelBufferAttributes));
}

AVAssetWriterInputPixelBufferAdaptor::AVAssetWriterInputPixelBufferAdaptor(
    std::shared_ptr<AVAssetWriterInput> input, PropertyList::Dictionary sourcePixelBufferAttributes)
    : m_input(std::move(input))
    , m_attributes(std::move(sourcePixelBufferAttributes))
{
}

bool AVAssetWriterInputPixelBufferAdaptor::appendPixelBuffer(const CVPixelBufferRef& buffer, CMTime presentationTime)
{
    if (!buffer || !m_input)
        return false;
    return m_input->appendFrame(buffer->pixels(), presentationTime);
}

}
