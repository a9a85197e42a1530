#include "ViewTestSupport.h"

#include "kit/ui/UIButton.h"
#include "kit/ui/UIImageView.h"
#include "kit/ui/UILabel.h"
#include "kit/ui/ViewTreeDescription.h"

#include <cmath>
#include <sstream>

namespace kit::test {

using ViewTreeDescription = ViewsTest;

TEST_F(ViewTreeDescription, WindowsAndViewsComeFrontToBackIndentedByDepth)
{
    auto back = makeWindow(CGRectMake(0, 0, 320, 568), 0);
    auto front = makeWindow(CGRectMake(0, 0, 320, 568), 1500);
    auto container = std::make_shared<UIView>(CGRectMake(10, 20, 100, 100));
    container->setTag(7);
    back->addSubview(container);
    auto label = std::make_shared<UILabel>(CGRectMake(5, 5, 50, 10));
    label->setText("Timestamp \"On\"");
    container->addSubview(label);
    auto button = UIButton::buttonWithType(UIButtonTypeCustom);
    button->setFrame(CGRectMake(0, 50, 40, 20));
    button->setTitle("720p", UIControlStateNormal);
    container->addSubview(button);
    auto hidden = std::make_shared<UIView>(CGRectMake(0, 0, 10, 10));
    hidden->setHidden(true);
    hidden->setAlpha(0.5);
    front->addSubview(hidden);

    std::ostringstream out;
    describeWindows(out);
    std::string expected
        = "UIWindow tag=0 frame=(0, 0, 320, 568) alpha=1 hidden=no interaction=yes\n"
          "  UIView tag=0 frame=(0, 0, 10, 10) alpha=0.5 hidden=yes interaction=yes\n"
          "UIWindow tag=0 frame=(0, 0, 320, 568) alpha=1 hidden=no interaction=yes\n"
          "  UIView tag=7 frame=(10, 20, 100, 100) alpha=1 hidden=no interaction=yes\n";
    EXPECT_EQ(out.str().substr(0, expected.size()), expected);
    // The button was added last, so it is in front of the label and listed first.
    auto text = out.str();
    auto buttonAt = text.find("    UIButton tag=0 frame=(10, 70, 40, 20)");
    auto labelAt = text.find("    UILabel tag=0 frame=(15, 25, 50, 10) alpha=1 hidden=no interaction=no text=\"Timestamp \\\"On\\\"\"");
    ASSERT_NE(buttonAt, std::string::npos) << text;
    ASSERT_NE(labelAt, std::string::npos) << text;
    EXPECT_LT(buttonAt, labelAt);
    EXPECT_NE(text.find("title=\"720p\""), std::string::npos);
}

TEST_F(ViewTreeDescription, TurnedViewsGiveTheirTransformAndBoundingBox)
{
    auto window = makeWindow();
    auto view = std::make_shared<UIImageView>(nullptr);
    view->setFrame(CGRectMake(100, 100, 40, 20));
    view->setTransform(CGAffineTransformMakeRotation(M_PI / 2));
    window->addSubview(view);

    std::ostringstream out;
    describeViewTree(*view, out);
    EXPECT_EQ(out.str(),
        "UIImageView tag=0 frame=(110, 90, 20, 40) alpha=1 hidden=no interaction=no transform=(0, 1, -1, 0, 0, 0) "
        "image=none highlighted=no\n");
}

}
