#pragma once

#include "host/camera/HostSelectors.h"
#include "host/camera/Phone.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace hosttest {

// A fresh device root per test, removed afterwards, and the phone's event
// log kept as lines without their times.
class HostCameraTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A phone running the camera app alone.
    std::unique_ptr<host::Phone> startPhone(const std::string& model = "iPhone6,1");
    // The same, with the products in the device root loaded, or not.
    std::unique_ptr<host::Phone> startPhone(const std::string& model, bool loadExtension);
    // The camera app alone, its cameras looking at what `scene` names.
    std::unique_ptr<host::Phone> startPhone(const std::string& model, hardware::SceneChoice scene);
    // Lines of the log with the time cut off ("PLCameraView _shutterButtonClicked").
    std::vector<std::string> events() const;
    bool logged(const std::string& line) const;
    // Whether the lines appear in this order (others may come between).
    bool inOrder(const std::vector<std::string>& lines) const;

    std::filesystem::path m_root;
    std::shared_ptr<std::vector<std::string>> m_log { std::make_shared<std::vector<std::string>>() };

private:
    std::unique_ptr<host::Phone> startPhone(const std::string& model, bool loadExtension, hardware::SceneChoice);
};

}
