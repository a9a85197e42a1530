#include "extension/elements/TimeLapseButton.h"

#include <numbers>

namespace vantor {

KIT_REGISTER_CLASS(TimeLapseButton);

TimeLapseButton::TimeLapseButton(kit::CGRect frame)
    : DrawnButton(frame, modeSelectedColor)
{
}

DrawnButton::Shapes TimeLapseButton::pictogram() const
{
    // Twenty-four ticks around (23.5, 23.5), one every 15 degrees, each the
    // three o'clock bar turned about the centre.
    constexpr int ticks = 24;
    const kit::CGPoint centre { 23.5, 23.5 };
    Shapes shapes;
    for (int i = 0; i < ticks; ++i) {
        auto tick = rect(33, 23, 5, 1);
        if (i) {
            auto turn = kit::CGAffineTransformMakeTranslation(centre.x, centre.y);
            turn = kit::CGAffineTransformRotate(turn, 2 * std::numbers::pi * i / ticks);
            turn = kit::CGAffineTransformTranslate(turn, -centre.x, -centre.y);
            tick->applyTransform(turn);
        }
        shapes.push_back(std::move(tick));
    }
    shapes.push_back(oval(19.5, 19.5, 8, 8));
    return shapes;
}

}
