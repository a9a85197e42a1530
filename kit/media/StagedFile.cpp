#include "kit/media/StagedFile.h"

#include "kit/foundation/TemporaryFile.h"

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
    auto temporary = TemporaryFile::createBeside(destination, errorNumber);
    if (!temporary)
        return std::nullopt;
    return StagedFile(destination, std::move(*temporary));
}

StagedFile::StagedFile(fs::path destination, TemporaryFile temporary)
    : m_destination(std::move(destination))
    , m_temporary(temporary.path())
    , m_held(std::make_unique<TemporaryFile>(std::move(temporary)))
{
}

StagedFile::StagedFile(StagedFile&& other) noexcept
    : m_destination(std::move(other.m_destination))
    , m_temporary(std::exchange(other.m_temporary, {}))
    , m_held(std::move(other.m_held))
{
}

StagedFile& StagedFile::operator=(StagedFile&& other) noexcept
{
    if (this != &other) {
        discard();
        m_destination = std::move(other.m_destination);
        m_temporary = std::exchange(other.m_temporary, {});
        m_held = std::move(other.m_held);
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
    int result = 0;
    if (!m_held)
        result = EBADF;
    else if (fsync(m_held->descriptor()) != 0)
        result = errno;
    if (result == 0) {
        // Neither the no-replace rename nor, where a file system lacks it, a
        // hard link ever replaces a file that appeared in the meantime. The
        // file moves while it is still held, so no cleaner takes it for one
        // left behind.
        if (renameat2(AT_FDCWD, m_temporary.c_str(), AT_FDCWD, m_destination.c_str(), RENAME_NOREPLACE) == 0) {
            m_temporary.clear();
            m_held.reset();
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
    m_held.reset();
}

}
