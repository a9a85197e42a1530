#include "ElementsTestSupport.h"

#include "extension/elements/ZoomView.h"

#include "kit/ui/UIImageView.h"

#include <cmath>
#include <numbers>
#include <type_traits>

using namespace elements_test;
using kit::CGRectMake;

namespace {

// Where the thumb sits for a value: the control's circle of radius 180 about
// (200, 200), the value's zero point 0.1 radians before the top.
kit::CGPoint thumbCentreFor(vantor::ZoomView& zoom, float value)
{
    zoom.setValue(value);
    drawnContent(zoom, { 400, 400 });
    return zoom.thumbImageView()->center();
}

}

class ZoomHelpers : public ElementsTest { };

TEST_F(ZoomHelpers, TheLinearMapTakesTheSourceEndsToTheDestinationEnds)
{
    using vantor::translateValueFromSourceIntervalToDestinationInterval;
    static_assert(std::is_same_v<decltype(translateValueFromSourceIntervalToDestinationInterval(0, 0, 0, 0, 0)), float>);
    // Single precision: the low end lands within a float step of 0.
    EXPECT_NEAR(translateValueFromSourceIntervalToDestinationInterval(-6.3f, -6.3f, 5.8f, 0, 6.2831855f), 0, 1e-6);
    EXPECT_FLOAT_EQ(translateValueFromSourceIntervalToDestinationInterval(5.8f, -6.3f, 5.8f, 0, 6.2831855f), 6.2831855f);
    EXPECT_FLOAT_EQ(translateValueFromSourceIntervalToDestinationInterval(5, 0, 10, 100, 0), 50);
    // Outside the source interval the line goes on.
    EXPECT_FLOAT_EQ(translateValueFromSourceIntervalToDestinationInterval(20, 0, 10, 0, 1), 2);
}

TEST_F(ZoomHelpers, TheAngleIsPositiveCounterClockwiseOnScreen)
{
    using vantor::angleBetweenThreePoints;
    kit::CGPoint centre { 200, 200 }, top { 200, 20 };
    EXPECT_FLOAT_EQ(angleBetweenThreePoints(centre, top, { 100, 200 }), float(std::numbers::pi / 2)) << "left";
    EXPECT_FLOAT_EQ(angleBetweenThreePoints(centre, top, { 300, 200 }), -float(std::numbers::pi / 2)) << "right";
    EXPECT_FLOAT_EQ(angleBetweenThreePoints(centre, top, { 200, 0 }), 0);
    EXPECT_NEAR(std::abs(angleBetweenThreePoints(centre, top, { 200, 300 })), std::numbers::pi, 1e-6);
    EXPECT_TRUE(std::isnan(angleBetweenThreePoints(centre, top, { NAN, 10 })));
}

class ZoomControl : public ElementsTest {
protected:
    std::shared_ptr<vantor::ZoomView> zoom { vantor::ZoomView::initWithFrame(CGRectMake(-140, 310, 400, 400)) };
};

TEST_F(ZoomControl, StartsAtZeroWithItsThumbAndOnePanRecogniser)
{
    EXPECT_EQ(zoom->value(), 0);
    EXPECT_FLOAT_EQ(zoom->minimumValue(), -6.3f);
    EXPECT_FLOAT_EQ(zoom->maximumValue(), 5.8f);
    EXPECT_EQ(zoom->sliderRadius(), 180);
    ASSERT_TRUE(zoom->thumbImageView());
    EXPECT_EQ(zoom->thumbImageView()->frame(), CGRectMake(100 - 26.5, 100 - 26.5, 53, 53));
    EXPECT_EQ(zoom->thumbImageView()->subviews().size(), 1u) << "the ridge";
    EXPECT_EQ(zoom->thumbImageView()->subviews().front()->frame(), CGRectMake(6, 8, 40, 40));
    EXPECT_EQ(zoom->gestureRecognizers().size(), 1u);
    EXPECT_EQ(zoom->backgroundColor(), nullptr);
}

