#include "extension/elements/MovieButton.h"

namespace vantor {

KIT_REGISTER_CLASS(MovieButton);

MovieButton::MovieButton(kit::CGRect frame)
    : DrawnButton(frame, modeSelectedColor)
{
}

DrawnButton::Shapes MovieButton::pictogram() const
{
    return {
        // The front and rear reels.
        oval(16, 7, 15, 15),
        oval(6.5, 11.5, 14.5, 15),
        // Body, lens hood and tripod head.
        rect(18, 19, 15.5, 12),
        polygon({ { 33.5, 22.5 }, { 40.5, 19 }, { 40.5, 31 }, { 33.5, 27.5 } }),
        polygon({ { 22.5, 31 }, { 29, 31 }, { 31.5, 37 }, { 20, 37 } }),
    };
}

}
