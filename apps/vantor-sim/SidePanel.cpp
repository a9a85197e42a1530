#include "SidePanel.h"

#include "WindowInput.h"

#include "kit/ui/TextDrawing.h"
#include "kit/ui/UIColor.h"
#include "kit/ui/UIFont.h"
#include "kit/ui/UIGraphics.h"
#include "kit/ui/UIImage.h"

#include <algorithm>
#include <cstdio>

namespace sim {

SidePanel::SidePanel(int width, int height)
    : m_width(std::max(1, width))
    , m_height(std::max(1, height))
    , m_pixels(kit::CGImage::create(m_width, m_height))
{
}

std::string SidePanel::orientationName(int orientation)
{
    switch (orientation) {
    case 1:
        return "portrait";
    case 2:
        return "upside down";
    case 3:
        return "landscape right";
    case 4:
        return "landscape left";
    case 5:
        return "face up";
    case 6:
        return "face down";
    }
    return "unknown";
}

std::string SidePanel::text(const PanelState& state) const
{
    char time[64], tilt[64];
    std::snprintf(time, sizeof time, "%.1f s", state.simulatedTime);
    std::snprintf(tilt, sizeof tilt, "%+.1f°", state.tiltDegrees);
    std::string text = "Simulated time\n" + std::string(time) + "\n\nOrientation\n" + orientationName(state.orientation)
        + "\n\nTilt\n" + tilt + "\n\n" + (state.inBackground ? "In the background" : "In the foreground") + "\n\n"
        + (state.camera.empty() ? "" : state.camera + "\n\n") + state.status;
    return text;
}

bool SidePanel::update(const PanelState& state)
{
    auto shown = text(state);
    if (shown == m_shown)
        return false;
    m_shown = shown;

    kit::UIGraphicsBeginImageContextWithOptions(kit::CGSizeMake(m_width, m_height), true, 1);
    auto context = kit::UIGraphicsGetCurrentContext();
    kit::CGContextSetRGBFillColor(context, 0.12, 0.12, 0.14, 1);
    kit::CGContextFillRect(context, kit::CGRectMake(0, 0, m_width, m_height));
    kit::TextAttributes attributes;
    attributes.font = kit::UIFont::systemFontOfSize(15);
    attributes.foregroundColor = kit::UIColor::whiteColor();
    kit::drawString(context, shown, kit::CGRectMake(14, 14, m_width - 28, m_height * 0.6), attributes);
    kit::TextAttributes help = attributes;
    help.font = kit::UIFont::systemFontOfSize(12);
    help.foregroundColor = kit::UIColor::colorWithRed(0.7, 0.7, 0.75, 1);
    kit::drawString(context, WindowInput::helpText, kit::CGRectMake(14, m_height * 0.62, m_width - 28, m_height * 0.38),
        help);
    auto image = kit::UIGraphicsGetImageFromCurrentImageContext();
    kit::UIGraphicsEndImageContext();
    if (image && image->CGImage())
        m_pixels = image->CGImage();
    return true;
}

}
