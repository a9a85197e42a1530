// The pad's circular zoom control in a camera run: made beside the side
// bar, dragged along its left arc, reaching the host's zoom, reset with it,
// and found by the side bar's hit test. Nothing here draws the screen: the
// thumb is where a finger finds it without a screenshot.

#include "HooksTest.h"

#include "extension/elements/ZoomView.h"

#include "kit/ui/UIImageView.h"

#include <cmath>
#include <numbers>

namespace {

using hookstest::sel;

class PadZoom : public hookstest::HooksTest {
protected:
    void SetUp() override
    {
        HooksTest::SetUp();
        launch("iPad4,1", false, { { "ipadAdvZoom", true } });
        m_phone->advance(1);
        m_zoom = kit::cast<vantor::ZoomView>(vantor::zoomView.get());
        ASSERT_TRUE(m_zoom);
    }

    // A point of the control's circle, in screen points, `degrees` counter-
    // clockwise from the top (negative: clockwise, the right half).
    kit::CGPoint onCircle(double degrees, double radius = 180) const
    {
        double a = degrees * std::numbers::pi / 180;
        return m_zoom->convertPointToScreen({ 200 - radius * std::sin(a), 200 - radius * std::cos(a) });
    }

    kit::CGPoint thumbOnScreen() const
    {
        auto frame = m_zoom->thumbImageView()->frame();
        return m_zoom->convertPointToScreen({ kit::CGRectGetMidX(frame), kit::CGRectGetMidY(frame) });
    }

    // One finger from `from` through the points, a sixtieth of a second apart.
    void drag(kit::CGPoint from, const std::vector<kit::CGPoint>& through)
    {
        m_phone->touchDown(from);
        for (auto point : through) {
            m_phone->advance(1.0 / 60);
            m_phone->touchMove(point);
        }
        m_phone->touchUp(through.empty() ? from : through.back());
        m_phone->advance(0.1);
    }

    // From the thumb along the arc to `degrees`, in small steps.
    void dragThumbAlongArcTo(double degrees)
    {
        auto start = thumbOnScreen();
        auto centre = m_zoom->convertPointToScreen({ 200, 200 });
        double from = std::atan2(-(start.x - centre.x), -(start.y - centre.y)) * 180 / std::numbers::pi;
        std::vector<kit::CGPoint> path;
        int steps = 30;
        for (int i = 1; i <= steps; ++i)
            path.push_back(onCircle(from + (degrees - from) * i / steps));
        drag(start, path);
    }

    std::vector<std::string> zoomLines() const
    {
        std::vector<std::string> lines;
        for (const auto& line : events())
            if (line.find("PLCameraView zoom ") != std::string::npos)
                lines.push_back(line.substr(line.find("zoom ") + 5));
        return lines;
    }

    vantor::ZoomView* m_zoom { nullptr };
};

TEST_F(PadZoom, TheControlSitsInTheSideBarWithTheCameraBarAsItsDelegate)
{
    EXPECT_EQ(m_zoom->frame(), kit::CGRectMake(-140, 310, 400, 400));
    EXPECT_EQ(m_zoom->superview(), hookstest::findView("CAMBottomBar"));
    EXPECT_EQ(m_zoom->delegate().lock().get(), static_cast<vantor::ZoomViewDelegate*>(vantor::cameraBar.get()));
    EXPECT_EQ(m_zoom->value(), 1) << "the host reset its zoom when the camera started";
}

TEST_F(PadZoom, DraggingTheThumbUpTheLeftArcZoomsToFiveAndDownToOne)
{
    m_log->clear();
    dragThumbAlongArcTo(10);
    EXPECT_EQ(m_zoom->value(), 5) << "near the top: 5, not 5.8";
    auto lines = zoomLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "5.00");

    m_log->clear();
    dragThumbAlongArcTo(175);
    EXPECT_EQ(m_zoom->value(), 1) << "towards the bottom: 1, not less";
    lines = zoomLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "1.00");
}

