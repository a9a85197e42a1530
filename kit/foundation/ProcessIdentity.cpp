#include "kit/foundation/ProcessIdentity.h"

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
