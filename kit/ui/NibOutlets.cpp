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

bool class_respondsToAction(Class cls, SEL sel)
{
    auto method = class_getInstanceMethod(cls, sel);
    return method && method->imp && sameSignature(method->signature, signatureOf<void, id>());
}

}
