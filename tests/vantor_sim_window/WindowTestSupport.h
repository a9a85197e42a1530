#pragma once

#include "Scenario.h"


#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace sim::testing {

// A folder of the test's own, removed afterwards; SDL without a display.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("SDL_VIDEODRIVER", "offscreen", 1);
        m_folder = std::filesystem::temp_directory_path()
            / ("sim-window-" + std::to_string(::getpid()) + "-"
                + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_folder);
        std::filesystem::create_directories(m_folder);
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    static Scenario scenario(std::string_view text)
    {
        auto parsed = Scenario::parse(text);
        EXPECT_TRUE(std::holds_alternative<Scenario>(parsed));
        return std::holds_alternative<Scenario>(parsed) ? std::get<Scenario>(parsed) : Scenario {};
    }

    std::filesystem::path m_folder;
};

}
