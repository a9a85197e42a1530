#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kit {

// The platform's file manager, on device paths (resolved under the device
// root). Failures answer false or nothing; nothing throws.
class NSFileManager {
public:
    static NSFileManager& defaultManager();

    bool fileExistsAtPath(std::string_view path) const;
    bool fileExistsAtPath(std::string_view path, bool& isDirectory) const;
    bool createDirectoryAtPath(std::string_view path, bool withIntermediateDirectories) const;
    // The names in a folder, sorted by name; empty when it cannot be read.
    std::vector<std::string> contentsOfDirectoryAtPath(std::string_view path) const;
    bool removeItemAtPath(std::string_view path) const;
    bool copyItemAtPath(std::string_view from, std::string_view to) const;
    bool moveItemAtPath(std::string_view from, std::string_view to) const;
    // Size in bytes; nothing when the file does not exist.
    std::optional<uint64_t> fileSizeAtPath(std::string_view path) const;
};

// NSString's path helpers.
std::string stringByAppendingPathComponent(std::string_view path, std::string_view component);
std::string lastPathComponent(std::string_view path);
std::string stringByDeletingLastPathComponent(std::string_view path);
std::string pathExtension(std::string_view path);
std::string stringByDeletingPathExtension(std::string_view path);

}
