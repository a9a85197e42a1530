#include "resources/artwork/ArtworkPainters.h"
#include "resources/artwork/ArtworkStyle.h"

namespace vantor::resources {

using namespace kit;

// The level: the base marks where level is, at the outer edges and the
// middle; the indicator is a line through the middle that turns with the
// device and fills the gap between the base's marks when the device is
// level. Both turn yellow (activated) while level.

namespace {

RGBA levelInk(int activated, CGFloat normalAlpha)
{
    return activated ? kYellow : white(normalAlpha);
}

}

void paintHorizonBase(CGSize size, int activated)
{
    RGBA ink = levelInk(activated, 0.75);
    CGFloat cy = size.height / 2;
    auto marks = UIBezierPath::bezierPath();
    marks->moveToPoint({ 12, cy });
    marks->addLineToPoint({ 56, cy });
    marks->moveToPoint({ size.width - 56, cy });
    marks->addLineToPoint({ size.width - 12, cy });
    strokeWithHalo(marks, 2, ink);

    auto stops = UIBezierPath::bezierPath();
    stops->moveToPoint({ 12, cy - 6 });
    stops->addLineToPoint({ 12, cy + 6 });
    stops->moveToPoint({ size.width - 12, cy - 6 });
    stops->addLineToPoint({ size.width - 12, cy + 6 });
    strokeWithHalo(stops, 2, ink);

    strokeWithHalo(circlePath({ size.width / 2, cy }, 5), 1.5, ink);
}

void paintHorizonIndicator(CGSize size, int activated)
{
    RGBA ink = levelInk(activated, 0.95);
    CGFloat cx = size.width / 2, cy = size.height / 2;
    auto line = UIBezierPath::bezierPath();
    line->moveToPoint({ 66, cy });
    line->addLineToPoint({ cx - 16, cy });
    line->moveToPoint({ cx + 16, cy });
    line->addLineToPoint({ size.width - 66, cy });
    // Short ticks at the ends show which way the line leans.
    line->moveToPoint({ 66, cy - 5 });
    line->addLineToPoint({ 66, cy + 5 });
    line->moveToPoint({ size.width - 66, cy - 5 });
    line->addLineToPoint({ size.width - 66, cy + 5 });
    strokeWithHalo(line, 2.5, ink);
}

}
