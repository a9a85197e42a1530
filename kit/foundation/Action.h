#pragma once

#include "kit/runtime/Object.h"

#include <functional>
#include <memory>

namespace kit {

// Target-action: what a button, a gesture recogniser, a timer or an observer
// calls, with the sender. The target is held weakly: an action whose target
// is gone does nothing, and an action never keeps its target alive.
class Action {
public:
    Action() = default;

    template <typename T>
    Action(const std::shared_ptr<T>& target, void (T::*method)(id sender))
        : m_target(target)
        , m_call([weak = std::weak_ptr<T>(target), method](id sender) {
            if (auto strong = weak.lock())
                ((*strong).*method)(sender);
        })
    {
    }

    template <typename T>
    Action(const std::shared_ptr<T>& target, void (T::*method)())
        : m_target(target)
        , m_call([weak = std::weak_ptr<T>(target), method](id) {
            if (auto strong = weak.lock())
                ((*strong).*method)();
        })
    {
    }

    // An action with no target to outlive: it always runs.
    static Action function(std::function<void(id sender)> call)
    {
        Action action;
        action.m_call = std::move(call);
        action.m_unowned = true;
        return action;
    }

    void operator()(id sender) const
    {
        if (m_call)
            m_call(sender);
    }

    explicit operator bool() const { return bool(m_call); }
    bool isAlive() const { return m_call && (m_unowned || !m_target.expired()); }

private:
    std::weak_ptr<void> m_target;
    std::function<void(id)> m_call;
    bool m_unowned { false };
};

}
