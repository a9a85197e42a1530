// The composition overlays on a phone: the indicator and its thumbnail, the
// crossed-over choice tags, the strip of choices, the drawing over the
// preview, the stored mode and the places where it all hides.

#include "CompositionTest.h"

#include "extension/composition/OverlayFunctions.h"
#include "extension/composition/OverlaySelectionView.h"
#include "extension/elements/BlurView.h"

#include "kit/ui/UIColor.h"
#include "kit/ui/UILabel.h"
#include "kit/ui/UIScrollView.h"

#include <ostream>
#include <vector>

namespace kit {

// Names a stored value in a test's name and messages.
void PrintTo(const PropertyList& value, std::ostream* out)
{
    if (const auto* integer = value.integer())
        *out << *integer;
    else if (const auto* text = value.string())
        *out << '"' << *text << '"';
    else
        *out << "(value)";
}

}

namespace {

using compositiontest::CompositionTest;

class Overlays : public CompositionTest {
protected:
    static kit::UIImageView& drawing() { return *indicator()->overlay(); }
    static vantor::OverlaySelectionView& strip() { return *indicator()->overlaySelectionView(); }
    static double stripShownX() { return strip().presentation().center.x - strip().bounds().size.width / 2; }
    static double bottomBarHeight() { return vantor::_CAMBottomBar.lock()->frame().size.height; }
};

TEST_F(Overlays, TheIndicatorSitsInTheBottomBarWithTheEmptyThumbnail)
{
    launch();
    ASSERT_TRUE(indicator());
    EXPECT_EQ(indicator()->superview(), vantor::_CAMBottomBar.lock().get());
    EXPECT_EQ(indicator()->frame(), kit::CGRectMake(75, 42, 40, 50));
    EXPECT_TRUE(indicator()->isUserInteractionEnabled());
    EXPECT_TRUE(showsResource(indicator()->image(), "Overlays/Thumbnails/overlayBtnRectangleOn@2x.png"));

    auto* thumbnail = indicator()->actualIndicator();
    EXPECT_EQ(thumbnail->tag(), -99);
    EXPECT_EQ(thumbnail->frame(), kit::CGRectMake(5, 7.5, 30, 35));
    EXPECT_TRUE(showsResource(thumbnail->image(), "Overlays/Thumbnails/overlayBtnRectangleOn_@2x.png"));
    EXPECT_EQ(vantor::sessionOverlayMode, 0);

    // The drawing fills the picture area between the bars (and 40 points
    // above the bottom bar's top), empty for now.
    EXPECT_EQ(drawing().superview(), vantor::cameraView.lock().get());
    EXPECT_EQ(drawing().frame(), kit::CGRectMake(0, 40, 320, 568 - bottomBarHeight() - 40));
    EXPECT_TRUE(showsResource(drawing().image(), "Overlays/overlayBtnRectangleOn_@2x.png"));
    EXPECT_FALSE(indicator()->isHidden());
    EXPECT_FALSE(drawing().isHidden());
}

TEST_F(Overlays, ChoiceTagsOneAndTwoAreThirdsAndGoldenCrossedOver)
{
    launch();
    vantor::setOverlayIndicatorImg(1, false);
    EXPECT_EQ(vantor::sessionOverlayMode, 2);
    EXPECT_EQ(vantor::globOverlayMode, 2);
    EXPECT_TRUE(showsResource(drawing().image(), "Overlays/overlayThirds@2x.png"));
    EXPECT_TRUE(showsResource(indicator()->actualIndicator()->image(), "Overlays/Thumbnails/overlayBtnThirdsOn@2x.png"));

    vantor::setOverlayIndicatorImg(2, false);
    EXPECT_EQ(vantor::sessionOverlayMode, 1);
    EXPECT_TRUE(showsResource(drawing().image(), "Overlays/overlayGuldenSnede@2x.png"));
    vantor::setOverlayIndicatorImg(3, false);
    EXPECT_EQ(vantor::sessionOverlayMode, 3);
    EXPECT_TRUE(showsResource(drawing().image(), "Overlays/overlayTriSection@2x.png"));
    vantor::setOverlayIndicatorImg(4, false);
    EXPECT_EQ(vantor::sessionOverlayMode, 4);
    EXPECT_TRUE(showsResource(drawing().image(), "Overlays/overlaySquare@2x.png"));

    // Tags outside the table keep the mode; tag 0 clears it.
    vantor::setOverlayIndicatorImg(5, false);
    vantor::setOverlayIndicatorImg(-99, false);
    EXPECT_EQ(vantor::sessionOverlayMode, 4);
    vantor::setOverlayIndicatorImg(0, false);
    EXPECT_EQ(vantor::sessionOverlayMode, 0);
}

TEST_F(Overlays, TappingTheActiveChoiceSwitchesOffButTheStartUpFlagDoesNot)
{
    launch();
    vantor::setOverlayIndicatorImg(1, false);
    vantor::setOverlayIndicatorImg(1, false);
    EXPECT_EQ(vantor::sessionOverlayMode, 0);
    EXPECT_TRUE(showsResource(drawing().image(), "Overlays/overlayBtnRectangleOn_@2x.png"));

    vantor::setOverlayIndicatorImg(1, false);
    vantor::setOverlayIndicatorImg(1, true);
    EXPECT_EQ(vantor::sessionOverlayMode, 2);
    EXPECT_TRUE(showsResource(drawing().image(), "Overlays/overlayThirds@2x.png"));
}

TEST_F(Overlays, TheStoredModeIsBackAtLaunchAndAUserChoiceIsSaved)
{
    launchRemembering({ { "overlayMode", int64_t(2) } });
    EXPECT_EQ(vantor::sessionOverlayMode, 2) << "applied twice at start-up without switching off";
    EXPECT_TRUE(showsResource(drawing().image(), "Overlays/overlayThirds@2x.png"));

    vantor::setOverlayIndicatorImg(4, false);
    EXPECT_EQ(*readSettings()->at("overlayMode").integer(), 4);

    // The app goes away and comes back: the choice is read again.
    phone->background();
    EXPECT_FALSE(vantor::_overlayIndicator);
    phone->foreground();
    phone->advance(1);
    ASSERT_TRUE(indicator());
    EXPECT_EQ(vantor::sessionOverlayMode, 4);
    EXPECT_TRUE(showsResource(drawing().image(), "Overlays/overlaySquare@2x.png"));
}

TEST_F(Overlays, WithoutRememberSettingsAChoiceIsNotWritten)
{
    writeSettings({ { "rememberSettings", false }, { "overlayMode", int64_t(3) } });
    launch();
    EXPECT_EQ(vantor::sessionOverlayMode, 0) << "the stored mode is read only when remembered";
    vantor::setOverlayIndicatorImg(1, false);
    auto saved = readSettings();
    ASSERT_TRUE(saved);
    EXPECT_EQ(*saved->at("overlayMode").integer(), 3);
}

class StoredBadMode : public Overlays, public ::testing::WithParamInterface<kit::PropertyList> { };

TEST_P(StoredBadMode, StartsWithNoOverlay)
{
    launchRemembering({ { "overlayMode", GetParam() } });
    ASSERT_TRUE(indicator());
    EXPECT_EQ(vantor::sessionOverlayMode, 0);
    EXPECT_TRUE(showsResource(drawing().image(), "Overlays/overlayBtnRectangleOn_@2x.png"));
    EXPECT_TRUE(showsResource(indicator()->actualIndicator()->image(), "Overlays/Thumbnails/overlayBtnRectangleOn_@2x.png"));
}

INSTANTIATE_TEST_SUITE_P(Overlays, StoredBadMode,
    ::testing::Values(kit::PropertyList(int64_t(7)), kit::PropertyList(int64_t(-1)), kit::PropertyList(std::string("thirds"))),
    [](const ::testing::TestParamInfo<kit::PropertyList>& param) {
        return std::string(param.index == 0 ? "Seven" : param.index == 1 ? "MinusOne" : "AString");
    });

TEST_F(Overlays, TheStripSlidesInWithTheFourChoicesInOrder)
{
    launch();
    auto bar = vantor::cameraBar;
    bar->toggleElementFinished(2, 1.0f);
    ASSERT_TRUE(indicator()->overlaySelectionView());
    EXPECT_TRUE(vantor::overlaySelectorIsShowing);
    double barHeight = bottomBarHeight();
    EXPECT_EQ(strip().frame(), kit::CGRectMake(0, 568 - barHeight - 80, 320, 80));
    EXPECT_DOUBLE_EQ(stripShownX(), 320) << "still off screen when the slide starts";
    phone->advance(0.15);
    EXPECT_DOUBLE_EQ(stripShownX(), 0);

    // The strip lies over the preview and under the bottom bar.
    auto& siblings = vantor::cameraView.lock()->subviews();
    EXPECT_EQ(siblings.back().get(), vantor::_CAMBottomBar.lock().get());
    EXPECT_EQ(siblings[siblings.size() - 2].get(), &strip());

    auto scroll = strip().scrollview();
    EXPECT_TRUE(scroll->alwaysBounceHorizontal());
    EXPECT_EQ(scroll->frame(), kit::CGRectMake(0, 0, 320, 80));
    std::vector<int64_t> tags;
    std::vector<std::string> captions;
    for (const auto& view : scroll->subviews()) {
        if (auto* label = dynamic_cast<kit::UILabel*>(view.get()))
            captions.push_back(label->text());
        else
            tags.push_back(view->tag());
    }
    EXPECT_EQ(tags, (std::vector<int64_t> { 2, 3, 1, 4 }));
    EXPECT_EQ(captions, (std::vector<std::string> { "Golden", "Trisec", "Thirds", "Square" }));
    EXPECT_EQ(strip().choice(3)->frame(), kit::CGRectMake(95, 1, 55, 65));
    EXPECT_EQ(strip().choice(4)->frame(), kit::CGRectMake(235, 1, 55, 65));
    EXPECT_TRUE(showsResource(strip().choice(1)->image(), "Overlays/Thumbnails/overlayBtnThirdsOn@2x.png"));
    EXPECT_TRUE(showsResource(strip().choice(2)->image(), "Overlays/Thumbnails/overlayBtnGuldenSnedeOn@2x.png"));

    // Blurred background by default, made once and kept at the bottom.
    ASSERT_TRUE(strip().blur());
    EXPECT_EQ(strip().subviews().front().get(), strip().blur());
    EXPECT_FALSE(strip().nonBlur());

    // Indicator tapped again: the strip slides out.
    bar->toggleElementFinished(2, 1.0f);
    EXPECT_FALSE(vantor::overlaySelectorIsShowing);
    phone->advance(0.15);
    EXPECT_DOUBLE_EQ(stripShownX(), 320);
}

TEST_F(Overlays, AChoiceClosesTheStripAndItsCodeOnlyActsOnAnOpenStrip)
{
    writeSettings({ { "blurButtonBar", false } });
    launch();
    auto bar = vantor::cameraBar;
    // -3 with extra 1.0 and no strip open: nothing is made or moved.
    bar->toggleElementFinished(-3, 1.0f);
    EXPECT_FALSE(indicator()->overlaySelectionView());

    tapOn(*indicator()->actualIndicator());
    phone->advance(0.2);
    ASSERT_TRUE(indicator()->overlaySelectionView());
    ASSERT_TRUE(strip().nonBlur());
    EXPECT_FALSE(strip().blur());
    EXPECT_EQ(strip().subviews().front().get(), strip().nonBlur());
    EXPECT_DOUBLE_EQ(strip().nonBlur()->alpha(), 0.5);

    // "Thirds" tapped: the strip closes and the thirds are chosen.
    tapOn(*strip().choice(1));
    EXPECT_FALSE(vantor::overlaySelectorIsShowing);
    EXPECT_EQ(vantor::sessionOverlayMode, 2);
    phone->advance(0.2);
    EXPECT_DOUBLE_EQ(stripShownX(), 320);
    EXPECT_TRUE(showsResource(drawing().image(), "Overlays/overlayThirds@2x.png"));
}

TEST_F(Overlays, TheThumbnailOpensTheStripAndEachChoiceTakesItsTap)
{
    launch();
    // Choice tags 1 and 2 are the thirds (mode 2) and the golden section (1).
    const std::pair<int64_t, int> choices[] = { { 1, 2 }, { 2, 1 }, { 3, 3 }, { 4, 4 } };
    for (auto [tag, mode] : choices) {
        tapOn(*indicator()->actualIndicator());
        phone->advance(0.2);
        ASSERT_TRUE(vantor::overlaySelectorIsShowing) << "tag " << tag;
        ASSERT_TRUE(strip().choice(tag));
        tapOn(*strip().choice(tag));
        phone->advance(0.2);
        EXPECT_FALSE(vantor::overlaySelectorIsShowing) << "tag " << tag;
        EXPECT_EQ(vantor::sessionOverlayMode, mode) << "tag " << tag;
    }
    // The thumbnail tapped twice: the strip opens and closes, choosing nothing.
    tapOn(*indicator()->actualIndicator());
    phone->advance(0.2);
    tapOn(*indicator()->actualIndicator());
    phone->advance(0.2);
    EXPECT_FALSE(vantor::overlaySelectorIsShowing);
    EXPECT_EQ(vantor::sessionOverlayMode, 4);
}

TEST_F(Overlays, OutsideThePlainPhotoModeTheIndicatorAndDrawingHide)
{
    launchRemembering({ { "overlayMode", int64_t(1) } });
    ASSERT_TRUE(phone->setCameraMode(1));
    EXPECT_TRUE(indicator()->isHidden());
    EXPECT_TRUE(drawing().isHidden());
    // Outside a photo mode the drawing takes the whole view.
    EXPECT_EQ(drawing().frame(), vantor::cameraView.lock()->frame());

    ASSERT_TRUE(phone->setCameraMode(4));
    EXPECT_TRUE(indicator()->isHidden()) << "the square mode has no guides";
    EXPECT_TRUE(drawing().isHidden());

    ASSERT_TRUE(phone->setCameraMode(0));
    EXPECT_FALSE(indicator()->isHidden());
    EXPECT_FALSE(drawing().isHidden());
    EXPECT_EQ(vantor::sessionOverlayMode, 1);
}

TEST_F(Overlays, CreatedInVideoModeItStartsHidden)
{
    writeSettings({});
    launch();
    ASSERT_TRUE(phone->setCameraMode(1));
    phone->background();
    phone->foreground();
    phone->advance(1);
    ASSERT_TRUE(indicator());
    EXPECT_TRUE(indicator()->isHidden());
    EXPECT_TRUE(drawing().isHidden());
}

TEST_F(Overlays, TheFilterGridHidesEverythingAndClosesTheStrip)
{
    launchRemembering({ { "overlayMode", int64_t(2) } });
    vantor::toggleOverlaySelector(1);
    phone->advance(0.2);
    phone->setFiltersShowing(true);
    phone->advance(0.5);
    EXPECT_TRUE(indicator()->isHidden());
    EXPECT_TRUE(drawing().isHidden());
    EXPECT_FALSE(vantor::overlaySelectorIsShowing);
    EXPECT_DOUBLE_EQ(stripShownX(), 320);

    phone->setFiltersShowing(false);
    phone->advance(0.5);
    EXPECT_FALSE(indicator()->isHidden());
    EXPECT_FALSE(drawing().isHidden());
    EXPECT_FALSE(vantor::overlaySelectorIsShowing) << "the strip stays closed";
}

TEST_F(Overlays, TheDrawingKeepsThePictureAreaWhenChosenInLandscape)
{
    launch();
    phone->setOrientation(3);
    phone->advance(1);
    vantor::setOverlayIndicatorImg(1, false);
    // The screen does not turn with the device, so neither does the picture area.
    EXPECT_EQ(drawing().frame(), kit::CGRectMake(0, 40, 320, 568 - bottomBarHeight() - 40));
}

TEST_F(Overlays, TurnedOffInTheSettingsNothingIsMade)
{
    writeSettings({ { "showOverlays", false } });
    launch();
    EXPECT_FALSE(vantor::_overlayIndicator);
    vantor::toggleOverlaySelector(1);
    vantor::hideOverlayFunctionality(false);
    vantor::setOverlayIndicatorImg(1, false);
    EXPECT_EQ(vantor::sessionOverlayMode, 0);
}

TEST_F(Overlays, APadHasNoIndicator)
{
    launch("iPad4,1");
    EXPECT_FALSE(vantor::_overlayIndicator);
    vantor::CreateOverlayIndicator({});
    EXPECT_FALSE(vantor::_overlayIndicator);
}

TEST_F(Overlays, LeavingTheAppTakesTheStripAndDrawingOffTheScreen)
{
    launch();
    vantor::toggleOverlaySelector(1);
    phone->advance(0.2);
    std::weak_ptr<kit::UIView> stripAlive = indicator()->overlaySelectionView()->strongRef<kit::UIView>();
    std::weak_ptr<kit::UIView> drawingAlive = indicator()->overlay()->strongRef<kit::UIView>();
    phone->background();
    EXPECT_FALSE(vantor::_overlayIndicator);
    EXPECT_TRUE(stripAlive.expired());
    EXPECT_TRUE(drawingAlive.expired());
}

}
