#pragma once

#include "host/settings/PreferenceEntry.h"

#include "kit/ui/Geometry.h"

#include <memory>
#include <string>
#include <variant>

namespace kit {
class PSViewController;
}

namespace host {

// Opens a Settings entry as the Settings app does: loads the entry's bundle
// library (once per process; it stays loaded, as its classes live in it),
// creates the entry class by name through the runtime and sends it
// initForContentSize with the content area's size.
//
// Nothing is created when the bundle is missing or cannot be loaded, the
// class is unknown, is not a page controller or cannot be made by name, or
// its creation fails: the answer is then the reason, for the log.
std::variant<std::shared_ptr<kit::PSViewController>, std::string> openPreferenceEntry(
    const PreferenceEntry&, kit::CGSize contentSize);

}
