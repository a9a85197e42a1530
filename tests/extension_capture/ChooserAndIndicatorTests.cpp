// The two indicators on the bottom bar and the resolution chooser, driven by
// taps as a person makes them.

#include "CaptureTest.h"

#include "extension/camerabar/SelectorDialEx.h"
#include "extension/capture/ExposureView.h"
#include "extension/elements/BlurView.h"

#include "kit/ui/UIColor.h"
#include "kit/ui/UIImageView.h"

namespace {

using capturetest::CaptureTest;

class Indicators : public CaptureTest {
};

class Chooser : public CaptureTest {
};

// The badge over a chooser button's height.
std::shared_ptr<kit::UIImage> badgeOf(const kit::UIView* button)
{
    if (!button)
        return nullptr;
    for (const auto& view : button->subviews())
        if (auto* badge = kit::cast<kit::UIImageView>(view.get()))
            return badge->image();
    return nullptr;
}

bool isIndicatorYellow(const std::shared_ptr<kit::UIColor>& colour)
{
    kit::CGFloat r = 0, g = 0, b = 0, a = 0;
    return colour && colour->getRed(&r, &g, &b, &a) && r == 1 && std::abs(g - 0.8) < 1e-9 && b == 0 && a == 1;
}

}

TEST_F(Indicators, TheFiveSShowsTheHostsRateIndicatorAndTheHeightIndicatorInVideo)
{
    launch("iPhone6,1", 1);
    auto bottomBar = vantor::_CAMBottomBar.lock();
    ASSERT_TRUE(vantor::_CAMSlalomIndicatorView);
    EXPECT_STREQ(vantor::_CAMSlalomIndicatorView->className(), "CAMSlalomIndicatorView");
    EXPECT_EQ(vantor::_CAMSlalomIndicatorView->superview(), bottomBar.get());
    EXPECT_EQ(vantor::_CAMSlalomIndicatorView->frame(), kit::CGRectMake(258, 45.5, 44, 42));
    auto* caption = kit::cast<kit::UILabel>(vantor::host::framerateLabel(vantor::_CAMSlalomIndicatorView.get()));
    ASSERT_TRUE(caption);
    EXPECT_TRUE(isIndicatorYellow(caption->textColor()));
    EXPECT_FALSE(vantor::_CAMSlalomIndicatorReplacement);

    ASSERT_TRUE(heightIndicator());
    EXPECT_EQ(heightIndicator()->frame(), kit::CGRectMake(202, 45.5, 55, 42));
    EXPECT_EQ(heightIndicator()->tag(), 1);
    EXPECT_EQ(heightIndicator()->indicatorType(), 1);
    EXPECT_TRUE(heightIndicator()->framerateNumberLabel()->isHidden());
    EXPECT_FALSE(heightIndicator()->isHidden());

    ASSERT_TRUE(phone->setCameraMode(0));
    EXPECT_TRUE(vantor::_CAMSlalomIndicatorView->isHidden()) << "no frame rate in photo mode";
    EXPECT_FALSE(heightIndicator()->isHidden());
    ASSERT_TRUE(phone->setCameraMode(2));
    EXPECT_TRUE(heightIndicator()->isHidden()) << "slow motion has no choice of height";
}

TEST_F(Indicators, OtherPhonesGetTheExtensionsOwnRateIndicatorWhichShowsZeroAsThirty)
{
    launch("iPhone5,1", 1);
    auto* own = dynamic_cast<vantor::CustomSlalomIndicatorView*>(vantor::_CAMSlalomIndicatorReplacement.get());
    ASSERT_TRUE(own);
    EXPECT_FALSE(vantor::_CAMSlalomIndicatorView);
    EXPECT_EQ(own->indicatorType(), 0);
    EXPECT_EQ(own->framerateNumberLabel()->text(), "30");
    EXPECT_EQ(own->framerateLabel()->text(), "FPS");

    vantor::_CAMSlalomIndicatorReplacement->removeFromSuperview();
    vantor::_CAMSlalomIndicatorReplacement.reset();
    vantor::createOrToggleFrameRateLabels(kit::Action(vantor::cameraBar, &vantor::CameraBar::toggleElement), 1, 0);
    own = dynamic_cast<vantor::CustomSlalomIndicatorView*>(vantor::_CAMSlalomIndicatorReplacement.get());
    ASSERT_TRUE(own);
    EXPECT_EQ(own->framesPerSecond(), 30);
    EXPECT_EQ(own->framerateNumberLabel()->text(), "30");
}

