#pragma once

#include "kit/foundation/Action.h"

#include <memory>

namespace kit {
class NSTimer;
}

namespace host {

// A one-shot timer on the main run loop at the next turn of the clock's
// minute, for what shows the time: its action shows the new minute and asks
// for the next one, so a long wait wakes it once a minute, not every second.
std::shared_ptr<kit::NSTimer> scheduleAtNextMinute(kit::Action);

}
