#pragma once

#include "HostCameraTestSupport.h"

#include "kit/foundation/PropertyList.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace kit {
class UIImage;
}

namespace extensiontest {

// The host camera's fixture (a fresh device root, the phone's event log),
// with that root set as the process's device root and the extension's
// globals at their load values.
//
// startPhone() installs the extension the way the package does (filter,
// library, resources) and launches a phone whose loader opens it. The library
// installed is the very one this test links, so the test sees the globals the
// hooks change. The loader runs the entry once per process, so each case that
// starts a phone must run in its own process, as CTest runs them.
class ExtensionTest : public hosttest::HostCameraTest {
protected:
    void SetUp() override;
    void TearDown() override;

    void installExtension();
    std::unique_ptr<host::Phone> startPhone(const std::string& model = "iPhone6,1");

    // Whether the image holds the same pixels as the extension's resource
    // file at the path relative to its resource folder ("Overlays/...").
    static bool showsResource(const std::shared_ptr<kit::UIImage>& image, const std::string& relativePath);

    // The settings file at its device path.
    void writeSettings(const kit::PropertyList::Dictionary&);
    std::optional<kit::PropertyList::Dictionary> readSettings() const;
    std::filesystem::path settingsFile() const;
};

}
