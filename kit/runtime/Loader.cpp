#include "kit/runtime/Loader.h"

#include "kit/foundation/PropertyListFile.h"
#include "kit/foundation/SystemLog.h"

#include <algorithm>
#include <dlfcn.h>
#include <mutex>
#include <set>

namespace kit {

namespace fs = std::filesystem;

namespace {

// Libraries whose entry has run in this process. A library is one loaded
// object however it is reached (two device roots may link the same file), so
// they are known by their handle, not their path.
std::set<void*>& initialisedLibraries()
{
    static std::set<void*> libraries;
    return libraries;
}

std::mutex& loaderMutex()
{
    static std::mutex m;
    return m;
}

}

bool Loader::filterMatches(const fs::path& filterFile, const std::string& bundleIdentifier)
{
    auto plist = readPropertyListFile(filterFile);
    if (!plist || !plist->dictionary())
        return false;
    auto filter = plist->dictionary()->find("Filter");
    if (filter == plist->dictionary()->end() || !filter->second.dictionary())
        return false;
    auto bundles = filter->second.dictionary()->find("Bundles");
    if (bundles == filter->second.dictionary()->end() || !bundles->second.array())
        return false;
    auto& list = *bundles->second.array();
    return std::any_of(list.begin(), list.end(),
        [&](const PropertyList& item) { return item.string() && *item.string() == bundleIdentifier; });
}

Loader::Result Loader::loadInto(const fs::path& deviceRoot, const std::string& bundleIdentifier)
{
    Result result;
    auto folder = deviceRoot / "Library" / "MobileSubstrate" / "DynamicLibraries";
    std::vector<fs::path> filters;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (it->path().extension() == ".plist")
            filters.push_back(it->path());
    }
    std::sort(filters.begin(), filters.end());

    std::lock_guard lock(loaderMutex());
    for (auto& filter : filters) {
        std::string name = filter.stem().string();
        if (!filterMatches(filter, bundleIdentifier)) {
            logf("Loader: %s not loaded into %s: its filter does not name it", name.c_str(), bundleIdentifier.c_str());
            continue;
        }
        auto library = fs::path(filter).replace_extension(".so");
        void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            const char* reason = dlerror();
            logf("Loader: cannot open %s: %s", library.c_str(), reason ? reason : "unknown error");
            result.skipped.push_back(name);
            continue;
        }
        if (initialisedLibraries().count(handle)) {
            dlclose(handle); // the reference this call added
            result.loaded.push_back(name);
            continue;
        }
        std::string entryName = name + "Initialize";
        auto entry = reinterpret_cast<void (*)()>(dlsym(handle, entryName.c_str()));
        if (!entry) {
            logf("Loader: %s has no entry %s", library.c_str(), entryName.c_str());
            result.skipped.push_back(name);
            continue;
        }
        initialisedLibraries().insert(handle);
        logf("Loader: %s loaded into %s", name.c_str(), bundleIdentifier.c_str());
        entry();
        result.loaded.push_back(name);
    }
    return result;
}

}
