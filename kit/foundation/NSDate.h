#pragma once

#include "kit/foundation/CalendarMath.h"

namespace kit {

// A moment, as seconds since 1 January 1970 UTC.
struct NSDate {
    double timeIntervalSince1970 { 0 };

    // The current calendar time of the main run loop's clock, so a virtual
    // run stamps photos and names movies with its simulated time.
    static NSDate date();
    static NSDate dateWithTimeIntervalSinceReferenceDate(double seconds)
    {
        return { seconds + kReferenceDateFromUnixEpoch };
    }

    double timeIntervalSinceReferenceDate() const { return timeIntervalSince1970 - kReferenceDateFromUnixEpoch; }
    bool operator==(const NSDate&) const = default;
};

}
