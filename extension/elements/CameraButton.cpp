#include "extension/elements/CameraButton.h"

namespace vantor {

KIT_REGISTER_CLASS(CameraButton);

CameraButton::CameraButton(kit::CGRect frame)
    : DrawnButton(frame, modeSelectedColor)
{
}

DrawnButton::Shapes CameraButton::pictogram() const
{
    return {
        // The body, with a ring cut around the lens and the flash window.
        withHoles(kit::UIBezierPath::bezierPathWithRoundedRect(kit::CGRectMake(8, 14, 31, 22), 4),
            { oval(17, 16, 16, 16), rect(33, 17, 3.5, 2.5) }),
        // Viewfinder hump and shutter release.
        polygon({ { 14, 14.5 }, { 17, 10.5 }, { 25, 10.5 }, { 28, 14.5 } }),
        rect(32, 12, 4, 2.5),
        // The lens.
        oval(20, 19, 10, 10),
    };
}

}
