#pragma once

#include "kit/foundation/ProcessIdentity.h"
#include "kit/foundation/PropertyList.h"
#include "kit/runtime/Class.h"
#include "kit/runtime/Selector.h"
#include "kit/ui/UIControl.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kit {

class UIView;

// Layouts: a page's views described in a file of its bundle, "NAME.nib", an
// XML (or binary) property list that a person can read and edit. Loading one
// builds the view tree, sets each view's properties, and connects the views
// to the owner: outlets (the owner's fields, by name) and actions (a control
// event sends a selector to the owner). The format is described in
// kit/ui/README-layouts.md.
//
// A layout is taken whole or not at all: one that names a class, property,
// outlet or action that does not exist, or that is missing or malformed, is
// refused with one log line naming the layout and the offending name, and
// connects nothing.

// --- What an owner lets a layout connect -----------------------------------
//
// An owner class declares its outlets and actions once, usually when its
// library is loaded (a static initialiser in its .cpp):
//
//     KIT_REGISTER_CLASS(MainViewController);
//     static const bool mainViewControllerConnections = [] {
//         kit::registerOutlet("advancedPhoto", &MainViewController::advancedPhoto);
//         kit::registerAction<&MainViewController::advPhotoSwitched>("advPhotoSwitched:");
//         return true;
//     }();
//
// Declarations are inherited: a layout may connect what the owner's class or
// any superclass declares. Every UIViewController has the outlet "view".

// Sets an outlet on an owner, or with onlyCheck only answers whether it
// could; false when the owner is not of the declaring class or the value
// cannot be held by the field.
using OutletSetter = std::function<bool(Object* owner, const std::shared_ptr<Object>& value, bool onlyCheck)>;

// class_addOutlet: declares the outlet `name` on the class. A second
// declaration of the same name replaces the first.
void class_addOutlet(Class, std::string_view name, OutletSetter);
// The setter found for the name on the class or a superclass.
std::optional<OutletSetter> class_getOutlet(Class, std::string_view name);

// An owned field: std::shared_ptr<UISwitch> MainViewController::advancedPhoto.
template <typename Owner, typename V>
void registerOutlet(std::string_view name, std::shared_ptr<V> Owner::*field)
{
    class_addOutlet(Owner::staticClass(), name, [field](Object* owner, const std::shared_ptr<Object>& value, bool onlyCheck) {
        auto* self = dynamic_cast<Owner*>(owner);
        auto typed = std::dynamic_pointer_cast<V>(value);
        if (!self || (value && !typed))
            return false;
        if (!onlyCheck)
            self->*field = std::move(typed);
        return true;
    });
}

// A remembered field: std::weak_ptr<UIScrollView> Page::scrollView (the view
// tree keeps the view alive).
template <typename Owner, typename V>
void registerOutlet(std::string_view name, std::weak_ptr<V> Owner::*field)
{
    class_addOutlet(Owner::staticClass(), name, [field](Object* owner, const std::shared_ptr<Object>& value, bool onlyCheck) {
        auto* self = dynamic_cast<Owner*>(owner);
        auto typed = std::dynamic_pointer_cast<V>(value);
        if (!self || (value && !typed))
            return false;
        if (!onlyCheck)
            self->*field = typed;
        return true;
    });
}

namespace detail {
template <typename M>
struct ActionOwner;
template <typename C>
struct ActionOwner<void (C::*)(id)> {
    using type = C;
};
}

// An action: a method `void Owner::name(id sender)` added to the owner's
// class under the selector ("advPhotoSwitched:"), so that it is sent through
// the runtime and can be found, replaced and checked by name like any other
// method.
template <auto Method>
bool registerAction(std::string_view selector)
{
    using Owner = typename detail::ActionOwner<decltype(Method)>::type;
    return addMethod(Owner::staticClass(), sel_registerName(selector), memberImp<Method>());
}

// Whether the class (or a superclass) has a method of an action's shape,
// void (id self, SEL, id sender), for the selector.
bool class_respondsToAction(Class, SEL);

// --- Loading ----------------------------------------------------------------

// What one loading made, for whoever wants to look (tests, the simulator).
struct NibContents {
    // The layout's top-level views, in file order; they own their subviews.
    std::vector<std::shared_ptr<UIView>> topLevelViews;
    // Each outlet set on the owner, in file order.
    struct Outlet {
        std::string name;
        std::shared_ptr<UIView> view;
    };
    std::vector<Outlet> outlets;
    // Each action connected, in file order.
    struct ConnectedAction {
        std::shared_ptr<UIControl> control;
        UIControlEvents events { 0 };
        std::string selector;
    };
    std::vector<ConnectedAction> actions;
};

// A layout resource of a bundle, read when it is instantiated.
class UINib {
public:
    // +[UINib nibWithNibName:bundle:]; a bundle of nothing means the main
    // bundle's folder (the process's working folder).
    static std::shared_ptr<UINib> nibWithNibName(std::string name, std::shared_ptr<NSBundle> bundle);

    const std::string& name() const { return m_name; }
    // The file the layout is read from ("NAME.nib" in the bundle).
    std::filesystem::path path() const;

    // Builds the views and connects them to the owner (which may be nothing:
    // then the layout may not name outlets or actions). The owner must be
    // held by a std::shared_ptr when the layout names actions, as controls
    // hold their targets weakly. On refusal: the reason, also written to the
    // log as one line; nothing is connected.
    std::variant<NibContents, std::string> instantiate(Object* owner) const;
    // -[UINib instantiateWithOwner:options:]: the top-level views; nothing
    // when the layout was refused.
    std::optional<std::vector<std::shared_ptr<UIView>>> instantiateWithOwner(Object* owner,
        const PropertyList::Dictionary* options = nullptr) const;

private:
    UINib(std::string name, std::shared_ptr<NSBundle> bundle);

    std::string m_name;
    std::shared_ptr<NSBundle> m_bundle;
};

// The views that layouts connected to outlets of that name, on owners that
// are still alive, with their owners; the most recent first. What a person
// would tap to reach "the owner's advancedPhoto" (the simulator's
// tap-outlet).
struct ConnectedOutlet {
    std::shared_ptr<Object> owner;
    std::shared_ptr<UIView> view;
};
std::vector<ConnectedOutlet> connectedOutletViews(std::string_view name);

namespace detail {
// The loader's note of a connection, for connectedOutletViews.
void recordConnectedOutlet(Object* owner, std::string_view name, const std::shared_ptr<UIView>& view);
}

// -[NSBundle loadNibNamed:owner:options:]: the layout NAME.nib of the bundle,
// instantiated with the owner; nothing (and one log line) when it is missing,
// malformed or refused. Options are accepted and not used.
std::optional<std::vector<std::shared_ptr<UIView>>> loadNibNamed(const std::shared_ptr<NSBundle>& bundle,
    std::string_view name, Object* owner, const PropertyList::Dictionary* options = nullptr);

}
