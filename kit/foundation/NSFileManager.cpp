#include "kit/foundation/NSFileManager.h"

#include "kit/foundation/DeviceRoot.h"

#include <algorithm>
#include <filesystem>

namespace kit {

namespace fs = std::filesystem;

NSFileManager& NSFileManager::defaultManager()
{
    static NSFileManager manager;
    return manager;
}

bool NSFileManager::fileExistsAtPath(std::string_view path) const
{
    bool isDirectory;
    return fileExistsAtPath(path, isDirectory);
}

bool NSFileManager::fileExistsAtPath(std::string_view path, bool& isDirectory) const
{
    std::error_code error;
    auto status = fs::status(DeviceRoot::resolve(path), error);
    isDirectory = !error && fs::is_directory(status);
    return !error && fs::exists(status);
}

bool NSFileManager::createDirectoryAtPath(std::string_view path, bool withIntermediateDirectories) const
{
    std::error_code error;
    auto resolved = DeviceRoot::resolve(path);
    if (withIntermediateDirectories) {
        fs::create_directories(resolved, error);
        return !error && fs::is_directory(resolved, error);
    }
    return fs::create_directory(resolved, error) && !error;
}

std::vector<std::string> NSFileManager::contentsOfDirectoryAtPath(std::string_view path) const
{
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(DeviceRoot::resolve(path), error), end; !error && it != end; it.increment(error))
        names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool NSFileManager::removeItemAtPath(std::string_view path) const
{
    std::error_code error;
    return fs::remove_all(DeviceRoot::resolve(path), error) > 0 && !error;
}

bool NSFileManager::copyItemAtPath(std::string_view from, std::string_view to) const
{
    std::error_code error;
    auto destination = DeviceRoot::resolve(to);
    // The platform refuses to copy over an existing item.
    if (fs::exists(destination, error))
        return false;
    fs::copy(DeviceRoot::resolve(from), destination, fs::copy_options::recursive, error);
    return !error;
}

bool NSFileManager::moveItemAtPath(std::string_view from, std::string_view to) const
{
    std::error_code error;
    auto destination = DeviceRoot::resolve(to);
    if (fs::exists(destination, error))
        return false;
    fs::rename(DeviceRoot::resolve(from), destination, error);
    return !error;
}

std::optional<uint64_t> NSFileManager::fileSizeAtPath(std::string_view path) const
{
    std::error_code error;
    auto size = fs::file_size(DeviceRoot::resolve(path), error);
    if (error)
        return std::nullopt;
    return size;
}

std::string stringByAppendingPathComponent(std::string_view path, std::string_view component)
{
    std::string result(path);
    while (result.size() > 1 && result.back() == '/')
        result.pop_back();
    while (!component.empty() && component.front() == '/')
        component.remove_prefix(1);
    if (component.empty())
        return result;
    if (!result.empty() && result.back() != '/')
        result += '/';
    result += component;
    return result;
}

std::string lastPathComponent(std::string_view path)
{
    while (path.size() > 1 && path.back() == '/')
        path.remove_suffix(1);
    auto slash = path.rfind('/');
    if (slash == std::string_view::npos || path.size() == 1)
        return std::string(path);
    return std::string(path.substr(slash + 1));
}

std::string stringByDeletingLastPathComponent(std::string_view path)
{
    while (path.size() > 1 && path.back() == '/')
        path.remove_suffix(1);
    auto slash = path.rfind('/');
    if (slash == std::string_view::npos)
        return {};
    if (slash == 0)
        return "/";
    return std::string(path.substr(0, slash));
}

std::string pathExtension(std::string_view path)
{
    auto name = lastPathComponent(path);
    auto dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0)
        return {};
    return name.substr(dot + 1);
}

std::string stringByDeletingPathExtension(std::string_view path)
{
    auto extension = pathExtension(path);
    if (extension.empty())
        return std::string(path);
    return std::string(path.substr(0, path.size() - extension.size() - 1));
}

}
