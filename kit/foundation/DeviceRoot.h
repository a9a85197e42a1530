#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kit {

// The device root: the one folder inside which every absolute device path
// ("/Library/Application Support/Vantor2/...", "/var/mobile/...") is
// resolved, the way a chroot would. "/User" is the mobile user's home, so
// "/User/..." and "/var/mobile/..." name the same files.
//
// With no root set, device paths are used as they are, so tests can pass
// ordinary file names.
class DeviceRoot {
public:
    static void set(std::filesystem::path root);
    static void clear();
    static const std::filesystem::path& get();

    // The host path of a device path. "." and ".." are resolved within the
    // root, so no device path reaches outside it. A relative path is taken
    // as it is.
    static std::filesystem::path resolve(std::string_view devicePath);

    // Lays out an empty device root: the standard folders and the
    // "User -> var/mobile" link.
    static bool prepare(const std::filesystem::path& root);
};

}
