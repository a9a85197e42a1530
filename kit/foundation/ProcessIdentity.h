#pragma once

#include <cstddef>
#include <optional>
#include <string>

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

    static void set(ProcessIdentity);
    static const ProcessIdentity& current();
};

class NSBundle {
public:
    static NSBundle& mainBundle();
    std::string bundleIdentifier() const;
};

// The BSD hardware query, for "hw.machine" only. With no buffer it reports
// the size needed (including the terminating NUL); a buffer that is too
// small gets what fits and the call fails with ENOMEM; other names fail with
// ENOENT. Answers 0 on success, -1 on failure.
int sysctlbyname(const char* name, void* oldValue, size_t* oldLength, const void* newValue, size_t newLength);

}