TEST_F(Indicators, SwitchedOffInTheSettingsTheyAreNeverMade)
{
    launch("iPhone6,1", 1, { { "showFPS", false }, { "showDimensions", false } });
    EXPECT_FALSE(vantor::_CAMSlalomIndicatorView);
    EXPECT_FALSE(vantor::_CAMSlalomIndicatorReplacement);
    EXPECT_FALSE(vantor::_CAMSlalomDimensionIndicator);
    EXPECT_FALSE(vantor::deviceFrameRatesForDimensions) << "no height indicator, no table";
}

TEST_F(Indicators, TappingTheRateIndicatorOpensTheDialAndASecondTapRemovesIt)
{
    launch("iPhone6,1", 1, { { "advVideoModeAsDefault", 1 } });
    ASSERT_TRUE(vantor::exposureView);
    ASSERT_TRUE(phone->tapView("CAMSlalomIndicatorView", std::nullopt));
    phone->advance(0.3);
    auto dial = vantor::cameraBar->selDialEx();
    ASSERT_TRUE(dial);
    EXPECT_EQ(dial->selectorDialType(), vantor::SelectorDialEx::SelectorDialTypeFrames);
    EXPECT_EQ(dial->maxFrameRate(), 120) << "the 5s's fastest allowed format";
    EXPECT_EQ(vantor::cameraBar->frameRateMode(), 1);
    EXPECT_TRUE(vantor::focusAndExposureHidden);

    ASSERT_TRUE(phone->tapView("CAMSlalomIndicatorView", std::nullopt));
    phone->advance(0.3);
    EXPECT_FALSE(vantor::cameraBar->selDialEx());
    EXPECT_EQ(vantor::cameraBar->frameRateMode(), 0);
    EXPECT_FALSE(vantor::focusAndExposureHidden) << "the reticles come back";
}

TEST_F(Chooser, OffersEveryAllowedHeightAndTheChosenOneIsApplied)
{
    launch("iPhone6,1", 1);
    ASSERT_TRUE(phone->tapView("CustomSlalomIndicatorView", 1));
    ASSERT_TRUE(chooser());
    EXPECT_EQ(chooser()->frame(), kit::CGRectMake(35, 169, 250, 230));
    EXPECT_FALSE(vantor::cameraBar->dimensionSelectorViewShowing()) << "only once the fade has finished";
    EXPECT_TRUE(buttonHeights().empty());
    phone->advance(0.3);
    EXPECT_TRUE(vantor::cameraBar->dimensionSelectorViewShowing());
    EXPECT_EQ(buttonHeights(), (std::vector<int64_t> { 144, 288, 360, 480, 540, 720, 1080 }));
    EXPECT_EQ(chooser()->getButtonWithTag(1080)->frame(), kit::CGRectMake(20, 155, 55, 42));
    EXPECT_TRUE(chooser()->blur()) << "the settings' default blurs the panel";
    // Up to 360 the small badge, up to 540 the middle one, above it "HD2".
    for (int64_t height : { 144, 288, 360 })
        EXPECT_TRUE(showsResource(badgeOf(chooser()->getButtonWithTag(height)), "Dimensions/indicatorBT@2x.png")) << height;
    for (int64_t height : { 480, 540 })
        EXPECT_TRUE(showsResource(badgeOf(chooser()->getButtonWithTag(height)), "Dimensions/indicatorWifi@2x.png")) << height;
    for (int64_t height : { 720, 1080 })
        EXPECT_TRUE(showsResource(badgeOf(chooser()->getButtonWithTag(height)), "Dimensions/indicatorHD2@2x.png")) << height;

    ASSERT_TRUE(phone->tapView("CustomDimensionViewButton", 720));
    EXPECT_TRUE(buttonHeights().empty()) << "the buttons go at once";
    EXPECT_TRUE(vantor::cameraBar->dimensionSelectorViewShowing());
    phone->advance(0.2);
    EXPECT_FALSE(vantor::cameraBar->dimensionSelectorViewShowing());
    EXPECT_EQ(heightText(), "720p");
    EXPECT_EQ(activeHeight(), 720);
    // The indicator shows the plain "HD" badge, not the chooser's.
    EXPECT_TRUE(showsResource(heightIndicator()->resolutionImgView()->image(), "Dimensions/indicatorHD@2x.png"));

    // A second tap where the button was finds nothing to choose.
    phone->tap(kit::CGPointMake(35 + 180 + 27, 169 + 95 + 21));
    phone->advance(0.3);
    EXPECT_EQ(activeHeight(), 720);
    EXPECT_EQ(heightText(), "720p");
}

