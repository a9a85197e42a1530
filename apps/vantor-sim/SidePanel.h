#pragma once

#include "kit/ui/CGImage.h"

#include <string>

namespace sim {

// What the panel beside the phone's screen tells: never drawn on the screen
// itself, so the screen stays exactly what a screenshot shows.
struct PanelState {
    double simulatedTime { 0 };
    // 1 to 6, as the device is held.
    int orientation { 1 };
    double tiltDegrees { 0 };
    bool inBackground { false };
    // The camera in use: the light on the scene, its exposure, focus and
    // white balance, one item to a paragraph; empty without a camera.
    std::string camera;
    std::string status; // the script's progress, the last screenshot, ...
};

// Draws the side panel with kit's text drawing, into pixels of its own.
class SidePanel {
public:
    // Width and height in window pixels.
    SidePanel(int width, int height);

    // Draws again only when what the panel says has changed (the time
    // shows tenths of a second); answers whether it did.
    bool update(const PanelState&);
    const kit::CGImage& pixels() const { return *m_pixels; }

    static std::string orientationName(int orientation);

private:
    std::string text(const PanelState&) const;

    int m_width { 0 };
    int m_height { 0 };
    std::string m_shown;
    kit::CGImageRef m_pixels;
};

}
