#include "common/VT_HDTools.h"

#include "common/SettingsReaders.h"

namespace vantor {

bool VT_HDTools::boolForKey(std::string_view key, bool defaultValue, const kit::PropertyList::Dictionary* dictionary)
{
    return settings::readBool(key, defaultValue, dictionary);
}

int32_t VT_HDTools::intForKey(
    std::string_view key, int32_t defaultValue, const kit::PropertyList::Dictionary* dictionary)
{
    return settings::readInt(key, defaultValue, dictionary);
}

}
