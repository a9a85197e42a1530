#pragma once

// The extension's items on the host's bars: the torch button and the
// low-memory label.

#include "kit/foundation/Action.h"

namespace vantor {

void createAndShowBulbView(const kit::Action&);

}
