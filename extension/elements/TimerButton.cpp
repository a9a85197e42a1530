#include "extension/elements/TimerButton.h"

namespace vantor {

KIT_REGISTER_CLASS(TimerButton);

TimerButton::TimerButton(kit::CGRect frame)
    : DrawnButton(frame, modeSelectedColor)
{
}

DrawnButton::Shapes TimerButton::pictogram() const
{
    return {
        // Crown and stem.
        oval(22, 11, 6, 6),
        rect(23.5, 16, 3, 3.5),
        // The dial's rim, centred at (25, 30).
        withHoles(oval(13, 18, 24, 24), { oval(15.5, 20.5, 19, 19) }),
        // The hand at twelve on its hub.
        rect(24, 22.5, 2, 8.5),
        oval(22.5, 27.5, 5, 5),
        // The lap pusher at half past one.
        polygon({ { 33.2, 19.6 }, { 35.6, 17.2 }, { 37.8, 19.4 }, { 35.4, 21.8 } }),
    };
}

}
