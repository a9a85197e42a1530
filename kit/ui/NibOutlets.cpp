// The outlets that owner classes declare for layouts, and the action check.

#include "kit/runtime/MessageSend.h"
#include "kit/ui/UINib.h"
#include "kit/ui/UIViewController.h"

#include <map>
#include <mutex>

namespace kit {

namespace {

struct OutletTable {
    std::mutex mutex;
    std::map<std::pair<Class, std::string>, OutletSetter, std::less<>> outlets;
    struct Connection {
        std::weak_ptr<Object> owner;
        std::string name;
        std::weak_ptr<UIView> view;
    };
    std::vector<Connection> connected;
};

OutletTable& outletTable()
{
    static OutletTable table;
    return table;
}

// Every controller's layout may set its view.
[[maybe_unused]] const bool viewOutletDeclared = [] {
    class_addOutlet(UIViewController::staticClass(), "view",
        [](Object* owner, const std::shared_ptr<Object>& value, bool onlyCheck) {
            auto* controller = dynamic_cast<UIViewController*>(owner);
            auto view = std::dynamic_pointer_cast<UIView>(value);
            if (!controller || (value && !view))
                return false;
            if (!onlyCheck)
                controller->setView(std::move(view));
            return true;
        });
    return true;
}();

}

void class_addOutlet(Class cls, std::string_view name, OutletSetter setter)
{
    if (!cls || name.empty() || !setter)
        return;
    auto& table = outletTable();
    std::lock_guard lock(table.mutex);
    table.outlets[{ cls, std::string(name) }] = std::move(setter);
}

std::optional<OutletSetter> class_getOutlet(Class cls, std::string_view name)
{
    auto& table = outletTable();
    std::lock_guard lock(table.mutex);
    for (Class c = cls; c; c = c->superclass()) {
        auto it = table.outlets.find(std::pair<Class, std::string>(c, std::string(name)));
        if (it != table.outlets.end())
            return it->second;
    }
    return std::nullopt;
}

void detail::recordConnectedOutlet(Object* owner, std::string_view name, const std::shared_ptr<UIView>& view)
{
    auto strong = owner ? owner->strongRef() : nullptr;
    if (!strong)
        return;
    auto& table = outletTable();
    std::lock_guard lock(table.mutex);
    std::erase_if(table.connected, [](auto& c) { return c.owner.expired() || c.view.expired(); });
    table.connected.push_back({ strong, std::string(name), view });
}

std::vector<ConnectedOutlet> connectedOutletViews(std::string_view name)
{
    auto& table = outletTable();
    std::lock_guard lock(table.mutex);
    std::vector<ConnectedOutlet> found;
    for (auto it = table.connected.rbegin(); it != table.connected.rend(); ++it) {
        if (it->name != name)
            continue;
        auto owner = it->owner.lock();
        auto view = it->view.lock();
        if (owner && view)
            found.push_back({ std::move(owner), std::move(view) });
    }
    return found;
}

bool class_respondsToAction(Class cls, SEL sel)
{
    auto method = class_getInstanceMethod(cls, sel);
    return method && method->imp && sameSignature(method->signature, signatureOf<void, id>());
}

}