TEST_F(PadZoom, RightAfterLaunchTheThumbSitsAtOneWhereTheFingerFindsIt)
{
    // The thumb of value 1 sits 148.5 degrees counter-clockwise from the top
    // of the circle, at (106.06, 353.54) in the control.
    auto thumb = m_zoom->thumbImageView()->center();
    EXPECT_NEAR(thumb.x, 106.06, 0.01);
    EXPECT_NEAR(thumb.y, 353.54, 0.01);
    m_log->clear();
    dragThumbAlongArcTo(60);
    EXPECT_GT(m_zoom->value(), 1);
    EXPECT_FALSE(zoomLines().empty()) << "the preview zooms";
}

TEST_F(PadZoom, InASecondSessionTheControlZoomsThatSessionsPreview)
{
    dragThumbAlongArcTo(60);
    m_phone->background();
    m_phone->foreground();
    m_phone->advance(1);
    ASSERT_EQ(vantor::zoomView.get(), m_zoom) << "the control lives as long as the process";
    ASSERT_TRUE(vantor::cameraBar);
    EXPECT_EQ(m_zoom->delegate().lock().get(), static_cast<vantor::ZoomViewDelegate*>(vantor::cameraBar.get()));

    m_log->clear();
    dragThumbAlongArcTo(10);
    EXPECT_EQ(m_zoom->value(), 5);
    auto lines = zoomLines();
    ASSERT_FALSE(lines.empty()) << "the new session's preview hears the control";
    EXPECT_EQ(lines.back(), "5.00");
}

TEST_F(PadZoom, ADragThatStartsOffTheThumbChangesNothing)
{
    m_log->clear();
    // From the middle of the arc, past the thumb at 1 and on to the top.
    auto start = onCircle(90);
    drag(start, { onCircle(100), onCircle(120), onCircle(130), onCircle(60), onCircle(20), onCircle(5) });
    EXPECT_EQ(m_zoom->value(), 1);
    EXPECT_TRUE(zoomLines().empty());
}

TEST_F(PadZoom, OnTheRightHalfTheValueStaysButIsStillReported)
{
    dragThumbAlongArcTo(60);
    float value = m_zoom->value();
    ASSERT_GT(value, 1);
    m_log->clear();
    // The pan begins on the thumb, then the finger jumps to the right half.
    auto start = thumbOnScreen();
    drag(start, { kit::CGPointMake(start.x + 8, start.y + 8), onCircle(-40), onCircle(-60) });
    EXPECT_EQ(m_zoom->value(), value);
    auto lines = zoomLines();
    ASSERT_FALSE(lines.empty()) << "the host still hears the value";
    char expected[16];
    std::snprintf(expected, sizeof expected, "%.2f", double(value));
    EXPECT_EQ(lines.back(), expected);
}

TEST_F(PadZoom, FarOffAndNotANumberFingersKeepTheValueWithinOneToFive)
{
    auto start = thumbOnScreen();
    drag(start, { onCircle(40), kit::CGPointMake(-1e9, -1e9), kit::CGPointMake(NAN, NAN), kit::CGPointMake(1e12, 5),
                    kit::CGPointMake(INFINITY, -INFINITY) });
    EXPECT_GE(m_zoom->value(), 1);
    EXPECT_LE(m_zoom->value(), 5);
    EXPECT_FALSE(std::isnan(m_zoom->value()));
}

TEST_F(PadZoom, TheSideBarTakesTouchesOnTheThumbOutsideItsBounds)
{
    auto* bar = hookstest::findView("CAMBottomBar");
    auto thumb = m_zoom->ThumbnailRectTranslated(bar);
    kit::CGPoint onThumb { kit::CGRectGetMidX(thumb), kit::CGRectGetMidY(thumb) };
    ASSERT_FALSE(kit::CGRectContainsPoint(bar->bounds(), onThumb)) << "the thumb lies over the preview";
    auto pointInside = [&](kit::CGPoint point) {
        return kit::msgSend<bool, kit::CGPoint, kit::UIEvent*>(bar, sel("pointInside:withEvent:"), point, nullptr);
    };
    EXPECT_TRUE(pointInside(onThumb));
    EXPECT_FALSE(pointInside({ onThumb.x - 100, onThumb.y }));
}

TEST_F(PadZoom, TheHostsZoomResetPutsTheControlBackToOne)
{
    dragThumbAlongArcTo(30);
    ASSERT_GT(m_zoom->value(), 1);
    kit::msgSend(view(), sel("_resetZoom"));
    EXPECT_EQ(m_zoom->value(), 1);
}

}
