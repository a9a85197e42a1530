#include "kit/foundation/ProcessIdentity.h"

#include "kit/foundation/DeviceRoot.h"

#include <cerrno>
#include <cstring>
#include <mutex>

namespace kit {

namespace {

std::mutex& identityMutex()
{
    static std::mutex m;
    return m;
}

ProcessIdentity& identity()
{
    static ProcessIdentity i;
    return i;
}

}

void ProcessIdentity::set(ProcessIdentity value)
{
    std::lock_guard lock(identityMutex());
    identity() = std::move(value);
}

const ProcessIdentity& ProcessIdentity::current()
{
    return identity();
}

NSBundle& NSBundle::mainBundle()
{
    static NSBundle bundle;
    return bundle;
}

std::string NSBundle::bundleIdentifier() const
{
    std::lock_guard lock(identityMutex());
    return identity().bundleIdentifier;
}

std::shared_ptr<NSBundle> NSBundle::bundleWithPath(std::string_view devicePath)
{
    if (devicePath.empty())
        return nullptr;
    std::string path(devicePath);
    std::string working;
    {
        std::lock_guard lock(identityMutex());
        working = identity().workingDirectory;
    }
    if (path.front() != '/' && !working.empty())
        path = (std::filesystem::path(working) / path).string();
    auto hostPath = DeviceRoot::resolve(path);
    std::error_code error;
    if (!std::filesystem::is_directory(hostPath, error))
        return nullptr;
    auto bundle = std::make_shared<NSBundle>();
    bundle->m_bundlePath = std::string(devicePath);
    bundle->m_hostPath = std::move(hostPath);
    return bundle;
}

std::optional<std::filesystem::path> NSBundle::pathForResource(std::string_view name, std::string_view type) const
{
    if (name.empty() || name.find('/') != std::string_view::npos)
        return std::nullopt;
    std::string file(name);
    if (!type.empty())
        file += "." + std::string(type);
    std::error_code error;
    auto folder = m_hostPath.empty() ? std::filesystem::current_path(error) : m_hostPath;
    auto path = folder / file;
    if (!std::filesystem::is_regular_file(path, error))
        return std::nullopt;
    return path;
}

int sysctlbyname(const char* name, void* oldValue, size_t* oldLength, const void* newValue, size_t)
{
    if (!name || std::strcmp(name, "hw.machine") != 0 || !oldLength) {
        errno = ENOENT;
        return -1;
    }
    if (newValue) {
        errno = EPERM;
        return -1;
    }
    std::string machine;
    {
        std::lock_guard lock(identityMutex());
        machine = identity().machine;
    }
    size_t needed = machine.size() + 1;
    if (!oldValue) {
        *oldLength = needed;
        return 0;
    }
    size_t copied = std::min(*oldLength, needed);
    std::memcpy(oldValue, machine.c_str(), copied);
    *oldLength = copied;
    if (copied < needed) {
        errno = ENOMEM;
        return -1;
    }
    return 0;
}

}
