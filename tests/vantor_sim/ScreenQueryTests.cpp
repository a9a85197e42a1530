#include "host/common/ScreenQuery.h"

#include "kit/foundation/RunLoop.h"
#include "kit/ui/UIApplication.h"
#include "kit/ui/UIButton.h"
#include "kit/ui/UILabel.h"
#include "kit/ui/UIWindow.h"

#include <gtest/gtest.h>

using namespace host;

namespace {

// A window over the whole screen with a panel holding a label and a button.
class ScreenQueryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        kit::RunLoop::main().resetWithVirtualClock();
        window = std::make_shared<kit::UIWindow>(kit::CGRectMake(0, 0, 320, 568));
        window->makeKeyAndVisible();
        panel = std::make_shared<kit::UIView>(kit::CGRectMake(0, 400, 320, 100));
        panel->setTag(4);
        label = std::make_shared<kit::UILabel>(kit::CGRectMake(10, 10, 100, 20));
        label->setText("Timestamp On");
        label->setTag(7);
        button = kit::UIButton::buttonWithType(kit::UIButtonTypeCustom);
        button->setFrame(kit::CGRectMake(200, 10, 100, 40));
        button->setTitle("HDR Off", kit::UIControlStateNormal);
        panel->addSubview(label);
        panel->addSubview(button);
        window->addSubview(panel);
    }

    std::shared_ptr<kit::UIWindow> window;
    std::shared_ptr<kit::UIView> panel;
    std::shared_ptr<kit::UILabel> label;
    std::shared_ptr<kit::UIButton> button;
};

}

TEST_F(ScreenQueryTest, AViewIsFoundByExactClassAndTagWithItsFrameOnTheScreen)
{
    auto found = findView("UIView", 4);
    EXPECT_TRUE(found.visible);
    EXPECT_EQ(found.seen, "UIView#4 at (0, 400, 320, 100)");
    // Exactly the class: a label is a view, but not a "UIView".
    EXPECT_TRUE(findView("UILabel", 7).visible);
    EXPECT_FALSE(findView("UIView", 5).visible);
    EXPECT_EQ(findView("UIView", 5).seen, "none in any window");
    EXPECT_EQ(findView("UISwitch", std::nullopt).seen, "none in any window");
}

TEST_F(ScreenQueryTest, HiddenTransparentOrOffScreenViewsAndTheirChildrenAreNotVisible)
{
    label->setHidden(true);
    EXPECT_FALSE(findView("UILabel", 7).visible);
    EXPECT_EQ(findView("UILabel", 7).seen, "1, not visible: hidden=yes");
    label->setHidden(false);

    panel->setAlpha(0);
    EXPECT_EQ(findText("Timestamp On").seen, "1, not visible: in a superview UIView#4 with alpha=0");
    panel->setAlpha(0.2);
    EXPECT_TRUE(findText("Timestamp On").visible);

    panel->setFrame(kit::CGRectMake(0, 600, 320, 100));
    EXPECT_EQ(findView("UIView", 4).seen, "1, not visible: off screen at (0, 600, 320, 100)");
    // Partly on screen counts.
    panel->setFrame(kit::CGRectMake(-300, 500, 320, 100));
    EXPECT_TRUE(findView("UIView", 4).visible);

    window->setHidden(true);
    EXPECT_EQ(findView("UIView", 4).seen, "1, not visible: in a hidden window");
}

TEST_F(ScreenQueryTest, TextIsALabelsTextOrAButtonsCurrentTitleExactly)
{
    EXPECT_TRUE(findText("Timestamp On").visible);
    EXPECT_TRUE(findText("HDR Off").visible);
    EXPECT_FALSE(findText("Timestamp").visible);
    EXPECT_FALSE(findText("timestamp on").visible);
    button->setTitle("HDR On", kit::UIControlStateNormal);
    EXPECT_FALSE(findText("HDR Off").visible);
    EXPECT_TRUE(findText("HDR On").visible);
}

TEST_F(ScreenQueryTest, OneVisibleAmongHiddenOnesIsEnough)
{
    auto second = std::make_shared<kit::UILabel>(kit::CGRectMake(10, 40, 100, 20));
    second->setText("Timestamp On");
    second->setHidden(true);
    panel->addSubview(second);
    EXPECT_TRUE(findText("Timestamp On").visible);
    label->setHidden(true);
    EXPECT_EQ(findText("Timestamp On").seen, "2, not visible: hidden=yes");
}
