#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace sim {

// Makes a device root ready to run: lays out its folders and installs the
// products and resources that the build staged, where the root lacks them or
// holds an older copy. The user's own files in the root (var/mobile:
// settings, photos, movies) are never touched.
class DeviceRootInstaller {
public:
    explicit DeviceRootInstaller(std::filesystem::path stagedRoot) : m_staged(std::move(stagedRoot)) { }

    struct Result {
        bool ok { false };
        std::vector<std::string> installed; // device-relative paths copied in
        std::string error;
    };

    Result install(const std::filesystem::path& root) const;

    // The folders, relative to a root, that the build owns.
    static const std::vector<std::string>& installedFolders();

private:
    std::filesystem::path m_staged;
};

}
