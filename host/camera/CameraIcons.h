#pragma once

#include <cstdint>
#include <memory>

namespace kit {
class UIImage;
}

namespace host {

// The camera's drawn artwork, at the screen's scale: the era's thin white
// glyphs on the black bars.
class CameraIcons {
public:
    static std::shared_ptr<kit::UIImage> flash(bool on);
    static std::shared_ptr<kit::UIImage> flip();
    // Three overlapping circles; coloured when a filter is on.
    static std::shared_ptr<kit::UIImage> filters(bool on);
    // The round shutter of `diameter` points for a CAMShutterButton mode:
    // white for stills, a red dot for video, a red square while recording.
    static std::shared_ptr<kit::UIImage> shutter(int64_t mode, double diameter, bool pressed);
};

}
