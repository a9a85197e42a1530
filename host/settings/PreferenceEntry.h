#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace host {

// One entry of the Settings app's list, as a file in the device root's
// "Library/PreferenceLoader/Preferences" declares it: a property list whose
// "entry" dictionary gives the row's "label", its "icon" (an image file in
// the bundle folder), the "bundle" (NAME: the folder
// "Library/PreferenceBundles/NAME.bundle" holding the library NAME.so) and the
// entry class ("detail"), which the bundle defines.
struct PreferenceEntry {
    std::string label;
    std::string bundleName;
    std::string entryClass;
    std::string iconName;
    // The file that declared it.
    std::filesystem::path declaredBy;

    // "Library/PreferenceBundles/NAME.bundle", relative to the Settings app's
    // working folder, the device's root.
    std::string bundlePath() const;

    // The entries of the device root, in file-name order. A file that is not
    // a property list, or whose entry lacks a label, is skipped with a log
    // line; an entry without a bundle or class still shows (and says why
    // when tapped).
    static std::vector<PreferenceEntry> readAll(const std::filesystem::path& deviceRoot);
};

}
