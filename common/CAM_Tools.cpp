#include "common/CAM_Tools.h"

#include "common/SettingsReaders.h"

namespace vantor {

bool CAM_Tools::boolForKey(std::string_view key, bool defaultValue, const kit::PropertyList::Dictionary* dictionary)
{
    return settings::readBool(key, defaultValue, dictionary);
}

int32_t CAM_Tools::intForKey(
    std::string_view key, int32_t defaultValue, const kit::PropertyList::Dictionary* dictionary)
{
    return settings::readInt(key, defaultValue, dictionary);
}

}
