#include "SettingsBundleTest.h"

#include "settings/BrightDarkGradView.h"
#include "settings/Bundle_Template_Controller.h"
#include "settings/ColorPickerViewController.h"
#include "settings/ColorSwatchView.h"
#include "settings/Globals.h"
#include "settings/LayoutNames.h"
#include "settings/TimeStampViewController.h"

#include "kit/foundation/ColorArchive.h"
#include "kit/foundation/RunLoop.h"
#include "kit/ui/CALayer.h"
#include "kit/ui/TouchDelivery.h"
#include "kit/ui/UIButton.h"
#include "kit/ui/UIColor.h"
#include "kit/ui/UIGraphics.h"
#include "kit/ui/UIImage.h"
#include "kit/ui/UIImageView.h"
#include "kit/ui/UINavigationController.h"
#include "kit/ui/UINib.h"

#include <cmath>
#include <fstream>
#include <limits>
#include <sstream>

namespace {

using settingstest::SettingsBundleTest;
using vantor::ColorPickerViewController;
namespace prefs = vantor::prefs;

// An element's frame in the picker's view, where touches are placed.
kit::CGRect frameIn(ColorPickerViewController* picker, kit::UIView* element)
{
    return element->superview()->convertRectToView(element->frame(), picker->view());
}

kit::CGPoint centreIn(ColorPickerViewController* picker, kit::UIView* element)
{
    return element->superview()->convertPointToView(element->center(), picker->view());
}

kit::ArchivedColor rgba(const std::shared_ptr<kit::UIColor>& colour)
{
    return colour ? colour->archivedColor() : kit::ArchivedColor {};
}

// Hears what a picker tells its delegate.
class RecordingPickerDelegate : public vantor::ColorPickerViewControllerDelegate {
public:
    void colorPickerViewController(ColorPickerViewController*, const std::shared_ptr<kit::UIColor>& colour) override
    {
        messages.push_back("select");
        selected = colour;
    }
    void colorPickerViewControllerDidCancel(ColorPickerViewController*) override { messages.push_back("cancel"); }

    std::vector<std::string> messages;
    std::shared_ptr<kit::UIColor> selected;
};

class ColorPickerTest : public SettingsBundleTest {
protected:
    vantor::TimeStampViewController* openTimeStamp(const std::string& model = "iPhone6,1")
    {
        m_entry = openEntry(model);
        tap(control("ShowTimeStampSetup:"));
        return dynamic_cast<vantor::TimeStampViewController*>(frontPage());
    }

    // The timestamp page's colour button, tapped.
    ColorPickerViewController* openPicker(const std::string& model = "iPhone6,1")
    {
        m_page = openTimeStamp(model);
        EXPECT_TRUE(m_page);
        if (!m_page)
            return nullptr;
        tap(m_page->timestampColorSelect.get());
        auto* picker = dynamic_cast<ColorPickerViewController*>(frontPage());
        EXPECT_TRUE(picker);
        return picker;
    }

    // A picker of its own, from the bundle's layout, not shown, in the
    // Settings app of an iPhone.
    std::shared_ptr<ColorPickerViewController> standalonePicker()
    {
        becomeSettingsApp("iPhone6,1");
        auto picker = std::make_shared<ColorPickerViewController>();
        picker->initWithNibName(ColorPickerViewController::kLayoutName, kit::NSBundle::bundleWithPath(vantor::kBundlePath));
        return picker;
    }

    // A finger down and up at a point of the picker's view.
    void touch(ColorPickerViewController* picker, kit::CGPoint point)
    {
        auto screen = picker->view()->convertPointToScreen(point);
        auto& touches = kit::TouchDelivery::shared();
        touches.down(screen, 0);
        kit::RunLoop::main().advance(0.05);
        touches.up(screen, 0);
        kit::RunLoop::main().advance(0.5);
    }

