#pragma once

// What the pages ask of the root controller: opening pages and storing
// values. Every operation is optional; the defaults do nothing.

#include "kit/foundation/PropertyList.h"
#include "kit/runtime/Types.h"

#include <memory>
#include <string_view>

namespace kit {
class UIViewController;
}

namespace vantor {

class Bundle_Template_ControllerDelegate {
public:
    virtual ~Bundle_Template_ControllerDelegate() = default;

    virtual void manualButtonTapped(kit::id /*sender*/) { }
    virtual void setupTimeStampButtonTapped(kit::id /*sender*/) { }
    virtual void writePreferencesToFile() { }
    virtual void pushController(std::shared_ptr<kit::UIViewController>) { }
    // Stores the value under the key and writes the settings file.
    virtual void setObjectForKeyInPreferences(kit::PropertyList /*object*/, std::string_view /*ForKey*/) { }
};

}
