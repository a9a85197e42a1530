#pragma once

#include <filesystem>
#include <memory>
#include <optional>

namespace kit {

class TemporaryFile;

// A file written under a temporary name beside where it belongs and moved
// into place only when it is whole, so a failure (a full disk, a crash)
// never leaves a partial file under the real name. Dropped without commit(),
// the temporary is removed.
class StagedFile {
public:
    // Makes the empty temporary: a hidden name in the destination's folder.
    // Nothing, with errno in errorNumber, when the folder cannot be written.
    static std::optional<StagedFile> create(const std::filesystem::path& destination, int& errorNumber);

    StagedFile(StagedFile&&) noexcept;
    StagedFile& operator=(StagedFile&&) noexcept;
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;
    ~StagedFile();

    const std::filesystem::path& temporaryPath() const { return m_temporary; }
    const std::filesystem::path& destination() const { return m_destination; }

    // Flushes the temporary to disk and moves it to the destination, never
    // replacing a file that is already there. Answers 0 or an errno (EEXIST
    // when the destination exists); on failure the temporary is removed.
    int commit();
    void discard();

private:
    StagedFile(std::filesystem::path destination, TemporaryFile);

    std::filesystem::path m_destination;
    std::filesystem::path m_temporary;
    // Held open, and so locked, until the file is moved or dropped.
    std::unique_ptr<TemporaryFile> m_held;
};

}
