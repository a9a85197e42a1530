#include "kit/media/StagedFile.h"

#include <cerrno>
#include <fcntl.h>
#include <stdio.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace kit {

namespace fs = std::filesystem;

std::optional<StagedFile> StagedFile::create(const fs::path& destination, int& errorNumber)
{
    fs::path folder = destination.parent_path().empty() ? fs::path(".") : destination.parent_path();
    std::string pattern = (folder / ("." + destination.filename().string() + ".partial-XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = mkstemp(name.data());
    if (fd < 0) {
        errorNumber = errno;
        return std::nullopt;
    }
    fchmod(fd, 0644); // mkstemp makes 0600; the finished file is an ordinary one
    close(fd);
    return StagedFile(destination, fs::path(name.data()));
}

StagedFile::StagedFile(fs::path destination, fs::path temporary)
    : m_destination(std::move(destination))
    , m_temporary(std::move(temporary))
{
}

StagedFile::StagedFile(StagedFile&& other) noexcept
    : m_destination(std::move(other.m_destination))
    , m_temporary(std::exchange(other.m_temporary, {}))
{
}

StagedFile& StagedFile::operator=(StagedFile&& other) noexcept
{
    if (this != &other) {
        discard();
        m_destination = std::move(other.m_destination);
        m_temporary = std::exchange(other.m_temporary, {});
    }
    return *this;
}

StagedFile::~StagedFile()
{
    discard();
}

int StagedFile::commit()
{
    if (m_temporary.empty())
        return ENOENT;
    int fd = open(m_temporary.c_str(), O_RDONLY | O_CLOEXEC);
    int result = fd < 0 ? errno : 0;
    if (fd >= 0) {
        if (fsync(fd) != 0)
            result = errno;
        close(fd);
    }
    if (result == 0) {
        // Neither the no-replace rename nor, where a file system lacks it, a
        // hard link ever replaces a file that appeared in the meantime.
        if (renameat2(AT_FDCWD, m_temporary.c_str(), AT_FDCWD, m_destination.c_str(), RENAME_NOREPLACE) == 0) {
            m_temporary.clear();
            return 0;
        }
        result = errno;
        if (result == EINVAL || result == ENOSYS) { // file systems without the flag
            result = link(m_temporary.c_str(), m_destination.c_str()) == 0 ? 0 : errno;
        }
    }
    discard();
    return result;
}

void StagedFile::discard()
{
    if (m_temporary.empty())
        return;
    unlink(m_temporary.c_str());
    m_temporary.clear();
}

}
