#include "extension/elements/ElementStyle.h"

#include "kit/ui/UIColor.h"
#include "kit/ui/UIFont.h"
#include "kit/ui/UIImage.h"

namespace vantor {

HeightBadge heightBadge(int32_t height, bool inChooser)
{
    if (height <= 360)
        return { "Dimensions/indicatorBT@2x.png", kit::CGRectMake(19, 2, 13.5, 19.5) };
    if (height <= 540)
        return { "Dimensions/indicatorWifi@2x.png", kit::CGRectMake(15, 5, 22.5, 14.5) };
    return { inChooser ? "Dimensions/indicatorHD2@2x.png" : "Dimensions/indicatorHD@2x.png",
        kit::CGRectMake(15, 5, 22.5, 16.5) };
}

std::shared_ptr<kit::UIImage> resourceImage(const std::string& relativeName)
{
    return kit::UIImage::imageWithContentsOfFile("/Library/Application Support/Vantor2/" + relativeName);
}

std::shared_ptr<kit::UIFont> indicatorFont(kit::CGFloat size) { return kit::UIFont::fontWithName("DINAlternate-Bold", size); }

std::shared_ptr<kit::UIColor> indicatorColor() { return kit::UIColor::colorWithRed(1.0, 0.8, 0.0, 1.0); }

std::string heightText(int32_t height) { return std::to_string(height) + "p"; }

}
