#include "resources/artwork/ArtworkPainters.h"
#include "resources/artwork/ArtworkStyle.h"

#include <numbers>

namespace vantor::resources {

using namespace kit;

// The padlock sits over the middle of a reticle, on a dark disc so that it
// stands out from the reticle's yellow lines and from the picture.
void paintPadlock(CGSize size, int)
{
    CGFloat cx = size.width / 2, cy = size.height / 2;
    fillPath(circlePath({ cx, cy }, 13), black(0.5));
    strokePath(circlePath({ cx, cy }, 13), 1, kYellow);

    // Shackle: a half circle with short legs going down into the body.
    CGFloat shackleRadius = 4.2;
    CGFloat shackleY = cy - 2.5;
    auto shackle = UIBezierPath::bezierPath();
    shackle->moveToPoint({ cx - shackleRadius, cy - 1 });
    shackle->addArcWithCenter({ cx, shackleY }, shackleRadius, std::numbers::pi, 2 * std::numbers::pi, true);
    shackle->addLineToPoint({ cx + shackleRadius, cy - 1 });
    strokePath(shackle, 2, kYellow);

    CGRect body { { cx - 6.5, cy - 2 }, { 13, 10 } };
    fillPath(UIBezierPath::bezierPathWithRoundedRect(body, 2), kYellow);

    // The keyhole is cut through, so the dark disc shows in it.
    CGFloat keyY = cy + 2;
    auto keyhole = circlePath({ cx, keyY }, 1.5);
    eraseFill(keyhole);
    eraseStroke(linePath({ cx, keyY }, { cx, keyY + 3.2 }), 1.3);
    fillPath(keyhole, black(0.5));
    strokePath(linePath({ cx, keyY }, { cx, keyY + 3.2 }), 1.3, black(0.5));
}

}
