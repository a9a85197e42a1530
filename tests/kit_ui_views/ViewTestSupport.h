#pragma once

#include "kit/foundation/RunLoop.h"
#include "kit/ui/UIApplication.h"
#include "kit/ui/UIColor.h"
#include "kit/ui/UIWindow.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace kit::test {

// Each case starts on a fresh virtual clock with no touches in flight.
class ViewsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RunLoop::main().resetWithVirtualClock();
        UIApplication::sharedApplication()->resetTouches();
        UIView::setAnimationsEnabled(true);
    }

    std::shared_ptr<UIWindow> makeWindow(CGRect frame = CGRectMake(0, 0, 320, 568), UIWindowLevel level = 0)
    {
        auto window = std::make_shared<UIWindow>(frame);
        window->setWindowLevel(level);
        window->makeKeyAndVisible();
        return window;
    }

    UIApplication& app() { return *UIApplication::sharedApplication(); }
};

// A view that writes down the touch calls it gets.
class RecordingView : public UIView {
public:
    using UIView::UIView;
    std::vector<std::string> calls;

    void touchesBegan(const UITouchSet&, UIEvent*) override { calls.push_back("began"); }
    void touchesMoved(const UITouchSet&, UIEvent*) override { calls.push_back("moved"); }
    void touchesEnded(const UITouchSet&, UIEvent*) override { calls.push_back("ended"); }
    void touchesCancelled(const UITouchSet&, UIEvent*) override { calls.push_back("cancelled"); }
};

inline void expectPointNear(CGPoint actual, CGPoint expected, double tolerance = 1e-9)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
}

}
