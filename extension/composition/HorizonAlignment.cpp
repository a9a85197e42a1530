#include "extension/composition/HorizonAlignment.h"

#include "extension/startup/Globals.h"

#include "kit/foundation/NotYet.h"
#include "kit/ui/UIImageView.h"

namespace vantor {

void CreateHorizonAlignmentBtn(const kit::Action&) { NOT_YET("horizon: CreateHorizonAlignmentBtn"); }

void CreateVideoVerticallyTiltedAlert() { NOT_YET("horizon: CreateVideoVerticallyTiltedAlert"); }

void CreateHorizontalAlignmentViews() { NOT_YET("horizon: CreateHorizontalAlignmentViews"); }

void UpdateHorizontalAlignmentViewsOrientation() { NOT_YET("horizon: UpdateHorizontalAlignmentViewsOrientation"); }

void highlightVideoVerticallyTiltedAlert(bool videoMode)
{
    if (videoVerticallyTiltedAlert)
        videoVerticallyTiltedAlert->setHighlighted(
            videoMode && (_UIDeviceOrientation == 1 || _UIDeviceOrientation == 2));
}

}
