#include "CameraBarTestSupport.h"

#include "extension/capture/ExposureView.h"
#include "kit/ui/UIColor.h"
#include "kit/ui/UIImageView.h"
#include "kit/ui/UILabel.h"

#include <filesystem>

using namespace camerabar_test;
using vantor::CameraBar;

namespace {

class ElementCodes : public CameraBarTest {
protected:
    void SetUp() override
    {
        CameraBarTest::SetUp();
        bar = std::make_shared<CameraBar>(kit::CGRectMake(165, 0, 419, 55));
    }

    void send(int32_t code, float extra = 0) { bar->toggleElementFinished(code, extra); }

    static bool settingsWritten() { return std::filesystem::exists(kit::DeviceRoot::resolve(settingsFile)); }

    static bool isYellow(const std::shared_ptr<kit::UIColor>& colour)
    {
        kit::CGFloat r = 0, g = 0, b = 0, a = 0;
        return colour && colour->getRed(&r, &g, &b, &a) && r == 1.0 && std::abs(g - 0.8) < 1e-9 && b == 0 && a == 1;
    }

    std::shared_ptr<CameraBar> bar;
};

}

TEST_F(ElementCodes, CodeFiveTwiceReturnsTheTimeStampToWhereItWas)
{
    vantor::timestampLbl = std::make_shared<kit::UILabel>(kit::CGRectMake(0, 0, 100, 20));
    vantor::timeStampVisibleAndPlace = true;
    vantor::prevTimeStampVisibleAndPlace = true;

    send(5);
    EXPECT_FALSE(vantor::timeStampVisibleAndPlace);
    EXPECT_FALSE(vantor::prevTimeStampVisibleAndPlace);
    EXPECT_EQ(vantor::timestampLbl->text(), "Timestamp Off");
    EXPECT_TRUE(vantor::timestampLbl->textColor()->isEqual(kit::UIColor::whiteColor().get()));

    send(5);
    EXPECT_TRUE(vantor::timeStampVisibleAndPlace);
    EXPECT_TRUE(vantor::prevTimeStampVisibleAndPlace);
    EXPECT_EQ(vantor::timestampLbl->text(), "Timestamp On");
    EXPECT_TRUE(isYellow(vantor::timestampLbl->textColor()));
    EXPECT_FALSE(settingsWritten()) << "not remembered: nothing saved";
}

TEST_F(ElementCodes, CodeFiveSavesTheChoiceWhenSettingsAreRemembered)
{
    vantor::timestampLbl = std::make_shared<kit::UILabel>(kit::CGRectMake(0, 0, 100, 20));
    vantor::rememberSettings = true;
    vantor::timeStampVisibleAndPlace = true;
    send(5);
    auto saved = savedSettings();
    ASSERT_TRUE(saved.count("timeStampVisibleAndPlace"));
    ASSERT_TRUE(saved.at("timeStampVisibleAndPlace").boolean());
    EXPECT_FALSE(*saved.at("timeStampVisibleAndPlace").boolean());
}

TEST_F(ElementCodes, CodesForAbsentElementsDoNothing)
{
    vantor::timeStampVisible = true;
    vantor::timeStampVisibleAndPlace = true;
    vantor::rememberSettings = true;
    vantor::overlaySelectorIsShowing = true;
    bar->setTimerMode(CameraBar::TimerModeSelfTimer);
    for (int32_t code : { 2, 3, 4, 5, 6, 7, -3, -4, -5, -6, -7, -8, -9, 8, -1, -2, 100 })
        for (float extra : { 0.0f, 1.0f, 0.25f })
            send(code, extra);
    EXPECT_TRUE(vantor::timeStampVisibleAndPlace);
    EXPECT_TRUE(vantor::overlaySelectorIsShowing);
    EXPECT_EQ(bar->timerMode(), CameraBar::TimerModeSelfTimer) << "no dial: its removal does not run";
    EXPECT_FALSE(bar->dimensionSelectorViewShowing());
    EXPECT_FALSE(settingsWritten());
}

TEST_F(ElementCodes, TheTimeStampLabelShowsOnlyWhileTheFeatureIsEnabled)
{
    vantor::timestampLbl = std::make_shared<kit::UILabel>(kit::CGRectMake(0, 0, 100, 20));
    vantor::timeStampVisible = false;
    send(-8);
    EXPECT_FALSE(vantor::timestampLbl->isHidden());

    vantor::timeStampVisible = true;
    send(-8);
    EXPECT_TRUE(vantor::timestampLbl->isHidden());
    send(6);
    EXPECT_FALSE(vantor::timestampLbl->isHidden());
}

TEST_F(ElementCodes, MemoryLabelAndHorizonViewsShowAndHide)
{
    vantor::memoryWarningLbl = std::make_shared<kit::UILabel>(kit::CGRectZero);
    send(-9);
    EXPECT_TRUE(vantor::memoryWarningLbl->isHidden());
    send(7);
    EXPECT_FALSE(vantor::memoryWarningLbl->isHidden());

    // Both horizon views are needed; one alone is left alone. (The camera
    // bar made a pair; the case starts from none.)
    vantor::horizontalAlignmentIndicator.reset();
    vantor::horizontalAlignmentBase = std::make_shared<kit::UIImageView>(kit::CGRectZero);
    send(-6);
    EXPECT_FALSE(vantor::horizontalAlignmentBase->isHidden());
    vantor::horizontalAlignmentIndicator = std::make_shared<kit::UIImageView>(kit::CGRectZero);
    send(-6);
    EXPECT_TRUE(vantor::horizontalAlignmentBase->isHidden());
    EXPECT_TRUE(vantor::horizontalAlignmentIndicator->isHidden());
    send(3);
    EXPECT_FALSE(vantor::horizontalAlignmentBase->isHidden());
    EXPECT_FALSE(vantor::horizontalAlignmentIndicator->isHidden());
}

TEST_F(ElementCodes, ReticlesHideOnceAndShowOnlyWhatWasVisible)
{
    vantor::exposureView = std::make_shared<vantor::ExposureView>();
    vantor::exposureView->setAlpha(0.6);
    send(0);
    EXPECT_TRUE(vantor::focusAndExposureHidden);
    send(1);
    EXPECT_FALSE(vantor::focusAndExposureHidden);

    // Reticles that were invisible when hidden are not brought back.
    bar = std::make_shared<CameraBar>(kit::CGRectMake(165, 0, 419, 55));
    vantor::exposureView->setAlpha(0);
    send(0);
    ASSERT_TRUE(vantor::focusAndExposureHidden);
    send(1);
    EXPECT_TRUE(vantor::focusAndExposureHidden);
}

