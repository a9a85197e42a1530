#include "resources/artwork/ArtworkPainters.h"
#include "resources/artwork/ArtworkStyle.h"

#include <numbers>

namespace vantor::resources {

using namespace kit;

// The height badges sit above yellow height labels ("720p"), so they are
// yellow line art too: a Bluetooth rune for the small heights that suit
// sending, a Wi-Fi fan for the middle ones, and "HD" from 720 up.

void paintBadgeBT(CGSize size, int)
{
    CGFloat cx = size.width / 2;
    CGFloat top = 2.5, bottom = size.height - 2.5;
    CGFloat arm = 3.75;
    CGFloat upperJoint = top + arm, lowerJoint = bottom - arm;
    auto rune = UIBezierPath::bezierPath();
    rune->moveToPoint({ cx - arm, upperJoint });
    rune->addLineToPoint({ cx + arm, lowerJoint });
    rune->addLineToPoint({ cx, bottom });
    rune->addLineToPoint({ cx, top });
    rune->addLineToPoint({ cx + arm, upperJoint });
    rune->addLineToPoint({ cx - arm, lowerJoint });
    strokePath(rune, 1.6, kYellow);
}

void paintBadgeWifi(CGSize size, int)
{
    CGPoint origin { size.width / 2, size.height - 2 };
    fillPath(circlePath({ origin.x, origin.y - 0.6 }, 1.6), kYellow);
    for (CGFloat radius : { 4.6, 8.0, 11.4 }) {
        auto arc = UIBezierPath::bezierPathWithArcCenter(origin, radius, 1.25 * std::numbers::pi, 1.75 * std::numbers::pi, true);
        strokePath(arc, 1.7, kYellow);
    }
}

// The indicator's badge is an outlined "HD"; the chooser's buttons show a
// filled one.
void paintBadgeHD(CGSize size, int filled)
{
    CGRect frame { { 1, 1 }, { size.width - 2, size.height - 2 } };
    auto plate = UIBezierPath::bezierPathWithRoundedRect(frame, 3);
    RGBA letterInk = kYellow;
    if (filled) {
        fillPath(plate, kYellow);
        letterInk = black(0.82);
    } else {
        strokePath(plate, 1.3, kYellow);
    }

    CGFloat top = size.height / 2 - 3.8, bottom = size.height / 2 + 3.8;
    CGFloat middle = size.height / 2;
    CGFloat hLeft = size.width / 2 - 6, hRight = size.width / 2 - 1.6;
    auto letters = UIBezierPath::bezierPath();
    letters->moveToPoint({ hLeft, top });
    letters->addLineToPoint({ hLeft, bottom });
    letters->moveToPoint({ hRight, top });
    letters->addLineToPoint({ hRight, bottom });
    letters->moveToPoint({ hLeft, middle });
    letters->addLineToPoint({ hRight, middle });

    CGFloat dLeft = size.width / 2 + 1.6;
    CGFloat bowl = (bottom - top) / 2;
    CGFloat dStraight = dLeft + 1.4;
    letters->moveToPoint({ dLeft, bottom });
    letters->addLineToPoint({ dLeft, top });
    letters->addLineToPoint({ dStraight, top });
    letters->addArcWithCenter({ dStraight, middle }, bowl, -std::numbers::pi / 2, std::numbers::pi / 2, true);
    letters->closePath();
    strokePath(letters, 1.5, letterInk);
}

// Lines between the chooser's three columns and three rows of buttons.
void paintChooserGrid(CGSize size, int)
{
    constexpr CGFloat inset = 4;
    auto grid = UIBezierPath::bezierPath();
    for (int i = 1; i <= 2; ++i) {
        CGFloat x = size.width * i / 3, y = size.height * i / 3;
        grid->moveToPoint({ x, inset });
        grid->addLineToPoint({ x, size.height - inset });
        grid->moveToPoint({ inset, y });
        grid->addLineToPoint({ size.width - inset, y });
    }
    strokePath(grid, 1.2, white(0.6));
}

}