TEST_F(ZoomControl, SetValueClampsToTheTrackAndIgnoresWhatIsNoNumber)
{
    zoom->setValue(7);
    EXPECT_FLOAT_EQ(zoom->value(), 5.8f);
    zoom->setValue(-100);
    EXPECT_FLOAT_EQ(zoom->value(), -6.3f);
    zoom->setValue(3);
    zoom->setValue(NAN);
    EXPECT_EQ(zoom->value(), 3);
}

TEST_F(ZoomControl, AnUnchangedValueDoesNotRedraw)
{
    zoom->setValue(3);
    zoom->backingStore().valid = true; // as the renderer leaves it after drawing
    zoom->setValue(3);
    zoom->setValue(3.0f + 0.0f);
    EXPECT_TRUE(zoom->backingStore().valid);
    zoom->setValue(7);
    EXPECT_FALSE(zoom->backingStore().valid);
    zoom->backingStore().valid = true;
    zoom->setValue(6) /* clamped to the same 5.8 */;
    EXPECT_TRUE(zoom->backingStore().valid);
}

TEST_F(ZoomControl, TheThumbRunsRoundTheCircleWithTheValue)
{
    // Both ends of the track meet 0.1 radians left of the top.
    auto lowest = thumbCentreFor(*zoom, -6.3f);
    EXPECT_NEAR(lowest.x, 200 - 180 * std::sin(0.1), 0.01);
    EXPECT_NEAR(lowest.y, 200 - 180 * std::cos(0.1), 0.01);
    EXPECT_EQ(zoom->thumbCenterPoint(), lowest);

    auto highestZoom = thumbCentreFor(*zoom, 5);
    auto lowestZoom = thumbCentreFor(*zoom, 1);
    EXPECT_LT(highestZoom.x, 200) << "on the left half";
    EXPECT_LT(lowestZoom.x, 200);
    EXPECT_LT(highestZoom.y, 200) << "5 above the middle";
    EXPECT_GT(lowestZoom.y, 200) << "1 below it";
    for (auto point : { highestZoom, lowestZoom })
        EXPECT_NEAR(std::hypot(point.x - 200, point.y - 200), 180, 0.01);
}

TEST_F(ZoomControl, OnlyTheThumbGrownFivePointsLeftAndUpTakesTouches)
{
    thumbCentreFor(*zoom, 3);
    auto thumb = zoom->thumbImageView()->frame();
    double midY = kit::CGRectGetMidY(thumb), midX = kit::CGRectGetMidX(thumb);
    EXPECT_TRUE(zoom->pointInside({ midX, midY }, nullptr));
    EXPECT_TRUE(zoom->pointInside({ kit::CGRectGetMinX(thumb) - 4, midY }, nullptr)) << "4 points left";
    EXPECT_FALSE(zoom->pointInside({ kit::CGRectGetMaxX(thumb) + 4, midY }, nullptr)) << "4 points right";
    EXPECT_TRUE(zoom->pointInside({ midX, kit::CGRectGetMinY(thumb) - 4 }, nullptr)) << "4 points up";
    EXPECT_FALSE(zoom->pointInside({ midX, kit::CGRectGetMaxY(thumb) + 4 }, nullptr)) << "4 points down";
    EXPECT_FALSE(zoom->pointInside({ 200, 200 }, nullptr)) << "the circle's middle passes touches through";
}

TEST_F(ZoomControl, TheThumbsRectangleTranslatesIntoAnotherView)
{
    auto bar = std::make_shared<kit::UIView>(CGRectMake(668, 0, 100, 1024));
    bar->addSubview(zoom);
    thumbCentreFor(*zoom, 3);
    auto thumb = zoom->thumbImageView()->frame();
    EXPECT_EQ(zoom->ThumbnailRectTranslated(bar.get()), kit::CGRectOffset(thumb, -140, 310));
    EXPECT_EQ(zoom->ThumbnailRectTranslated(zoom.get()), thumb);
}
