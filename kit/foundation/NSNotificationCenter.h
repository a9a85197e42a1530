#pragma once

#include "kit/foundation/PropertyList.h"
#include "kit/runtime/Object.h"

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace kit {

struct NSNotification {
    std::string name;
    id object { nullptr };
    PropertyList::Dictionary userInfo;
};

// The application's default notification centre. Observers are called on the
// posting thread (the main thread for everything the host posts), in the
// order they were added. An observer whose owner is gone is skipped and
// dropped; observers may add or remove observers while being called.
class NSNotificationCenter {
public:
    using Callback = std::function<void(const NSNotification&)>;
    using Token = uint64_t;

    static NSNotificationCenter& defaultCenter();

    // addObserver:selector:name:object: — owner is held weakly; object, when
    // given, limits the observer to notifications from that object.
    template <typename T>
    Token addObserver(const std::shared_ptr<T>& owner, void (T::*method)(const NSNotification&), std::string name,
        id object = nullptr)
    {
        std::weak_ptr<T> weak = owner;
        return add(weak, std::move(name), object, [weak, method](const NSNotification& n) {
            if (auto strong = weak.lock())
                ((*strong).*method)(n);
        });
    }

    // addObserverForName:object:queue:usingBlock: — the callback lives until
    // the token is removed.
    Token addObserverForName(std::string name, id object, Callback);

    void removeObserver(Token);
    // Removes every observer that the owner added.
    void removeObserver(const Object* owner);
    void removeAllObservers();

    void postNotificationName(const std::string& name, id object = nullptr, PropertyList::Dictionary userInfo = {});

private:
    struct Entry {
        Token token;
        std::weak_ptr<void> owner;
        const void* ownerAddress;
        bool owned;
        std::string name;
        id object;
        Callback callback;
    };

    Token add(std::weak_ptr<void> owner, std::string name, id object, Callback);

    std::mutex m_mutex;
    std::vector<Entry> m_entries;
    Token m_nextToken { 1 };
};

extern const char* const UIApplicationDidEnterBackgroundNotification;
extern const char* const UIApplicationWillEnterForegroundNotification;
extern const char* const UIApplicationDidReceiveMemoryWarningNotification;

}
