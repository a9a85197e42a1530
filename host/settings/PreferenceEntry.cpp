#include "host/settings/PreferenceEntry.h"

#include "kit/foundation/PropertyListFile.h"
#include "kit/foundation/SystemLog.h"

#include <algorithm>

namespace host {

namespace fs = std::filesystem;

namespace {

std::string stringEntry(const kit::PropertyList::Dictionary& entry, const char* key)
{
    auto it = entry.find(key);
    return it != entry.end() && it->second.string() ? *it->second.string() : std::string();
}

}

std::string PreferenceEntry::bundlePath() const
{
    return "Library/PreferenceBundles/" + bundleName + ".bundle";
}

std::vector<PreferenceEntry> PreferenceEntry::readAll(const fs::path& deviceRoot)
{
    std::vector<fs::path> files;
    std::error_code error;
    for (fs::directory_iterator it(deviceRoot / "Library/PreferenceLoader/Preferences", error), end;
         !error && it != end; it.increment(error)) {
        if (it->path().extension() == ".plist")
            files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());

    std::vector<PreferenceEntry> entries;
    for (auto& file : files) {
        auto plist = kit::readPropertyListFile(file);
        const kit::PropertyList::Dictionary* root = plist ? plist->dictionary() : nullptr;
        auto entry = root ? root->find("entry") : kit::PropertyList::Dictionary::const_iterator();
        if (!root || entry == root->end() || !entry->second.dictionary()) {
            kit::logf("Settings: %s declares no entry", file.filename().c_str());
            continue;
        }
        PreferenceEntry declared;
        declared.label = stringEntry(*entry->second.dictionary(), "label");
        declared.bundleName = stringEntry(*entry->second.dictionary(), "bundle");
        declared.entryClass = stringEntry(*entry->second.dictionary(), "detail");
        declared.iconName = stringEntry(*entry->second.dictionary(), "icon");
        declared.declaredBy = file;
        if (declared.label.empty()) {
            kit::logf("Settings: the entry of %s has no label", file.filename().c_str());
            continue;
        }
        entries.push_back(std::move(declared));
    }
    return entries;
}

}
