#include "settings/LayoutNames.h"

#include "settings/Globals.h"

namespace vantor {

std::string layoutName(SettingsPage page)
{
    switch (page) {
    case SettingsPage::Main:
        return prefs::IS_IPAD ? "MainView_ipad" : prefs::IS_IPHONE_4 ? "MainView_iphone_4" : "MainView_iphone";
    case SettingsPage::Manual:
        return prefs::IS_IPAD ? "ManualPage1_ipad"
            : prefs::IS_IPHONE_4 ? "ManualPage1_iphone_4"
                                 : "ManualPage1_iphone";
    case SettingsPage::TimeStamp:
        return prefs::IS_IPAD ? "TimeStampView_ipad" : "TimeStampView_iphone";
    case SettingsPage::Features:
        return prefs::IS_IPHONE_4 ? "FeaturesView_iphone_4" : "FeaturesView_iphone";
    }
    return {};
}

}
