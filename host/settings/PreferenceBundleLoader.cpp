#include "host/settings/PreferenceBundleLoader.h"

#include "kit/foundation/ProcessIdentity.h"
#include "kit/runtime/Class.h"
#include "kit/ui/PSViewController.h"

#include <dlfcn.h>
#include <set>

namespace host {

namespace {

// The bundle libraries this process has loaded, by host path.
std::set<std::string>& loadedLibraries()
{
    static std::set<std::string> libraries;
    return libraries;
}

std::optional<std::string> loadLibrary(const std::filesystem::path& library)
{
    if (loadedLibraries().count(library.string()))
        return std::nullopt;
    std::error_code error;
    if (!std::filesystem::is_regular_file(library, error))
        return "the bundle has no library " + library.filename().string();
    if (!dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL)) {
        const char* reason = dlerror();
        return "its library cannot be loaded: " + std::string(reason ? reason : "unknown error");
    }
    loadedLibraries().insert(library.string());
    return std::nullopt;
}

}

std::variant<std::shared_ptr<kit::PSViewController>, std::string> openPreferenceEntry(
    const PreferenceEntry& entry, kit::CGSize contentSize)
{
    if (entry.bundleName.empty() || entry.bundleName.find('/') != std::string::npos || entry.bundleName == "..")
        return std::string("the entry names no bundle");
    auto bundle = kit::NSBundle::bundleWithPath(entry.bundlePath());
    if (!bundle)
        return "there is no bundle " + entry.bundlePath();
    if (auto problem = loadLibrary(bundle->hostPath() / (entry.bundleName + ".so")))
        return *problem;
    if (entry.entryClass.empty())
        return std::string("the entry names no class");
    kit::Class cls = kit::NSClassFromString(entry.entryClass);
    if (!cls)
        return "the bundle defines no class " + entry.entryClass;
    if (!cls->isSubclassOf(kit::PSViewController::staticClass()))
        return entry.entryClass + " is not a page controller";
    auto controller = std::dynamic_pointer_cast<kit::PSViewController>(cls->createInstance());
    if (!controller)
        return entry.entryClass + " cannot be made by name";
    if (!controller->initForContentSize(contentSize))
        return entry.entryClass + " did not start";
    return controller;
}

}
