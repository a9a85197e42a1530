#pragma once

#include "host/camera/Phone.h"

#include "kit/foundation/PropertyList.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace extensiontest {

// A fresh device root per test, set as the process's device root, with the
// extension's globals at their load values and the virtual clock reset.
//
// startPhone() installs the extension the way the package does (filter,
// library, resources) and launches a phone whose loader opens it. The library
// installed is the very one this test links, so the test sees the globals the
// hooks change. The loader runs the entry once per process, so each case that
// starts a phone must run in its own process, as CTest runs them.
class ExtensionTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    void installExtension();
    std::unique_ptr<host::Phone> startPhone(const std::string& model = "iPhone6,1");

    // The settings file at its device path.
    void writeSettings(const kit::PropertyList::Dictionary&);
    std::optional<kit::PropertyList::Dictionary> readSettings() const;
    std::filesystem::path settingsFile() const;

    // Lines of the phone's event log without their times.
    std::vector<std::string> events() const;
    bool logged(const std::string& line) const;

    std::filesystem::path m_root;
    std::shared_ptr<std::vector<std::string>> m_log { std::make_shared<std::vector<std::string>>() };
};

}
