#pragma once

#include "kit/foundation/PropertyList.h"

#include <string>

namespace kit {

// The Darwin (system-wide) notification centre, in the shape of
// CFNotificationCenter. Only names travel: object and user information are
// always nothing. A post is delivered later, on the main run loop, to every
// observer of that name; adding the same observer, callback and name twice
// registers it once.
struct DarwinNotifyCenter;
using CFNotificationCenterRef = DarwinNotifyCenter*;
using CFDictionaryRef = const PropertyList::Dictionary*;

using CFNotificationCallback = void (*)(CFNotificationCenterRef center, void* observer, const std::string& name,
    const void* object, CFDictionaryRef userInfo);

enum CFNotificationSuspensionBehavior {
    CFNotificationSuspensionBehaviorDrop = 1,
    CFNotificationSuspensionBehaviorCoalesce = 2,
    CFNotificationSuspensionBehaviorHold = 3,
    CFNotificationSuspensionBehaviorDeliverImmediately = 4,
};

CFNotificationCenterRef CFNotificationCenterGetDarwinNotifyCenter();

void CFNotificationCenterAddObserver(CFNotificationCenterRef, const void* observer, CFNotificationCallback,
    const std::string& name, const void* object, CFNotificationSuspensionBehavior);
void CFNotificationCenterRemoveObserver(CFNotificationCenterRef, const void* observer, const std::string& name,
    const void* object);
void CFNotificationCenterRemoveEveryObserver(CFNotificationCenterRef, const void* observer);
void CFNotificationCenterPostNotification(CFNotificationCenterRef, const std::string& name, const void* object,
    CFDictionaryRef userInfo, bool deliverImmediately);

// How many observers the centre holds for a name (for tests and the host).
int CFNotificationCenterObserverCount(CFNotificationCenterRef, const std::string& name);

}
