#include "kit/foundation/NSNotificationCenter.h"

#include <algorithm>

namespace kit {

const char* const UIApplicationDidEnterBackgroundNotification = "UIApplicationDidEnterBackgroundNotification";
const char* const UIApplicationWillEnterForegroundNotification = "UIApplicationWillEnterForegroundNotification";
const char* const UIApplicationDidReceiveMemoryWarningNotification
    = "UIApplicationDidReceiveMemoryWarningNotification";

NSNotificationCenter& NSNotificationCenter::defaultCenter()
{
    static NSNotificationCenter center;
    return center;
}

NSNotificationCenter::Token NSNotificationCenter::add(std::weak_ptr<void> owner, std::string name, id object,
    Callback callback)
{
    std::lock_guard lock(m_mutex);
    Token token = m_nextToken++;
    const void* address = owner.lock().get();
    m_entries.push_back({ token, std::move(owner), address, true, std::move(name), object, std::move(callback) });
    return token;
}

NSNotificationCenter::Token NSNotificationCenter::addObserverForName(std::string name, id object, Callback callback)
{
    std::lock_guard lock(m_mutex);
    Token token = m_nextToken++;
    m_entries.push_back({ token, {}, nullptr, false, std::move(name), object, std::move(callback) });
    return token;
}

void NSNotificationCenter::removeObserver(Token token)
{
    std::lock_guard lock(m_mutex);
    std::erase_if(m_entries, [&](const Entry& e) { return e.token == token; });
}

void NSNotificationCenter::removeObserver(const Object* owner)
{
    std::lock_guard lock(m_mutex);
    std::erase_if(m_entries, [&](const Entry& e) { return e.owned && e.ownerAddress == owner; });
}

void NSNotificationCenter::removeAllObservers()
{
    std::lock_guard lock(m_mutex);
    m_entries.clear();
}

void NSNotificationCenter::postNotificationName(const std::string& name, id object, PropertyList::Dictionary userInfo)
{
    NSNotification notification { name, object, std::move(userInfo) };
    std::vector<Entry> matching;
    {
        std::lock_guard lock(m_mutex);
        std::erase_if(m_entries, [](const Entry& e) { return e.owned && e.owner.expired(); });
        for (auto& e : m_entries) {
            if (e.name == name && (!e.object || e.object == object))
                matching.push_back(e);
        }
    }
    for (auto& e : matching) {
        // An observer removed by an earlier one in this round is not called.
        bool stillObserving;
        {
            std::lock_guard lock(m_mutex);
            stillObserving = std::any_of(m_entries.begin(), m_entries.end(),
                [&](const Entry& current) { return current.token == e.token; });
        }
        if (stillObserving)
            e.callback(notification);
    }
}

}
