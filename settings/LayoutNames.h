#pragma once

// Which layout resource each page is built from, by device class, and the
// bundle they are loaded from.

#include <string>

namespace vantor {

// Relative to the host process's working folder, which is the file-system
// root in the Settings app.
inline constexpr const char* kBundlePath = "Library/PreferenceBundles/Vantor2_Prefs.bundle";

enum class SettingsPage { Main, Manual, TimeStamp, Features };

// The name for the device class in prefs::IS_IPAD and prefs::IS_IPHONE_4.
// The iPad is tested first; the timestamp page knows only the iPad's own
// layout and the features page only the 3.5-inch iPhone's.
std::string layoutName(SettingsPage);

}
