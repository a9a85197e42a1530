#include "resources/artwork/ArtworkPainters.h"
#include "resources/artwork/ArtworkStyle.h"

#include <cmath>
#include <numbers>

namespace vantor::resources {

using namespace kit;

// Both buttons sit on the host's dark top bar: white line art when off,
// yellow when on, like the host's own buttons.

void paintBulb(CGSize size, int lit)
{
    const RGBA ink = lit ? kYellow : white(0.92);
    CGFloat cx = size.width / 2;
    CGPoint glassCentre { cx, 11 };
    CGFloat glassRadius = 6;
    CGFloat neckY = 18;
    CGFloat neckHalf = 3.5;

    // The glass: round at the top, narrowing into the neck.
    auto glass = UIBezierPath::bezierPath();
    glass->addArcWithCenter(glassCentre, glassRadius, 0.75 * std::numbers::pi, 2.25 * std::numbers::pi, true);
    glass->addLineToPoint({ cx + neckHalf, neckY });
    glass->addLineToPoint({ cx - neckHalf, neckY });
    glass->closePath();
    if (lit)
        fillPath(glass, kYellow);
    strokePath(glass, 1.5, ink);

    // The screw base.
    auto base = UIBezierPath::bezierPath();
    base->moveToPoint({ cx - 3, neckY + 2 });
    base->addLineToPoint({ cx + 3, neckY + 2 });
    base->moveToPoint({ cx - 2.5, neckY + 4 });
    base->addLineToPoint({ cx + 2.5, neckY + 4 });
    base->moveToPoint({ cx - 1, neckY + 5.5 });
    base->addLineToPoint({ cx + 1, neckY + 5.5 });
    strokePath(base, 1.3, ink);

    if (!lit)
        return;
    // Light rays over the lit glass.
    auto rays = UIBezierPath::bezierPath();
    for (int i = 0; i < 5; ++i) {
        CGFloat angle = std::numbers::pi + i * std::numbers::pi / 4;
        CGFloat c = std::cos(angle), s = std::sin(angle);
        rays->moveToPoint({ glassCentre.x + 8.2 * c, glassCentre.y + 8.2 * s });
        rays->addLineToPoint({ glassCentre.x + 10.3 * c, glassCentre.y + 10.3 * s });
    }
    strokePath(rays, 1.3, kYellow);
}

// A spirit level: a circle with the horizon running through it.
void paintHorizonButton(CGSize size, int activated)
{
    const RGBA ink = activated ? kYellow : white(0.92);
    CGPoint centre { size.width / 2, size.height / 2 };
    if (activated)
        fillPath(circlePath(centre, 9), { kYellow.red, kYellow.green, kYellow.blue, 0.25 });
    strokePath(circlePath(centre, 9), 1.8, ink);
    strokePath(linePath({ 7, centre.y }, { size.width - 7, centre.y }), 1.8, ink);
    // Short stops at the ends of the horizon.
    auto stops = UIBezierPath::bezierPath();
    stops->moveToPoint({ 7, centre.y - 3 });
    stops->addLineToPoint({ 7, centre.y + 3 });
    stops->moveToPoint({ size.width - 7, centre.y - 3 });
    stops->addLineToPoint({ size.width - 7, centre.y + 3 });
    strokePath(stops, 1.5, ink);
}

}
