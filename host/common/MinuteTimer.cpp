#include "host/common/MinuteTimer.h"

#include "kit/foundation/NSDate.h"
#include "kit/foundation/NSTimer.h"

#include <cmath>

namespace host {

std::shared_ptr<kit::NSTimer> scheduleAtNextMinute(kit::Action action)
{
    double seconds = kit::NSDate::date().timeIntervalSince1970;
    return kit::NSTimer::scheduledTimerWithTimeInterval(60 - std::fmod(seconds, 60), std::move(action), false);
}

}
