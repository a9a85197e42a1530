#pragma once

// What the added indicators and the chooser share: their artwork, font,
// colour and height badges.

#include "kit/ui/Geometry.h"

#include <cstdint>
#include <memory>
#include <string>

namespace kit {
class UIColor;
class UIFont;
class UIImage;
}

namespace vantor {

// The badge that stands for a video height: a Bluetooth rune up to 360, a
// Wi-Fi fan up to 540, "HD" above. The chooser's buttons show the filled "HD".
struct HeightBadge {
    std::string imageName; // relative to the resource folder
    kit::CGRect frame;     // inside the indicator or button, points
};
HeightBadge heightBadge(int32_t height, bool inChooser);

// An image of the resource folder by relative name; nothing when missing.
std::shared_ptr<kit::UIImage> resourceImage(const std::string& relativeName);

// The house style of the added indicators: "DINAlternate-Bold" in yellow.
std::shared_ptr<kit::UIFont> indicatorFont(kit::CGFloat size);
std::shared_ptr<kit::UIColor> indicatorColor();

// "720p".
std::string heightText(int32_t height);

}
