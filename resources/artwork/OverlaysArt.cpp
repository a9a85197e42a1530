#include "resources/artwork/ArtworkPainters.h"
#include "resources/artwork/ArtworkStyle.h"

#include "kit/ui/UIGraphics.h"

#include <algorithm>

namespace vantor::resources {

using namespace kit;

namespace {

// A golden spiral fitted to `area`: quarter ellipses through rectangles cut
// at the golden section, turning clockwise from the left. Its first two cuts
// fall on the golden-section lines, so spiral and lines agree.
void addGoldenSpiral(UIBezierPath& path, CGRect area)
{
    constexpr CGFloat section = 0.618034;
    // Control-point distance of a cubic quarter ellipse, as a part of a radius.
    constexpr CGFloat kappa = 0.5523;
    bool first = true;
    auto quarter = [&](CGPoint centre, CGPoint u, CGPoint v) {
        // From centre + u to centre + v, leaving along v and arriving along u.
        CGPoint start { centre.x + u.x, centre.y + u.y };
        CGPoint end { centre.x + v.x, centre.y + v.y };
        if (first)
            path.moveToPoint(start);
        first = false;
        path.addCurveToPoint(end, { start.x + kappa * v.x, start.y + kappa * v.y }, { end.x + kappa * u.x, end.y + kappa * u.y });
    };
    CGFloat x = area.origin.x, y = area.origin.y, w = area.size.width, h = area.size.height;
    for (int step = 0; step < 10; ++step) {
        switch (step % 4) {
        case 0: { // the left part, bottom-left corner to top-right
            CGFloat cut = w * section;
            quarter({ x + cut, y + h }, { -cut, 0 }, { 0, -h });
            x += cut;
            w -= cut;
            break;
        }
        case 1: { // the top part, top-left to bottom-right
            CGFloat cut = h * section;
            quarter({ x, y + cut }, { 0, -cut }, { w, 0 });
            y += cut;
            h -= cut;
            break;
        }
        case 2: { // the right part, top-right to bottom-left
            CGFloat cut = w * section;
            quarter({ x + w - cut, y }, { cut, 0 }, { 0, h });
            w -= cut;
            break;
        }
        default: { // the bottom part, bottom-right to top-left
            CGFloat cut = h * section;
            quarter({ x + w, y + h - cut }, { 0, cut }, { -w, 0 });
            h -= cut;
            break;
        }
        }
    }
}

// The composition guide over `area`. The full-screen overlays and their
// thumbnails are drawn by this one function, so a thumbnail always shows
// exactly the guide it stands for.
void drawGuide(int guide, CGRect area, CGFloat width, RGBA ink, bool halo)
{
    CGFloat x = area.origin.x, y = area.origin.y;
    CGFloat w = area.size.width, h = area.size.height;
    auto lines = UIBezierPath::bezierPath();
    auto addGrid = [&](CGFloat first, CGFloat second) {
        for (CGFloat f : { first, second }) {
            lines->moveToPoint({ x + w * f, y });
            lines->addLineToPoint({ x + w * f, y + h });
            lines->moveToPoint({ x, y + h * f });
            lines->addLineToPoint({ x + w, y + h * f });
        }
    };

    switch (guide) {
    case GuideThirds:
        addGrid(1.0 / 3, 2.0 / 3);
        break;
    case GuideGolden:
        // The golden section: 1 : 0.618, from either side, with the spiral
        // that tells it apart from the thirds at a glance.
        addGrid(0.381966, 0.618034);
        addGoldenSpiral(*lines, area);
        break;
    case GuideTrisection: {
        // A diagonal, and from each of the other two corners the line that
        // meets it at a right angle.
        CGPoint a { x, y }, b { x + w, y + h };
        auto foot = [&](CGPoint p) {
            CGFloat dx = b.x - a.x, dy = b.y - a.y;
            CGFloat t = ((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy);
            return CGPoint { a.x + t * dx, a.y + t * dy };
        };
        lines->moveToPoint(a);
        lines->addLineToPoint(b);
        CGPoint topRight { x + w, y }, bottomLeft { x, y + h };
        lines->moveToPoint(topRight);
        lines->addLineToPoint(foot(topRight));
        lines->moveToPoint(bottomLeft);
        lines->addLineToPoint(foot(bottomLeft));
        break;
    }
    case GuideSquare: {
        // The square crop in the middle; what it leaves out is dimmed.
        CGFloat side = std::min(w, h);
        CGRect square { { x + (w - side) / 2, y + (h - side) / 2 }, { side, side } };
        auto outside = UIBezierPath::bezierPathWithRect(area);
        outside->appendPath(*UIBezierPath::bezierPathWithRect(square));
        outside->setUsesEvenOddFillRule(true);
        fillPath(outside, black(0.35));
        lines = UIBezierPath::bezierPathWithRect(square);
        break;
    }
    default:
        return;
    }
    if (halo)
        strokeWithHalo(lines, width, ink);
    else
        strokePath(lines, width, ink);
}

}

void paintOverlay(CGSize size, int guide)
{
    drawGuide(guide, { { 0, 0 }, size }, 1, white(0.7), true);
}

// A small dark picture frame with the guide in yellow; mode 0's thumbnail is
// the empty frame.
void paintOverlayThumbnail(CGSize size, int guide)
{
    CGRect frame { { 3.5, 3.5 }, { size.width - 7, size.height - 7 } };
    auto plate = UIBezierPath::bezierPathWithRoundedRect(frame, 5);
    fillPath(plate, black(0.45));
    auto context = UIGraphicsGetCurrentContext();
    CGContextSaveGState(context);
    plate->addClip();
    drawGuide(guide, frame, 1.6, kYellow, false);
    CGContextRestoreGState(context);
    strokePath(plate, 1.5, white(0.85));
}

// The indicator's own image: a soft button face behind the thumbnail, which
// it shows at (5, 7.5) inset by 5 and 7.5 points.
void paintOverlayIndicatorFrame(CGSize size, int)
{
    auto face = UIBezierPath::bezierPathWithRoundedRect({ { 1, 1 }, { size.width - 2, size.height - 2 } }, 7);
    fillPath(face, black(0.3));
    strokePath(face, 1, white(0.45));
}

}
