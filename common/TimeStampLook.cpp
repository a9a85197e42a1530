#include "common/TimeStampLook.h"

#include "common/SettingsKeys.h"

#include "kit/ui/UIColor.h"

namespace vantor::settings {

std::string readTimeStampFontName(const kit::PropertyList::Dictionary* stored)
{
    if (stored) {
        auto found = stored->find(key::timeStampFontName);
        // An empty name names no font: the default stands in.
        if (found != stored->end() && found->second.string() && !found->second.string()->empty())
            return *found->second.string();
    }
    return defaultTimeStampFontName;
}

std::shared_ptr<kit::UIColor> readTimeStampColor(const kit::PropertyList::Dictionary* stored)
{
    if (stored) {
        auto found = stored->find(key::timeStampFontColor);
        if (found != stored->end() && found->second.data()) {
            if (auto colour = kit::UIColor::colorWithArchivedData(*found->second.data()))
                return colour;
        }
    }
    const auto* rgba = defaultTimeStampColor;
    return kit::UIColor::colorWithRed(rgba[0], rgba[1], rgba[2], rgba[3]);
}

}
