#include "kit/foundation/DeviceRoot.h"

#include <mutex>
#include <vector>

namespace kit {

namespace {

struct RootState {
    std::mutex mutex;
    std::filesystem::path root;
};

RootState& state()
{
    static RootState s;
    return s;
}

// Splits an absolute device path into components, dropping "." and resolving
// ".." without ever climbing above "/".
std::vector<std::string_view> normalisedComponents(std::string_view path)
{
    std::vector<std::string_view> components;
    size_t i = 0;
    while (i < path.size()) {
        size_t next = path.find('/', i);
        if (next == std::string_view::npos)
            next = path.size();
        std::string_view part = path.substr(i, next - i);
        if (part == "..") {
            if (!components.empty())
                components.pop_back();
        } else if (!part.empty() && part != ".") {
            components.push_back(part);
        }
        i = next + 1;
    }
    return components;
}

}

void DeviceRoot::set(std::filesystem::path root)
{
    std::lock_guard lock(state().mutex);
    state().root = std::move(root);
}

void DeviceRoot::clear()
{
    set({});
}

const std::filesystem::path& DeviceRoot::get()
{
    return state().root;
}

std::filesystem::path DeviceRoot::resolve(std::string_view devicePath)
{
    std::filesystem::path root;
    {
        std::lock_guard lock(state().mutex);
        root = state().root;
    }
    if (root.empty() || devicePath.empty() || devicePath.front() != '/')
        return std::filesystem::path(devicePath);
    auto components = normalisedComponents(devicePath);
    std::filesystem::path result = root;
    size_t first = 0;
    if (!components.empty() && components[0] == "User") {
        result /= "var";
        result /= "mobile";
        first = 1;
    }
    for (size_t i = first; i < components.size(); ++i)
        result /= components[i];
    return result;
}

bool DeviceRoot::prepare(const std::filesystem::path& root)
{
    std::error_code error;
    for (auto folder : { "Library/MobileSubstrate/DynamicLibraries", "Library/PreferenceBundles",
             "Library/PreferenceLoader/Preferences", "Library/Application Support", "var/mobile/Library/Preferences",
             "var/mobile/Media/DCIM" }) {
        std::filesystem::create_directories(root / folder, error);
        if (error)
            return false;
    }
    auto link = root / "User";
    if (!std::filesystem::exists(std::filesystem::symlink_status(link)))
        std::filesystem::create_directory_symlink("var/mobile", link, error);
    return !error;
}

}
