#pragma once

#include "kit/ui/Geometry.h"

#include <memory>

namespace kit {
class UIImage;
}

namespace host {

// The home screen's drawn artwork in the era's look, at the screen's scale:
// a wallpaper of soft light on a deep blue to violet, the flat gradient
// icons with their rounded corners, and the thin white glyphs of the lock
// screen.
class SpringBoardArtwork {
public:
    // Points on each side of an icon on a phone; a pad's are 76.
    static constexpr double phoneIconSide = 60;
    static constexpr double padIconSide = 76;

    static std::shared_ptr<kit::UIImage> wallpaper(kit::CGSize);
    // The Camera app's icon: a black camera with its lens on brushed grey.
    static std::shared_ptr<kit::UIImage> cameraIcon(double side);
    // The Settings app's icon: a gear on grey.
    static std::shared_ptr<kit::UIImage> settingsIcon(double side);
    // The lock screen's camera grabber: a small camera outline.
    static std::shared_ptr<kit::UIImage> cameraGrabber();
    // The arrow before "slide to unlock".
    static std::shared_ptr<kit::UIImage> unlockChevron();
};

}
