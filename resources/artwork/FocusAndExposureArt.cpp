#include "resources/artwork/ArtworkPainters.h"
#include "resources/artwork/ArtworkStyle.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vantor::resources {

using namespace kit;

// The reticles run their three frames endlessly at 0.1 s each, so the frames
// differ only a little: the marks grow a step per frame and the whole reads
// as a gentle pulse rather than a flicker.

void paintFocusReticle(CGSize size, int frame)
{
    int step = std::clamp(frame, 1, 3) - 1;
    CGFloat inset = 3 + step;
    CGRect square { { inset, inset }, { size.width - 2 * inset, size.height - 2 * inset } };
    strokeWithHalo(UIBezierPath::bezierPathWithRect(square), 1.5, kYellow);

    // A tick at the middle of each side, pointing inwards.
    CGFloat tick = 5 + 2 * step;
    CGFloat midX = size.width / 2, midY = size.height / 2;
    CGFloat left = CGRectGetMinX(square), right = CGRectGetMaxX(square);
    CGFloat top = CGRectGetMinY(square), bottom = CGRectGetMaxY(square);
    auto ticks = UIBezierPath::bezierPath();
    ticks->moveToPoint({ midX, top });
    ticks->addLineToPoint({ midX, top + tick });
    ticks->moveToPoint({ midX, bottom });
    ticks->addLineToPoint({ midX, bottom - tick });
    ticks->moveToPoint({ left, midY });
    ticks->addLineToPoint({ left + tick, midY });
    ticks->moveToPoint({ right, midY });
    ticks->addLineToPoint({ right - tick, midY });
    strokeWithHalo(ticks, 1.5, kYellow);
}

void paintExposureReticle(CGSize size, int frame)
{
    int step = std::clamp(frame, 1, 3) - 1;
    CGPoint center { size.width / 2, size.height / 2 };
    CGFloat radius = std::min(size.width, size.height) / 2 - 3.5;
    strokeWithHalo(circlePath(center, radius), 1.25, kYellow);

    // A small sun in the middle: the exposure is metered here.
    strokeWithHalo(circlePath(center, 5.5), 1.5, kYellow);
    CGFloat rayStart = 8.5;
    CGFloat rayLength = 3 + 1.5 * step;
    auto rays = UIBezierPath::bezierPath();
    for (int i = 0; i < 8; ++i) {
        CGFloat angle = i * std::numbers::pi / 4;
        CGFloat c = std::cos(angle), s = std::sin(angle);
        rays->moveToPoint({ center.x + rayStart * c, center.y + rayStart * s });
        rays->addLineToPoint({ center.x + (rayStart + rayLength) * c, center.y + (rayStart + rayLength) * s });
    }
    strokeWithHalo(rays, 1.5, kYellow);
}

}
