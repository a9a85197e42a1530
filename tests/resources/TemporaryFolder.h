#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

// A fresh folder for one test (or suite), removed with everything in it.
class TemporaryFolder {
public:
    TemporaryFolder()
    {
        auto base = std::filesystem::temp_directory_path() / "vantor-resources-tests";
        std::filesystem::create_directories(base);
        std::string pattern = (base / "folder-XXXXXX").string();
        if (mkdtemp(pattern.data()))
            m_path = pattern;
    }
    ~TemporaryFolder()
    {
        std::error_code ignored;
        if (!m_path.empty())
            std::filesystem::remove_all(m_path, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};
