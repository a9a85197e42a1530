#include "kit/foundation/TemporaryFile.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace kit {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view marker = ".partial-";
constexpr size_t uniqueLength = 6; // mkstemp's XXXXXX

// Removes the file when no writer holds its lock. A writer that dies lets its
// lock go with it; a living one keeps it until it has moved the file.
bool removeIfAbandoned(const fs::path& path)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return false;
    bool removed = ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::unlink(path.c_str()) == 0;
    ::close(fd);
    return removed;
}

}

std::optional<TemporaryFile> TemporaryFile::createBeside(const fs::path& destination, int& errorNumber)
{
    fs::path folder = destination.parent_path().empty() ? fs::path(".") : destination.parent_path();
    std::string pattern = (folder / ("." + destination.filename().string() + std::string(marker) + "XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) {
        errorNumber = errno;
        return std::nullopt;
    }
    // Nobody else knows the name yet, so the lock is free.
    ::flock(fd, LOCK_EX | LOCK_NB);
    ::fchmod(fd, 0644); // mkstemp makes 0600; the finished file is an ordinary one
    return TemporaryFile(fd, fs::path(name.data()));
}

TemporaryFile::TemporaryFile(TemporaryFile&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1))
    , m_path(std::move(other.m_path))
{
}

TemporaryFile& TemporaryFile::operator=(TemporaryFile&& other) noexcept
{
    if (this != &other) {
        close();
        m_fd = std::exchange(other.m_fd, -1);
        m_path = std::move(other.m_path);
    }
    return *this;
}

TemporaryFile::~TemporaryFile()
{
    close();
}

int TemporaryFile::close()
{
    if (m_fd < 0)
        return 0;
    int result = ::close(std::exchange(m_fd, -1)) == 0 ? 0 : errno;
    return result;
}

bool TemporaryFile::isTemporaryName(std::string_view name)
{
    if (name.size() < 1 + marker.size() + uniqueLength + 1 || name[0] != '.')
        return false;
    auto at = name.size() - uniqueLength - marker.size();
    return name.substr(at, marker.size()) == marker;
}

int TemporaryFile::removeAbandoned(const fs::path& folder, bool recursive)
{
    std::vector<fs::path> found;
    std::error_code error;
    auto consider = [&](const fs::directory_entry& entry) {
        std::error_code ignored;
        if (entry.is_regular_file(ignored) && isTemporaryName(entry.path().filename().string()))
            found.push_back(entry.path());
    };
    if (recursive) {
        for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
            consider(*it);
    } else {
        for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
            consider(*it);
    }
    int removed = 0;
    for (const auto& path : found)
        removed += removeIfAbandoned(path) ? 1 : 0;
    return removed;
}

}