TEST_F(Chooser, ButtonsSitInRowsOfThreeAndOnlyForOfferedAllowedHeights)
{
    launch("iPhone6,1", 1);
    vantor::CustomDimensionView panel(kit::CGRectMake(0, 0, 250, 230));
    vantor::FrameRatesForDimensions rates { { 1080, 30 }, { 720, 60 }, { 480, 30 }, { 360, 30 }, { 540, 0 }, { 2448, 30 } };
    panel.initButtons(rates, kit::Action());
    std::vector<std::pair<int64_t, kit::CGRect>> placed;
    for (const auto& view : panel.subviews())
        if (dynamic_cast<vantor::CustomDimensionViewButton*>(view.get()))
            placed.emplace_back(view->tag(), view->frame());
    ASSERT_EQ(placed.size(), 4u) << "540 is not offered and 2448 is beyond the 5s's video limit";
    EXPECT_EQ(placed[0], std::make_pair(int64_t(360), kit::CGRectMake(20, 35, 55, 42)));
    EXPECT_EQ(placed[1], std::make_pair(int64_t(480), kit::CGRectMake(100, 35, 55, 42)));
    EXPECT_EQ(placed[2], std::make_pair(int64_t(720), kit::CGRectMake(180, 35, 55, 42)));
    EXPECT_EQ(placed[3], std::make_pair(int64_t(1080), kit::CGRectMake(20, 95, 55, 42)));
    EXPECT_EQ(vantor::intCompare(480, 720), -1);
    EXPECT_EQ(vantor::intCompare(720, 720), 0);

    panel.removeAllButtonsAndImageView();
    EXPECT_EQ(panel.subviews().size(), 2u) << "the grid and the background stay";
}

TEST_F(Chooser, TappedAgainDuringItsFadeItStillEndsShownWithOneSetOfButtons)
{
    launch("iPhone6,1", 1);
    ASSERT_TRUE(phone->tapView("CustomSlalomIndicatorView", 1));
    phone->advance(0.1);
    ASSERT_TRUE(phone->tapView("CustomSlalomIndicatorView", 1));
    phone->advance(0.5);
    EXPECT_TRUE(vantor::cameraBar->dimensionSelectorViewShowing());
    EXPECT_EQ(buttonHeights().size(), 7u);

    // While it shows, a tap on the indicator closes it.
    ASSERT_TRUE(phone->tapView("CustomSlalomIndicatorView", 1));
    phone->advance(0.5);
    EXPECT_FALSE(vantor::cameraBar->dimensionSelectorViewShowing());
    EXPECT_TRUE(buttonHeights().empty());
    EXPECT_DOUBLE_EQ(chooser()->alpha(), 0);
}

TEST_F(Chooser, TheFourSFrontCameraOffersHeightsUpTo480)
{
    launch("iPhone4,1", 1);
    ASSERT_TRUE(phone->setCameraDevice(1));
    phone->advance(0.5);
    ASSERT_TRUE(phone->tapView("CustomSlalomIndicatorView", 1));
    phone->advance(0.3);
    EXPECT_EQ(buttonHeights(), (std::vector<int64_t> { 144, 288, 360, 480 }));
}

TEST_F(Chooser, LeavesTheScreenWithTheCameraBar)
{
    launch("iPhone6,1", 1);
    ASSERT_TRUE(phone->tapView("CustomSlalomIndicatorView", 1));
    phone->advance(0.3);
    auto panel = vantor::cameraBar->dimensionSelectionView();
    ASSERT_TRUE(panel && panel->superview());
    phone->background();
    EXPECT_FALSE(panel->superview());
}
