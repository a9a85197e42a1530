#include "kit/foundation/AtomicFile.h"

#include "kit/foundation/TemporaryFile.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace kit {

namespace {

bool writeAll(int fd, std::span<const uint8_t> bytes)
{
    size_t written = 0;
    while (written < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        written += size_t(n);
    }
    return true;
}

void syncFolder(const std::filesystem::path& folder)
{
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}

bool writeFileAtomically(const std::filesystem::path& path, std::span<const uint8_t> bytes)
{
    auto folder = path.parent_path();
    int errorNumber = 0;
    auto temporary = TemporaryFile::createBeside(path, errorNumber);
    if (!temporary)
        return false;
    bool ok = writeAll(temporary->descriptor(), bytes) && ::fsync(temporary->descriptor()) == 0;
    // The file moves while its writer still holds it, so a cleaner never
    // takes it for one left behind.
    if (ok)
        ok = ::rename(temporary->path().c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary->path().c_str());
        return false;
    }
    temporary->close();
    syncFolder(folder);
    return true;
}

bool writeFileDirectly(const std::filesystem::path& path, std::span<const uint8_t> bytes)
{
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    bool ok = writeAll(fd, bytes);
    return (::close(fd) == 0) && ok;
}

std::optional<std::vector<uint8_t>> readWholeFile(const std::filesystem::path& path, size_t maximumBytes)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || size_t(info.st_size) > maximumBytes) {
        ::close(fd);
        return std::nullopt;
    }
    std::vector<uint8_t> bytes(size_t(info.st_size));
    size_t total = 0;
    while (total < bytes.size()) {
        ssize_t n = ::read(fd, bytes.data() + total, bytes.size() - total);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        total += size_t(n);
    }
    ::close(fd);
    // A file that shrank while being read is read as it was found.
    bytes.resize(total);
    return bytes;
}

}