    std::string settingsBytes() const
    {
        std::ifstream in(settingsFile(), std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }

    std::shared_ptr<vantor::Bundle_Template_Controller> m_entry;
    vantor::TimeStampViewController* m_page { nullptr };
};

TEST_F(ColorPickerTest, TheColourButtonOpensThePickerOnItsColourWithTheFixedLook)
{
    auto* picker = openPicker();
    ASSERT_TRUE(picker);
    EXPECT_EQ(picker->delegate().get(), static_cast<vantor::ColorPickerViewControllerDelegate*>(m_page));
    EXPECT_EQ(picker->modalPresentationStyle(), kit::UIModalPresentationFormSheet);
    ASSERT_TRUE(picker->hueSatImage && picker->hueSatImage->image());
    ASSERT_TRUE(picker->gradientView && picker->crossHairs && picker->brightnessBar && picker->swatch);

    // The stamp's default amber: hue 0.8 / 6, full saturation and brightness.
    EXPECT_EQ(rgba(picker->color()), kit::ArchivedColor::rgba(1.0, 0.8, 0.0, 1.0));
    EXPECT_NEAR(picker->currentHue(), 0.8 / 6, 1e-9);
    EXPECT_DOUBLE_EQ(picker->currentSaturation(), 1);
    EXPECT_DOUBLE_EQ(picker->currentBrightness(), 1);
    EXPECT_EQ(rgba(picker->swatch->color()), rgba(picker->color()));
    EXPECT_EQ(rgba(picker->gradientView->color()), kit::ArchivedColor::rgba(1.0, 0.8, 0.0, 1.0));
    EXPECT_EQ(rgba(picker->view()->backgroundColor()), rgba(kit::UIColor::whiteColor()));

    auto plane = frameIn(picker, picker->hueSatImage.get());
    EXPECT_NEAR(centreIn(picker, picker->crossHairs.get()).x, plane.origin.x + plane.size.width * 0.8 / 6, 1e-9);
    EXPECT_EQ(centreIn(picker, picker->crossHairs.get()).y, plane.origin.y);
    auto track = frameIn(picker, picker->gradientView.get());
    EXPECT_EQ(centreIn(picker, picker->brightnessBar.get()).x, kit::CGRectGetMidX(track));
    EXPECT_EQ(centreIn(picker, picker->brightnessBar.get()).y, track.origin.y);
    const auto& front = picker->crossHairs->superview()->subviews();
    EXPECT_EQ(front[front.size() - 2], picker->crossHairs);
    EXPECT_EQ(front.back(), picker->brightnessBar);

    auto edge = kit::ArchivedColor::grey(0.9, 0.8);
    struct Look {
        kit::UIView* view;
        double radius, border;
    };
    for (auto [view, radius, border] : { Look { picker->crossHairs.get(), 19, 0.8 },
             Look { picker->brightnessBar.get(), 9, 1.0 }, Look { picker->hueSatImage.get(), 0, 1.0 },
             Look { picker->swatch.get(), 7, 0.8 } }) {
        SCOPED_TRACE(view->className());
        EXPECT_EQ(view->layer()->cornerRadius(), radius);
        EXPECT_EQ(view->layer()->borderWidth(), border);
        EXPECT_EQ(rgba(view->layer()->borderColor()), edge);
    }
    auto* shadow = picker->crossHairs->layer();
    EXPECT_EQ(rgba(shadow->shadowColor()), rgba(kit::UIColor::blackColor()));
    EXPECT_EQ(shadow->shadowOffset().width, 0);
    EXPECT_EQ(shadow->shadowOffset().height, 0);
    EXPECT_EQ(shadow->shadowRadius(), 1);
    EXPECT_EQ(shadow->shadowOpacity(), 0.5f);
}

// The corners and edges of the plane and the track, touched as a finger does
// where a finger can, and at the far edges (outside the half-open frames)
// through the update functions.
TEST_F(ColorPickerTest, ThePlanesCornersAndTheTracksEnds)
{
    auto* picker = openPicker();
    ASSERT_TRUE(picker);
    auto plane = frameIn(picker, picker->hueSatImage.get());
    auto track = frameIn(picker, picker->gradientView.get());

    touch(picker, plane.origin);
    EXPECT_EQ(picker->currentHue(), 0);
    EXPECT_EQ(picker->currentSaturation(), 1);
    EXPECT_EQ(rgba(picker->color()), kit::ArchivedColor::rgba(1, 0, 0, 1));
    EXPECT_EQ(rgba(picker->swatch->color()), kit::ArchivedColor::rgba(1, 0, 0, 1));
    EXPECT_EQ(centreIn(picker, picker->crossHairs.get()).x, plane.origin.x);
    EXPECT_EQ(centreIn(picker, picker->crossHairs.get()).y, plane.origin.y);

    // The last row a finger can reach is all but white.
    touch(picker, { plane.origin.x + plane.size.width / 2, plane.origin.y + plane.size.height - 0.25 });
    EXPECT_NEAR(picker->currentSaturation(), 0, 0.25 / plane.size.height + 1e-12);
    EXPECT_NEAR(picker->currentHue(), 0.5, 1e-12);
    picker->updateHueSatWithMovement({ plane.origin.x, plane.origin.y + plane.size.height });
    EXPECT_EQ(picker->currentSaturation(), 0);
    EXPECT_EQ(rgba(picker->color()), kit::ArchivedColor::rgba(1, 1, 1, 1));

    touch(picker, plane.origin);
    touch(picker, { kit::CGRectGetMidX(track), track.origin.y });
    EXPECT_EQ(picker->currentBrightness(), 1);
    EXPECT_EQ(rgba(picker->color()), kit::ArchivedColor::rgba(1, 0, 0, 1));
    EXPECT_EQ(centreIn(picker, picker->brightnessBar.get()).y, track.origin.y);

    touch(picker, { track.origin.x + 1, track.origin.y + track.size.height * 0.75 });
    EXPECT_DOUBLE_EQ(picker->currentBrightness(), 0.25);
    EXPECT_EQ(centreIn(picker, picker->brightnessBar.get()).x, kit::CGRectGetMidX(track));
    EXPECT_EQ(rgba(picker->brightnessBar->backgroundColor()), kit::ArchivedColor::rgba(0.25, 0, 0, 1));
    // The track keeps the hue at full brightness; only the colour darkens.
    EXPECT_EQ(rgba(picker->gradientView->color()), kit::ArchivedColor::rgba(1, 0, 0, 1));
    picker->updateBrightnessWithMovement({ track.origin.x, track.origin.y + track.size.height });
    EXPECT_EQ(picker->currentBrightness(), 0);
    EXPECT_EQ(rgba(picker->color()), kit::ArchivedColor::rgba(0, 0, 0, 1));
}

TEST_F(ColorPickerTest, TouchesOutsideThePlaneAndTheTrackOrNotANumbersChangeNothing)
{
    auto* picker = openPicker();
    ASSERT_TRUE(picker);
    auto plane = frameIn(picker, picker->hueSatImage.get());
    auto track = frameIn(picker, picker->gradientView.get());
    auto colour = picker->color();
    auto crosshair = centreIn(picker, picker->crossHairs.get());
    auto marker = centreIn(picker, picker->brightnessBar.get());
    auto expectUnchanged = [&](const char* what) {
        SCOPED_TRACE(what);
        EXPECT_EQ(picker->color(), colour);
        EXPECT_EQ(picker->swatch->color(), colour);
        EXPECT_NEAR(picker->currentHue(), 0.8 / 6, 1e-9);
        EXPECT_EQ(picker->currentSaturation(), 1);
        EXPECT_EQ(picker->currentBrightness(), 1);
        EXPECT_EQ(centreIn(picker, picker->crossHairs.get()).x, crosshair.x);
        EXPECT_EQ(centreIn(picker, picker->crossHairs.get()).y, crosshair.y);
        EXPECT_EQ(centreIn(picker, picker->brightnessBar.get()).x, marker.x);
        EXPECT_EQ(centreIn(picker, picker->brightnessBar.get()).y, marker.y);
    };

    const double nan = std::numeric_limits<double>::quiet_NaN();
    picker->dispatchTouchEvent({ nan, nan });
    picker->dispatchTouchEvent({ plane.origin.x + 10, nan });
    picker->dispatchTouchEvent({ nan, track.origin.y + 10 });
    expectUnchanged("not a number");

    // Between the plane and the track, on the far edges, and beside them.
    touch(picker, { plane.origin.x + plane.size.width + 1, plane.origin.y + 50 });
    picker->dispatchTouchEvent({ plane.origin.x + plane.size.width, plane.origin.y });
    picker->dispatchTouchEvent({ kit::CGRectGetMidX(track), track.origin.y + track.size.height });
    touch(picker, { plane.origin.x - 5, plane.origin.y + 5 });
    touch(picker, { kit::CGRectGetMidX(frameIn(picker, picker->swatch.get())), kit::CGRectGetMidY(frameIn(picker, picker->swatch.get())) });
    expectUnchanged("outside");
}

TEST_F(ColorPickerTest, AGreyColourReadsAsHueZeroSaturationZeroAndItsLevel)
{
    auto picker = standalonePicker();
    picker->setColor(kit::UIColor::colorWithRed(0, 0, 1, 1));
    picker->setColor(kit::UIColor::colorWithWhite(0.4, 0.5));
    EXPECT_EQ(picker->currentHue(), 0);
    EXPECT_EQ(picker->currentSaturation(), 0);
    EXPECT_DOUBLE_EQ(picker->currentBrightness(), 0.4);
    ASSERT_TRUE(picker->color());
    EXPECT_FALSE(picker->color()->isGrey());
    EXPECT_EQ(rgba(picker->color()), rgba(kit::UIColor::colorWithHue(0, 0, 0.4, 1)));
    // Setting colours does not load the view.
    EXPECT_FALSE(picker->isViewLoaded());
}

TEST_F(ColorPickerTest, AnEqualColourLeavesTheSwatchUntouched)
{
    auto picker = standalonePicker();
    picker->setColor(kit::UIColor::colorWithRed(0.2, 0.6, 0.4, 1));
    picker->view();
    ASSERT_TRUE(picker->swatch);
    auto blue = kit::UIColor::colorWithRed(0, 0, 1, 1);
    picker->swatch->setColor(blue);

    auto current = picker->color();
    picker->_setColor(kit::UIColor::colorWithRed(0.2, 0.6, 0.4, 1));
    EXPECT_EQ(picker->color(), current);
    EXPECT_EQ(picker->swatch->color(), blue);

    picker->_setColor(kit::UIColor::colorWithRed(0.2, 0.6, 0.5, 1));
    EXPECT_EQ(rgba(picker->swatch->color()), kit::ArchivedColor::rgba(0.2, 0.6, 0.5, 1));
}

TEST_F(ColorPickerTest, TheButtonsSendOnlyTheirOwnMessage)
{
    auto* picker = openPicker();
    ASSERT_TRUE(picker);
    auto recorder = std::make_shared<RecordingPickerDelegate>();
    auto page = picker->delegate();
    picker->setDelegate(recorder);

    tap(control("cancelColorSelection"));
    EXPECT_EQ(recorder->messages, std::vector<std::string> { "cancel" });
    EXPECT_FALSE(recorder->selected);

    tap(control("chooseSelectedColor"));
    EXPECT_EQ(recorder->messages, (std::vector<std::string> { "cancel", "select" }));
    EXPECT_EQ(recorder->selected, picker->color());
    picker->setDelegate(page);
}

TEST_F(ColorPickerTest, TheAppearanceSettersActOnlyOnceTheViewIsLoaded)
{
    auto picker = standalonePicker();
    auto red = kit::UIColor::colorWithRed(1, 0, 0, 1);
    auto green = kit::UIColor::colorWithRed(0, 1, 0, 1);
    picker->setBackgroundColor(red);
    picker->setTintColor(green);
    EXPECT_FALSE(picker->isViewLoaded());
    EXPECT_EQ(picker->backgroundColor(), red);

    picker->view();
    EXPECT_TRUE(picker->viewIsLoaded());
    EXPECT_EQ(rgba(picker->view()->backgroundColor()), rgba(kit::UIColor::whiteColor()));
    EXPECT_FALSE(picker->view()->tintColor());

    picker->setBackgroundColor(red);
    picker->setTintColor(green);
    EXPECT_EQ(picker->view()->backgroundColor(), red);
    EXPECT_EQ(picker->view()->tintColor(), green);
    picker->setBackgroundColor(nullptr);
    EXPECT_EQ(rgba(picker->view()->backgroundColor()), rgba(kit::UIColor::darkGrayColor()));
    prefs::IS_IPAD = true;
    picker->setBackgroundColor(nullptr);
    EXPECT_EQ(rgba(picker->view()->backgroundColor()), rgba(kit::UIColor::clearColor()));
}

TEST_F(ColorPickerTest, ColorPickerWithColorTakesTheColourAndTheDelegate)
{
    auto recorder = std::make_shared<RecordingPickerDelegate>();
    auto picker = ColorPickerViewController::colorPickerWithColor(kit::UIColor::colorWithRed(0, 1, 0, 1), recorder);
    ASSERT_TRUE(picker);
    EXPECT_EQ(picker->nibName(), "ColorPickerViewController");
    EXPECT_FALSE(picker->nibBundle());
    EXPECT_EQ(picker->delegate(), recorder);
    EXPECT_DOUBLE_EQ(picker->currentHue(), 1.0 / 3);
    picker->chooseSelectedColor();
    EXPECT_EQ(rgba(recorder->selected), kit::ArchivedColor::rgba(0, 1, 0, 1));
}

// The track: the colour at the top edge, black at the bottom.
TEST_F(ColorPickerTest, TheTrackDrawsFromItsColourDownToBlack)
{
    auto track = std::make_shared<vantor::BrightDarkGradView>(kit::CGRect { { 0, 0 }, { 4, 100 } });
    track->setColor(kit::UIColor::colorWithRed(0, 1, 0, 0.5));
    auto gradient = track->gradient();
    ASSERT_TRUE(gradient);
    track->setColor(kit::UIColor::colorWithRed(0, 1, 0, 0.5));
    EXPECT_EQ(track->gradient(), gradient);

    kit::UIGraphicsBeginImageContextWithOptions({ 4, 100 }, false, 1);
    track->drawRect(track->bounds());
    auto image = kit::UIGraphicsGetImageFromCurrentImageContext();
    kit::UIGraphicsEndImageContext();
    ASSERT_TRUE(image);
    auto top = image->CGImage()->pixel(1, 0);
    auto bottom = image->CGImage()->pixel(1, 99);
    EXPECT_EQ(top >> 24, 0xffu);
    EXPECT_GE((top >> 8) & 0xff, 0xfau);
    EXPECT_EQ((top >> 16) & 0xff, 0u);
    EXPECT_EQ(bottom >> 24, 0xffu);
    EXPECT_LE(bottom & 0xffffff, 0x030303u);
}

// Chosen through the page: the top-left corner of the plane and the top of
// the track make red, which the file holds and the page shows.
TEST_F(ColorPickerTest, ChoosingWritesTheColourAndReturnsToThePage)
{
    writeSettings({ { "timestampIncludeTime", int64_t(0) } });
    auto* picker = openPicker();
    ASSERT_TRUE(picker);
    touch(picker, frameIn(picker, picker->hueSatImage.get()).origin);
    auto track = frameIn(picker, picker->gradientView.get());
    touch(picker, { kit::CGRectGetMidX(track), track.origin.y });
    tap(control("chooseSelectedColor"));

    EXPECT_EQ(frontPage(), m_page);
    EXPECT_EQ(rgba(m_page->timestampColorSelect->backgroundColor()), kit::ArchivedColor::rgba(1, 0, 0, 1));
    auto stored = readSettings();
    ASSERT_TRUE(stored);
    auto archived = kit::unarchiveColor((*stored)["timeStampFontColor"].data);
    ASSERT_TRUE(archived);
    EXPECT_EQ(*archived, kit::ArchivedColor::rgba(1, 0, 0, 1));
    EXPECT_EQ((*stored)["timeStampFontColorSet"].kind, "integer");
    EXPECT_EQ((*stored)["timeStampFontColorSet"].integer, 1);

    // A second opening starts from the chosen colour.
    tap(m_page->timestampColorSelect.get());
    auto* again = dynamic_cast<ColorPickerViewController*>(frontPage());
    ASSERT_TRUE(again);
    EXPECT_EQ(rgba(again->color()), kit::ArchivedColor::rgba(1, 0, 0, 1));
}

TEST_F(ColorPickerTest, CancellingLeavesTheFileByteIdenticalAndTheColourAsItWas)
{
    auto blue = kit::UIColor::colorWithRed(0.1, 0.2, 0.9, 1);
    writeSettings({ { "timeStampFontColor", blue->archivedData() }, { "timeStampFontColorSet", int64_t(1) } });
    auto before = settingsBytes();
    auto written = std::filesystem::last_write_time(settingsFile());

    auto* picker = openPicker();
    ASSERT_TRUE(picker);
    touch(picker, frameIn(picker, picker->hueSatImage.get()).origin);
    EXPECT_EQ(rgba(picker->color()), rgba(kit::UIColor::colorWithHue(0, 1, 0.9, 1)));
    tap(control("cancelColorSelection"));

    EXPECT_EQ(frontPage(), m_page);
    EXPECT_EQ(rgba(m_page->timestampColorSelect->backgroundColor()), blue->archivedColor());
    EXPECT_EQ(rgba(prefs::timeStampFontColor), blue->archivedColor());
    EXPECT_EQ(settingsBytes(), before);
    EXPECT_EQ(std::filesystem::last_write_time(settingsFile()), written);
}

// A colour archive that decodes to nothing: the page and the picker show the
// stamp's default amber.
TEST_F(ColorPickerTest, AColourArchiveThatDecodesToNothingOpensOnTheDefault)
{
    writeSettings({ { "timeStampFontColor", kit::Data { 'b', 'p', 'l', 'i', 's', 't', '0', '0', 1, 2 } },
        { "timeStampFontColorSet", int64_t(1) } });
    auto* picker = openPicker();
    ASSERT_TRUE(picker);
    EXPECT_EQ(rgba(m_page->timestampColorSelect->backgroundColor()), kit::ArchivedColor::rgba(1.0, 0.8, 0.0, 1.0));
    EXPECT_EQ(rgba(picker->color()), kit::ArchivedColor::rgba(1.0, 0.8, 0.0, 1.0));
}

TEST_F(ColorPickerTest, OnAPadThePickerOpensAndCentresItsControls)
{
    auto* picker = openPicker("iPad4,1");
    ASSERT_TRUE(picker);
    auto plane = frameIn(picker, picker->hueSatImage.get());
    auto width = picker->view()->bounds().size.width;
    EXPECT_GT(width, 700);
    EXPECT_NEAR(plane.origin.x + 140, width / 2, 1);
    touch(picker, plane.origin);
    EXPECT_EQ(rgba(picker->color()), kit::ArchivedColor::rgba(1, 0, 0, 1));
}

}
