#pragma once

// The settings bundle's copy of the typed settings readers, with the same
// rules as the extension's (SettingsReaders.h).

#include "kit/foundation/PropertyList.h"

#include <cstdint>
#include <string_view>

namespace vantor {

class VT_HDTools {
public:
    static bool boolForKey(std::string_view key, bool defaultValue, const kit::PropertyList::Dictionary*);
    static int32_t intForKey(std::string_view key, int32_t defaultValue, const kit::PropertyList::Dictionary*);
};

}
