#include "extension/elements/WBLockButton.h"

#include <numbers>

namespace vantor {

KIT_REGISTER_CLASS(WBLockButton);

WBLockButton::WBLockButton(kit::CGRect frame)
    : DrawnButton(frame, { 1.0, 0.788, 0.0, 1.0 })
{
}

DrawnButton::Shapes WBLockButton::pictogram() const
{
    constexpr double pi = std::numbers::pi;

    // The shackle: a band of 2.5 points over the body, centred on x 23.5.
    auto shackle = kit::UIBezierPath::bezierPath();
    shackle->moveToPoint({ 15.5, 22 });
    shackle->addLineToPoint({ 15.5, 15 });
    shackle->addArcWithCenter({ 23.5, 15 }, 8, pi, 2 * pi, true);
    shackle->addLineToPoint({ 31.5, 22 });
    shackle->addLineToPoint({ 29, 22 });
    shackle->addLineToPoint({ 29, 15 });
    shackle->addArcWithCenter({ 23.5, 15 }, 5.5, 0, pi, false);
    shackle->addLineToPoint({ 18, 22 });
    shackle->closePath();

    // "WB", cut out of the body; the B's counters fill again under the
    // even-odd rule.
    auto w = polygon({ { 13, 25 }, { 14.8, 25 }, { 16.3, 32.2 }, { 17.3, 27 }, { 18.7, 27 }, { 19.7, 32.2 }, { 21.2, 25 },
        { 23, 25 }, { 20.7, 36 }, { 18.9, 36 }, { 18, 31.2 }, { 17.1, 36 }, { 15.3, 36 } });
    auto b = kit::UIBezierPath::bezierPath();
    b->moveToPoint({ 25, 25 });
    b->addLineToPoint({ 30, 25 });
    b->addCurveToPoint({ 30, 30.3 }, { 33.4, 25 }, { 33.4, 30.3 });
    b->addLineToPoint({ 30.5, 30.3 });
    b->addCurveToPoint({ 30.5, 36 }, { 34.2, 30.3 }, { 34.2, 36 });
    b->addLineToPoint({ 25, 36 });
    b->closePath();
    b->moveToPoint({ 26.8, 26.6 });
    b->addLineToPoint({ 29.8, 26.6 });
    b->addCurveToPoint({ 29.8, 28.9 }, { 31.6, 26.6 }, { 31.6, 28.9 });
    b->addLineToPoint({ 26.8, 28.9 });
    b->closePath();
    b->moveToPoint({ 26.8, 31.8 });
    b->addLineToPoint({ 30.2, 31.8 });
    b->addCurveToPoint({ 30.2, 34.4 }, { 32.3, 31.8 }, { 32.3, 34.4 });
    b->addLineToPoint({ 26.8, 34.4 });
    b->closePath();

    return {
        shackle,
        withHoles(kit::UIBezierPath::bezierPathWithRoundedRect(kit::CGRectMake(10, 21, 27, 18), 3), { w, b }),
    };
}

}
