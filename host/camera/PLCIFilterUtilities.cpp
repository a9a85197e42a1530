#include "host/camera/PLCIFilterUtilities.h"

#include "host/camera/CIFilter.h"
#include "host/camera/HostRuntime.h"

#include "kit/ui/UIImage.h"

namespace host {

KIT_REGISTER_CLASS(PLCIFilterUtilities);

kit::id PLCIFilterUtilities::outputImage(kit::id filters, kit::id inputImage, int32_t, bool)
{
    static std::shared_ptr<kit::UIImage> lastOutput;
    auto* filter = kit::cast<CIFilter>(filters);
    auto* input = kit::cast<kit::UIImage>(inputImage);
    if (!filter || !input || !input->CGImage())
        return inputImage;
    auto filtered = filter->apply(*input->CGImage());
    if (!filtered)
        return inputImage;
    lastOutput = kit::UIImage::imageWithCGImage(filtered, input->scale(), input->imageOrientation());
    return lastOutput.get();
}

void PLCIFilterUtilities::registerRuntimeMethods()
{
    registerMethod(sel::PLCIFilterUtilities_outputImageFromFilters,
        +[](kit::id, kit::SEL, kit::id filters, kit::id input, int32_t orientation, bool copyFirst) {
            return outputImage(filters, input, orientation, copyFirst);
        });
}

}
