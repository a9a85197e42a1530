#include "kit/ui/BackdropFilters.h"

#include "kit/ui/Blur.h"

namespace kit {

void applyBackdropFilters(CGImage& region, const std::vector<std::shared_ptr<CAFilter>>& filters, double scale)
{
    auto pixels = PixelRegion::whole(region);
    for (auto& filter : filters) {
        if (!filter)
            continue;
        if (filter->type() == kCAFilterColorAdd) {
            auto* value = filter->valueForKey("inputColor");
            auto* rgba = value ? std::get_if<std::vector<double>>(value) : nullptr;
            if (rgba && rgba->size() >= 3)
                colorAdd(pixels, { (*rgba)[0], (*rgba)[1], (*rgba)[2], rgba->size() >= 4 ? (*rgba)[3] : 1.0 });
        } else if (filter->type() == kCAFilterGaussianBlur) {
            double sigma = filter->numberForKey("inputRadius").value_or(0) * scale;
            // Hard edges unless the filter asks for soft ones.
            bool soft = filter->numberForKey("inputHardEdges").value_or(1) == 0;
            boxBlurApproximatingGaussian(pixels, sigma, soft ? BlurEdges::Soft : BlurEdges::Hard);
        }
    }
}

}
