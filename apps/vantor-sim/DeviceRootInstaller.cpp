#include "DeviceRootInstaller.h"

#include "kit/foundation/DeviceRoot.h"

namespace sim {

namespace fs = std::filesystem;

const std::vector<std::string>& DeviceRootInstaller::installedFolders()
{
    // Everything the package installs on a phone; nothing under var/mobile.
    static const std::vector<std::string> folders { "Library/MobileSubstrate/DynamicLibraries",
        "Library/PreferenceBundles", "Library/PreferenceLoader/Preferences", "Library/Application Support/Vantor2" };
    return folders;
}

namespace {

bool needsCopy(const fs::path& from, const fs::path& to)
{
    std::error_code error;
    if (!fs::exists(to, error))
        return true;
    return fs::file_size(from, error) != fs::file_size(to, error)
        || fs::last_write_time(from, error) > fs::last_write_time(to, error);
}

}

DeviceRootInstaller::Result DeviceRootInstaller::install(const fs::path& root) const
{
    Result result;
    if (!kit::DeviceRoot::prepare(root)) {
        result.error = "cannot lay out the device root " + root.string();
        return result;
    }
    std::error_code error;
    for (auto& folder : installedFolders()) {
        auto source = m_staged / folder;
        if (!fs::is_directory(source, error))
            continue;
        for (fs::recursive_directory_iterator it(source, error), end; !error && it != end; it.increment(error)) {
            auto relative = fs::relative(it->path(), m_staged, error);
            auto target = root / relative;
            if (it->is_directory()) {
                fs::create_directories(target, error);
            } else if (needsCopy(it->path(), target)) {
                fs::create_directories(target.parent_path(), error);
                // Copy beside, then rename: a library being replaced stays whole.
                auto temporary = target;
                temporary += ".installing";
                fs::copy_file(it->path(), temporary, fs::copy_options::overwrite_existing, error);
                if (!error)
                    fs::rename(temporary, target, error);
                if (error) {
                    fs::remove(temporary);
                    result.error = "cannot install " + relative.string() + ": " + error.message();
                    return result;
                }
                result.installed.push_back(relative.string());
            }
        }
        if (error) {
            result.error = "cannot read the staged " + folder + ": " + error.message();
            return result;
        }
    }
    result.ok = true;
    return result;
}

}
