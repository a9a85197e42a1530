#include "resources/artwork/ArtworkPainters.h"
#include "resources/artwork/ArtworkStyle.h"

#include <array>
#include <cmath>
#include <numbers>

namespace vantor::resources {

using namespace kit;

namespace {

// Where the dial puts each mark's centre, in the 295 x 295 ring (mark 1
// first, clockwise from the top), and the centre of the circle they lie on:
// the middle of the inner circle, which the dial places at (81.5, 85) with
// a size of 132.
constexpr std::array<CGPoint, kSelectorMarkCount> kMarkCentres { {
    { 133.5, 40.5 }, { 152.5, 39.5 }, { 183.5, 44 }, { 198.5, 50 }, { 223.5, 67 },
    { 235, 77.5 }, { 249.5, 102 }, { 255.5, 117 }, { 259.5, 148 }, { 258.5, 168.5 },
    { 250.5, 198 }, { 242.5, 213.5 }, { 224.5, 235 }, { 212, 244.5 }, { 186, 257 },
    { 169, 260.5 }, { 139, 261 }, { 118, 259.5 }, { 91, 248.5 }, { 76.5, 239.5 },
    { 57, 219 }, { 47.5, 203.5 }, { 38, 178.5 }, { 35.5, 159 }, { 37.5, 129 },
    { 42.5, 111.5 }, { 55, 85.5 }, { 65.5, 72.5 }, { 88.5, 53.5 }, { 104.5, 46.3 },
} };
constexpr CGPoint kDialCentre { 81.5 + 66, 85 + 66 };
constexpr CGFloat kInnerRadius = 66;

constexpr CGFloat kTickLength = 8;
constexpr CGFloat kTickWidth = 3.5;

// The direction from the dial's centre out to a mark, in radians.
CGFloat markAngle(int mark)
{
    CGPoint centre = kMarkCentres[size_t(mark - 1)];
    return std::atan2(centre.y - kDialCentre.y, centre.x - kDialCentre.x);
}

PathRef tickPath(CGPoint centre, CGFloat angle)
{
    CGFloat dx = std::cos(angle) * kTickLength / 2, dy = std::sin(angle) * kTickLength / 2;
    return linePath({ centre.x - dx, centre.y - dy }, { centre.x + dx, centre.y + dy });
}

}

void paintSelectorOuterRing(CGSize, int)
{
    // The band that is dragged round, from under the inner circle's edge to
    // near the window's edge.
    constexpr CGFloat outer = 141;
    constexpr CGFloat inner = kInnerRadius - 3;
    auto band = circlePath(kDialCentre, outer);
    band->appendPath(*circlePath(kDialCentre, inner));
    band->setUsesEvenOddFillRule(true);
    fillPath(band, black(0.42));
    strokePath(circlePath(kDialCentre, outer), 1.5, white(0.75));

    // Fine grip lines along the rim say that the ring turns.
    auto grip = UIBezierPath::bezierPath();
    for (int i = 0; i < 90; ++i) {
        CGFloat angle = i * 2 * std::numbers::pi / 90;
        CGFloat c = std::cos(angle), s = std::sin(angle);
        grip->moveToPoint({ kDialCentre.x + (outer - 9) * c, kDialCentre.y + (outer - 9) * s });
        grip->addLineToPoint({ kDialCentre.x + (outer - 3) * c, kDialCentre.y + (outer - 3) * s });
    }
    strokePath(grip, 1, white(0.22));

    // Every mark's place, unlit; the lit mark images cover these exactly.
    for (int mark = 1; mark <= kSelectorMarkCount; ++mark)
        strokePath(tickPath(kMarkCentres[size_t(mark - 1)], markAngle(mark)), kTickWidth, white(0.3));
}

void paintSelectorInnerCircle(CGSize size, int)
{
    // The value is drawn over this disc in black with a white shadow, so the
    // disc is light.
    CGPoint centre { size.width / 2, size.height / 2 };
    auto disc = circlePath(centre, size.width / 2 - 2);
    fillPathWithGradient(disc, white(0.92), grey(0.78, 0.92));
    strokePath(disc, 2, kYellow);
    strokePath(circlePath(centre, size.width / 2 - 6), 1, grey(0.4, 0.25));
}

void paintSelectorMark(CGSize size, int mark)
{
    if (mark < 1 || mark > kSelectorMarkCount)
        return;
    CGPoint centre { size.width / 2, size.height / 2 };
    auto tick = tickPath(centre, markAngle(mark));
    strokePath(tick, kTickWidth + 2.5, { kYellow.red, kYellow.green, kYellow.blue, 0.35 });
    strokePath(tick, kTickWidth, kYellow);
}

}
