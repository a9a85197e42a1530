#include "resources/artwork/ArtworkPainters.h"
#include "resources/artwork/ArtworkStyle.h"

#include <numbers>
#include <vector>

namespace vantor::resources {

using namespace kit;

namespace {

// One part of the hand: a capsule (a thick line with round ends) or a filled
// shape.
struct HandPart {
    PathRef path;
    CGFloat capsuleWidth { 0 }; // 0 for a filled shape
};

PathRef roundedRect(CGFloat x, CGFloat y, CGFloat w, CGFloat h, CGFloat radius)
{
    return UIBezierPath::bezierPathWithRoundedRect({ { x, y }, { w, h } }, radius);
}

}

// A hand seen from the back with the index finger up. The help moves this
// frame along the arrow, whose 20-point width lines up with the frame's left
// edge, so the fingertip sits there, about 13 points in; the hand falls away
// to the lower right and fades out at the bottom edge, as a hand entering the
// screen would.
void paintHelpFinger(CGSize size, int)
{
    CGPoint tip { 13, 13 };
    const std::vector<HandPart> parts {
        { linePath(tip, { 24, 50 }), 14 },                   // index finger
        { linePath({ 28, 63 }, { 17, 53 }), 11 },            // thumb
        { roundedRect(20, 40, 52, 44, 15), 0 },              // back of the hand
        { circlePath({ 38, 45 }, 8), 0 },                    // folded fingers' knuckles
        { circlePath({ 51, 48 }, 8), 0 },
        { circlePath({ 63, 53 }, 7.5), 0 },
    };

    // Touch ripples round the fingertip.
    strokePath(circlePath(tip, 11.5), 1.5, { kYellow.red, kYellow.green, kYellow.blue, 0.45 });
    strokePath(circlePath(tip, 8.5), 1.5, kYellow);

    // Outlines of every part first, then every fill over them: the fills
    // hide the outlines where parts overlap, leaving one silhouette.
    constexpr CGFloat outline = 2.5;
    const RGBA edge = grey(0.2, 0.8);
    const RGBA skin = white(0.96);
    for (const auto& part : parts) {
        if (part.capsuleWidth > 0)
            strokePath(part.path, part.capsuleWidth + 2 * outline, edge);
        else
            strokePath(part.path, 2 * outline, edge);
    }
    for (const auto& part : parts) {
        if (part.capsuleWidth > 0)
            strokePath(part.path, part.capsuleWidth, skin);
        else
            fillPath(part.path, skin);
    }

    // The nail, so the finger reads as pointing away from the viewer.
    withRotation(tip, -0.3, [&] {
        fillPath(roundedRect(tip.x - 3.5, tip.y - 3, 7, 8, 3), grey(0.5, 0.35));
    });
    // The wrist fades out instead of ending at the frame's edge.
    fadeOutAtBottom(size, 14);
}

void paintHelpArrow(CGSize size, int direction)
{
    CGPoint centre { size.width / 2, size.height / 2 };
    CGFloat angle = 0;
    switch (direction) {
    case ArrowDown: angle = std::numbers::pi; break;
    case ArrowLeft: angle = -std::numbers::pi / 2; break;
    case ArrowRight: angle = std::numbers::pi / 2; break;
    default: break;
    }
    // Drawn pointing up along the long side, then turned.
    bool upright = direction == ArrowUp || direction == ArrowDown;
    CGFloat length = upright ? size.height : size.width;
    CGFloat width = upright ? size.width : size.height;

    withRotation(centre, angle, [&] {
        CGFloat tipY = centre.y - length / 2 + 2.5;
        CGFloat headBaseY = tipY + 14;
        CGFloat headHalfWidth = width / 2 - 2.5;

        auto head = UIBezierPath::bezierPath();
        head->moveToPoint({ centre.x, tipY });
        head->addLineToPoint({ centre.x + headHalfWidth, headBaseY });
        head->addLineToPoint({ centre.x - headHalfWidth, headBaseY });
        head->closePath();
        auto shaft = linePath({ centre.x, headBaseY - 1 }, { centre.x, centre.y + length / 2 - 4 });

        strokePath(shaft, 4 + kHaloWidth, black(kHaloAlpha));
        strokePath(head, 1 + kHaloWidth, black(kHaloAlpha));
        strokePath(shaft, 4, kYellow);
        fillPath(head, kYellow);
        strokePath(head, 1, kYellow);
    });
}

}
