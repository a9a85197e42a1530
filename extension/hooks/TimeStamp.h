#pragma once

// The date stamp: the on-screen label that switches it and the stamp drawn
// into each captured photo.

#include "kit/foundation/Action.h"

namespace vantor {

void createAndShowTimeStampLbl(const kit::Action&);
void hideAndDestroyTimeStampLbl();
// Shows the label only while no live filter is applied.
void checkTimestampLable_VS_Filters();

}
