#pragma once

#include "../resources/TemporaryFolder.h"

#include <filesystem>
#include <fstream>
#include <string>

// A device root holding the test bundle "TestPrefs" (its library and its
// layout) and the entry plists that the tests declare.
class SettingsTestRoot {
public:
    SettingsTestRoot()
    {
        namespace fs = std::filesystem;
        auto bundle = path() / "Library/PreferenceBundles/TestPrefs.bundle";
        fs::create_directories(bundle);
        fs::create_directories(path() / "Library/PreferenceLoader/Preferences");
        fs::copy_file(TEST_PREFS_LIBRARY, bundle / "TestPrefs.so");
        fs::copy_file(TEST_PREFS_LAYOUT, bundle / "TestPage.nib");
    }

    const std::filesystem::path& path() const { return m_folder.path(); }

    // Library/PreferenceLoader/Preferences/FILE.plist declaring one entry.
    void declareEntry(const std::string& file, const std::string& label, const std::string& bundle,
        const std::string& entryClass)
    {
        writeEntryFile(file, "<dict><key>entry</key><dict><key>label</key><string>" + label
                + "</string><key>bundle</key><string>" + bundle + "</string><key>detail</key><string>" + entryClass
                + "</string><key>isController</key><true/></dict></dict>");
    }
    void writeEntryFile(const std::string& file, const std::string& body)
    {
        std::ofstream(path() / "Library/PreferenceLoader/Preferences" / (file + ".plist"))
            << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">" << body << "</plist>\n";
    }

private:
    TemporaryFolder m_folder;
};
