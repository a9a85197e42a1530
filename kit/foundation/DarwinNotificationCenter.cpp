#include "kit/foundation/DarwinNotificationCenter.h"

#include "kit/foundation/RunLoop.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace kit {

struct DarwinNotifyCenter {
    struct Registration {
        const void* observer;
        CFNotificationCallback callback;
        std::string name;
        CFNotificationSuspensionBehavior behavior;
    };
    std::mutex mutex;
    std::vector<Registration> registrations;
};

CFNotificationCenterRef CFNotificationCenterGetDarwinNotifyCenter()
{
    static DarwinNotifyCenter center;
    return &center;
}

void CFNotificationCenterAddObserver(CFNotificationCenterRef center, const void* observer,
    CFNotificationCallback callback, const std::string& name, const void*, CFNotificationSuspensionBehavior behavior)
{
    if (!center || !callback)
        return;
    std::lock_guard lock(center->mutex);
    for (auto& r : center->registrations) {
        if (r.observer == observer && r.callback == callback && r.name == name)
            return;
    }
    center->registrations.push_back({ observer, callback, name, behavior });
}

void CFNotificationCenterRemoveObserver(CFNotificationCenterRef center, const void* observer, const std::string& name,
    const void*)
{
    if (!center)
        return;
    std::lock_guard lock(center->mutex);
    std::erase_if(center->registrations,
        [&](const auto& r) { return r.observer == observer && (name.empty() || r.name == name); });
}

void CFNotificationCenterRemoveEveryObserver(CFNotificationCenterRef center, const void* observer)
{
    CFNotificationCenterRemoveObserver(center, observer, {}, nullptr);
}

void CFNotificationCenterPostNotification(CFNotificationCenterRef center, const std::string& name, const void*,
    CFDictionaryRef, bool)
{
    if (!center)
        return;
    RunLoop::main().post([center, name] {
        std::vector<DarwinNotifyCenter::Registration> matching;
        {
            std::lock_guard lock(center->mutex);
            for (auto& r : center->registrations) {
                if (r.name == name)
                    matching.push_back(r);
            }
        }
        for (auto& r : matching)
            r.callback(center, const_cast<void*>(r.observer), name, nullptr, nullptr);
    });
}

int CFNotificationCenterObserverCount(CFNotificationCenterRef center, const std::string& name)
{
    if (!center)
        return 0;
    std::lock_guard lock(center->mutex);
    return int(std::count_if(center->registrations.begin(), center->registrations.end(),
        [&](const auto& r) { return r.name == name; }));
}

}
