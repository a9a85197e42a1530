#pragma once

#include "Scenario.h"

#include "kit/ui/UIApplication.h"
#include "kit/ui/UIView.h"
#include "kit/ui/UIWindow.h"

#include <cstdlib>
#include <functional>
#include <optional>
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

// The centre of the front-most visible view of the class, in screen points.
inline std::optional<kit::CGPoint> centreOfView(const std::string& className)
{
    std::function<kit::UIView*(kit::UIView*)> find = [&](kit::UIView* view) -> kit::UIView* {
        if (view->isHidden() || view->alpha() < 0.01)
            return nullptr;
        const auto& children = view->subviews();
        for (auto it = children.rbegin(); it != children.rend(); ++it) {
            if (auto* found = find(it->get()))
                return found;
        }
        return view->isMemberOfClassNamed(className) ? view : nullptr;
    };
    auto windows = kit::UIApplication::sharedApplication()->windows();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        if (auto* view = find(*it)) {
            auto b = view->bounds();
            return view->convertPointToScreen(kit::CGPointMake(kit::CGRectGetMidX(b), kit::CGRectGetMidY(b)));
        }
    }
    return std::nullopt;
}

}
