#include "extension/composition/OverlayModes.h"

namespace vantor {

namespace {

constexpr const char* resourceFolder = "/Library/Application Support/Vantor2/";

struct OverlayImages {
    const char* thumbnail;
    const char* drawing;
};

// By mode.
constexpr OverlayImages images[overlayModeCount] = {
    { "Overlays/Thumbnails/overlayBtnRectangleOn_@2x.png", "Overlays/overlayBtnRectangleOn_@2x.png" },
    { "Overlays/Thumbnails/overlayBtnGuldenSnedeOn@2x.png", "Overlays/overlayGuldenSnede@2x.png" },
    { "Overlays/Thumbnails/overlayBtnThirdsOn@2x.png", "Overlays/overlayThirds@2x.png" },
    { "Overlays/Thumbnails/overlayBtnTriSectionOn@2x.png", "Overlays/overlayTriSection@2x.png" },
    { "Overlays/Thumbnails/overlayBtnSquareOn@2x.png", "Overlays/overlaySquare@2x.png" },
};

const OverlayImages& imagesFor(int64_t mode)
{
    return images[mode >= 0 && mode < overlayModeCount ? mode : 0];
}

// Swaps 1 and 2; its own inverse.
int64_t crossed(int64_t value)
{
    return value == 1 ? 2 : value == 2 ? 1 : value;
}

}

std::optional<int64_t> overlayModeForChoiceTag(int64_t tag)
{
    if (tag < 0 || tag >= overlayModeCount)
        return std::nullopt;
    return crossed(tag);
}

int32_t choiceTagForOverlayMode(int64_t mode)
{
    if (mode < 0 || mode >= overlayModeCount)
        return 0;
    return static_cast<int32_t>(crossed(mode));
}

std::string overlayThumbnailPath(int64_t mode)
{
    return std::string(resourceFolder) + imagesFor(mode).thumbnail;
}

std::string overlayDrawingPath(int64_t mode)
{
    return std::string(resourceFolder) + imagesFor(mode).drawing;
}

}
