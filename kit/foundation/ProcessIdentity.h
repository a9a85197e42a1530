#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kit {

// Who this process is and what it runs on. Whoever starts the process (the
// host) sets it before loading any product; the products only read it,
// through NSBundle, UIDevice, UIScreen and sysctlbyname.
struct ProcessIdentity {
    std::string bundleIdentifier;
    std::string systemVersion { "7.1.2" };
    // The hardware model, as "hw.machine" gives it ("iPhone6,1").
    std::string machine;
    // 0 phone, 1 pad; nothing when the device does not answer the idiom query.
    std::optional<int> interfaceIdiom { 0 };
    // The main screen, in points.
    double screenWidth { 320 };
    double screenHeight { 568 };
    double screenScale { 2 };
    // The working folder, a device path; relative paths (a bundle's
    // "Library/PreferenceBundles/...") are taken from it. Empty: the host's
    // own working folder, as for any program.
    std::string workingDirectory;

    static void set(ProcessIdentity);
    static const ProcessIdentity& current();
};

// A folder of code and resources. The main bundle is the running app's; others
// are opened by path (the Settings app's preference bundles).
class NSBundle {
public:
    static NSBundle& mainBundle();
    std::string bundleIdentifier() const;

    // +[NSBundle bundleWithPath:]: a device path, absolute or relative to the
    // process's working folder; nothing when no folder is there.
    static std::shared_ptr<NSBundle> bundleWithPath(std::string_view devicePath);

    // The path it was opened with; empty for the main bundle.
    const std::string& bundlePath() const { return m_bundlePath; }
    // The host path of the folder; empty for the main bundle.
    const std::filesystem::path& hostPath() const { return m_hostPath; }
    // -[NSBundle pathForResource:ofType:]: the host path of NAME.TYPE inside
    // the bundle; nothing when there is no such file.
    std::optional<std::filesystem::path> pathForResource(std::string_view name, std::string_view type) const;

    // Layouts (-[NSBundle loadNibNamed:owner:options:]) are loaded by
    // kit/ui/UINib.h, which adds that operation as a free function.

private:
    std::string m_bundlePath;
    std::filesystem::path m_hostPath;
};

// The BSD hardware query, for "hw.machine" only. With no buffer it reports
// the size needed (including the terminating NUL); a buffer that is too
// small gets what fits and the call fails with ENOMEM; other names fail with
// ENOENT. Answers 0 on success, -1 on failure.
int sysctlbyname(const char* name, void* oldValue, size_t* oldLength, const void* newValue, size_t newLength);

}
