#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace kit {

// The file a writer fills before moving it to its real name: a hidden name
// in the same folder, "." + the real name + ".partial-" + six characters.
// The writer holds a lock on it for as long as it writes; a temporary that
// no one holds was left by a writer that died mid-write.
class TemporaryFile {
public:
    // Creates the empty temporary (mode 0644) and locks it. Nothing, with
    // errno in errorNumber, when the folder cannot be written.
    static std::optional<TemporaryFile> createBeside(const std::filesystem::path& destination, int& errorNumber);

    TemporaryFile(TemporaryFile&&) noexcept;
    TemporaryFile& operator=(TemporaryFile&&) noexcept;
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    // Closes the file (which lets the lock go); the file itself stays.
    ~TemporaryFile();

    const std::filesystem::path& path() const { return m_path; }
    // Open for reading and writing until close().
    int descriptor() const { return m_fd; }
    // 0 or an errno.
    int close();

    static bool isTemporaryName(std::string_view fileName);
    // Removes the temporaries in folder (and its sub-folders when recursive)
    // that no living writer holds; answers how many.
    static int removeAbandoned(const std::filesystem::path& folder, bool recursive);

private:
    TemporaryFile(int fd, std::filesystem::path path) : m_fd(fd), m_path(std::move(path)) { }

    int m_fd { -1 };
    std::filesystem::path m_path;
};

}
