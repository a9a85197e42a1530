#include "ElementsTestSupport.h"

#include "extension/elements/CameraButton.h"
#include "extension/elements/MovieButton.h"
#include "extension/elements/TimeLapseButton.h"
#include "extension/elements/TimerButton.h"
#include "extension/elements/WBLockButton.h"

#include "kit/runtime/Class.h"
#include "kit/ui/Renderer.h"
#include "kit/ui/UIColor.h"

#include <functional>
#include <string>
#include <vector>

using namespace elements_test;
using kit::CGRectMake;

namespace {

struct ButtonCase {
    std::string name;
    std::function<std::shared_ptr<vantor::DrawnButton>()> make;
    RGBA selected;
    // Points that must be covered by the shapes the pictogram is known by.
    std::vector<kit::CGPoint> namedShapes;
};

template <typename T>
std::function<std::shared_ptr<vantor::DrawnButton>()> maker()
{
    return [] { return std::make_shared<T>(CGRectMake(0, 0, 47, 47)); };
}

const std::vector<ButtonCase>& buttonCases()
{
    static const RGBA mode { 255, 199, 68, 255 };
    static const std::vector<ButtonCase> cases {
        { "CameraButton", maker<vantor::CameraButton>(), mode, { { 25, 24 }, { 23, 22 }, { 26, 25 } } },
        { "TimerButton", maker<vantor::TimerButton>(), mode, { { 25, 14 }, { 23, 12 }, { 26, 15 } } },
        { "TimeLapseButton", maker<vantor::TimeLapseButton>(), mode, { { 33, 23 }, { 35, 23 }, { 37, 23 } } },
        { "MovieButton", maker<vantor::MovieButton>(), mode,
            { { 23, 14 }, { 17, 14 }, { 13, 19 }, { 7, 19 }, { 18, 19 }, { 32, 30 } } },
        { "WBLockButton", maker<vantor::WBLockButton>(), { 255, 201, 0, 255 }, {} },
    };
    return cases;
}

bool near(const RGBA& a, const RGBA& b, int tolerance)
{
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

// Counts the painted pixels and those of the wrong colour; only pixels of
// enough coverage carry a reliable colour.
struct Paint {
    int painted { 0 };
    int offColour { 0 };
};

Paint paintOf(const kit::CGImage& image, const RGBA& expected)
{
    Paint paint;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            RGBA px = at(image, x, y);
            if (px.a == 0)
                continue;
            ++paint.painted;
            if (px.a >= 96 && !near(px, expected, 6))
                ++paint.offColour;
        }
    return paint;
}

}

TEST(DrawnButtons, AreButtonsToTheRuntime)
{
    for (auto& c : buttonCases()) {
        kit::Class cls = kit::objc_getClass(c.name);
        ASSERT_NE(cls, nullptr) << c.name;
        EXPECT_STREQ(kit::class_getName(kit::class_getSuperclass(cls)), "UIButton") << c.name;
        auto button = c.make();
        EXPECT_TRUE(button->isMemberOfClassNamed(c.name));
    }
}

TEST(DrawnButtons, DrawInWhiteAndEntirelyInTheSelectedColourWhenSelected)
{
    for (auto& c : buttonCases()) {
        auto button = c.make();
        auto normal = drawnContent(*button, { 47, 47 }, 2);
        Paint white = paintOf(*normal, { 255, 255, 255, 255 });
        // A recognisable pictogram covers a good part of the canvas.
        EXPECT_GT(white.painted, 94 * 94 / 10) << c.name;
        EXPECT_EQ(white.offColour, 0) << c.name;

        button->setSelected(true);
        auto selected = drawnContent(*button, { 47, 47 }, 2);
        Paint coloured = paintOf(*selected, c.selected);
        EXPECT_EQ(coloured.painted, white.painted) << c.name << ": the same shapes in another colour";
        EXPECT_EQ(coloured.offColour, 0) << c.name;

        button->setSelected(false);
        EXPECT_EQ(paintOf(*drawnContent(*button, { 47, 47 }, 2), { 255, 255, 255, 255 }).offColour, 0) << c.name;
    }
}

TEST(DrawnButtons, FillTheirNamedShapesAndStayOnTheCanvas)
{
    for (auto& c : buttonCases()) {
        auto button = c.make();
        // A larger context shows anything drawn beyond 47 × 47.
        auto image = drawnContent(*button, { 60, 60 });
        for (auto point : c.namedShapes)
            EXPECT_EQ(at(*image, int(point.x), int(point.y)).a, 255) << c.name << " at " << point.x << ", " << point.y;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 60; ++x) {
                if (x >= 47 || y >= 47) {
                    ASSERT_EQ(at(*image, x, y).a, 0) << c.name << " at " << x << ", " << y;
                }
            }
    }
}

TEST(DrawnButtons, TheCameraLensStandsApartFromTheBody)
{
    vantor::CameraButton button(CGRectMake(0, 0, 47, 47));
    auto image = drawnContent(button, { 47, 47 });
    // Between the lens (radius 5 about (25, 24)) and the body a ring is left clear.
    EXPECT_EQ(at(*image, 25, 30).a, 0);
    EXPECT_EQ(at(*image, 31, 24).a, 0);
    EXPECT_EQ(at(*image, 10, 34).a, 255);
}

class DrawnButtonOnScreen : public ElementsTest { };

TEST_F(DrawnButtonOnScreen, RedrawsWhenSelectedAndDeselected)
{
    auto window = makeWindow(CGRectMake(0, 0, 60, 60), kit::UIColor::blackColor());
    auto button = std::make_shared<vantor::CameraButton>(CGRectMake(5, 5, 47, 47));
    window->addSubview(button);
    kit::Renderer renderer(kit::CGSizeMake(60, 60), 1);
    auto lens = [&] { return at(renderer.pixels(), 5 + 25, 5 + 24); };

    renderer.render();
    EXPECT_TRUE(near(lens(), { 255, 255, 255, 255 }, 2));
    button->setSelected(true);
    renderer.render();
    EXPECT_TRUE(near(lens(), { 255, 199, 68, 255 }, 2));
    button->setSelected(false);
    renderer.render();
    EXPECT_TRUE(near(lens(), { 255, 255, 255, 255 }, 2));
}
