#include "extension/composition/HorizonAlignment.h"

#include "kit/foundation/NotYet.h"

namespace vantor {

void CreateHorizonAlignmentBtn(const kit::Action&) { NOT_YET("horizon: CreateHorizonAlignmentBtn"); }

void CreateVideoVerticallyTiltedAlert() { NOT_YET("horizon: CreateVideoVerticallyTiltedAlert"); }

void CreateHorizontalAlignmentViews() { NOT_YET("horizon: CreateHorizontalAlignmentViews"); }

void UpdateHorizontalAlignmentViewsOrientation() { NOT_YET("horizon: UpdateHorizontalAlignmentViewsOrientation"); }

}
