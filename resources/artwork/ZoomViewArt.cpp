#include "resources/artwork/ArtworkPainters.h"
#include "resources/artwork/ArtworkStyle.h"

#include <cmath>
#include <numbers>

namespace vantor::resources {

using namespace kit;

namespace {

// The zoom control is 400 x 400 with its track circle of radius 180 about
// (200, 200); its value runs over [-6.3, 5.8] round the full circle, from an
// angle offset of 1.6707963267948966 radians, and the user can reach 1 to 5.
// The outline is placed at (-3, 36), so in the outline's own coordinates
// the circle's centre is (203, 164).
constexpr CGPoint kTrackCentre { 200 + 3, 200 - 36 };
constexpr CGFloat kTrackRadius = 180;
constexpr CGFloat kMinimumValue = -6.3, kMaximumValue = 5.8;
constexpr CGFloat kAngleOffset = 1.6707963267948966;
constexpr CGFloat kBandHalfWidth = 8;

// The angle at which the thumb sits for a value, as the control draws it.
CGFloat thumbAngle(CGFloat value)
{
    return (value - kMinimumValue) / (kMaximumValue - kMinimumValue) * 2 * std::numbers::pi - kAngleOffset;
}

CGPoint onTrack(CGFloat angle, CGFloat radius)
{
    return { kTrackCentre.x + radius * std::cos(angle), kTrackCentre.y + radius * std::sin(angle) };
}

}

// The band the thumb runs along, from value 5 near the top to value 1 near
// the bottom of the left half, with a tick at each whole value and a plus
// and a minus inside its ends. With the band 16 points wide the image needs
// 130 x 332 points to hold it.
void paintZoomOutline(CGSize, int)
{
    CGFloat top = thumbAngle(5), bottom = thumbAngle(1);
    CGFloat outer = kTrackRadius + kBandHalfWidth - 1, inner = kTrackRadius - kBandHalfWidth - 1;
    auto band = UIBezierPath::bezierPath();
    band->addArcWithCenter(kTrackCentre, outer, top, bottom, false);
    band->addArcWithCenter(kTrackCentre, inner, bottom, top, true);
    band->closePath();
    fillPath(band, black(0.3));
    strokePath(band, 1.2, white(0.6));

    auto ticks = UIBezierPath::bezierPath();
    for (int value = 1; value <= 5; ++value) {
        CGFloat angle = thumbAngle(value);
        ticks->moveToPoint(onTrack(angle, inner + 3));
        ticks->addLineToPoint(onTrack(angle, outer - 3));
    }
    strokePath(ticks, 1.5, kYellow);

    CGPoint plus = onTrack(thumbAngle(4.85), kTrackRadius - 20);
    CGPoint minus = onTrack(thumbAngle(1.15), kTrackRadius - 20);
    auto signs = UIBezierPath::bezierPath();
    signs->moveToPoint({ plus.x - 3.5, plus.y });
    signs->addLineToPoint({ plus.x + 3.5, plus.y });
    signs->moveToPoint({ plus.x, plus.y - 3.5 });
    signs->addLineToPoint({ plus.x, plus.y + 3.5 });
    signs->moveToPoint({ minus.x - 3.5, minus.y });
    signs->addLineToPoint({ minus.x + 3.5, minus.y });
    strokeWithHalo(signs, 1.5, white(0.85));
}

// The thumb: a light knob centred where the ridge (40 x 40 at (6, 8)) is,
// with a soft shadow underneath.
void paintZoomThumb(CGSize, int)
{
    CGPoint centre { 6 + 20, 8 + 20 };
    constexpr CGFloat radius = 23.5;
    fillPath(circlePath({ centre.x, centre.y + 1.5 }, radius), black(0.3));
    auto knob = circlePath(centre, radius);
    fillPathWithGradient(knob, white(0.97), grey(0.78, 0.97));
    strokePath(knob, 1, grey(0.35, 0.6));
}

// The grip on the thumb: fine ridges round a ring and a yellow centre.
void paintZoomRidge(CGSize size, int)
{
    CGPoint centre { size.width / 2, size.height / 2 };
    auto ridges = UIBezierPath::bezierPath();
    for (int i = 0; i < 40; ++i) {
        CGFloat angle = i * 2 * std::numbers::pi / 40;
        CGFloat c = std::cos(angle), s = std::sin(angle);
        ridges->moveToPoint({ centre.x + 14.5 * c, centre.y + 14.5 * s });
        ridges->addLineToPoint({ centre.x + 18.5 * c, centre.y + 18.5 * s });
    }
    strokePath(ridges, 1.1, grey(0.45, 0.8));
    strokePath(circlePath(centre, 12), 1, grey(0.55, 0.7));
    fillPath(circlePath(centre, 2.5), kYellow);
}

}
