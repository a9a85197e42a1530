#pragma once

#include "kit/foundation/RunLoop.h"
#include "kit/ui/CGContext.h"
#include "kit/ui/UIGraphics.h"
#include "kit/ui/UIView.h"
#include "kit/ui/UIWindow.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace elements_test {

// A pixel with its colour taken back out of premultiplied alpha (0..255).
struct RGBA {
    int r { 0 }, g { 0 }, b { 0 }, a { 0 };
};

inline RGBA unpremultiplied(uint32_t px)
{
    int a = int(px >> 24);
    if (a == 0)
        return {};
    auto channel = [a](uint32_t value) { return int(std::lround(double(value & 0xff) * 255.0 / a)); };
    return { channel(px >> 16), channel(px >> 8), channel(px), a };
}

inline RGBA at(const kit::CGImage& image, int x, int y) { return unpremultiplied(image.pixel(x, y)); }

// What the view's drawRect paints into a clear context of `size` points
// at `scale` pixels per point, top-left origin as the renderer gives it.
inline kit::CGImageRef drawnContent(kit::UIView& view, kit::CGSize size, kit::CGFloat scale = 1)
{
    auto context = kit::CGContext::create(int(std::ceil(size.width * scale)), int(std::ceil(size.height * scale)),
        kit::CGAffineTransformMakeScale(scale, scale));
    kit::UIGraphicsPushContext(context);
    view.drawRect(view.bounds());
    kit::UIGraphicsPopContext();
    return context->makeImage();
}

inline std::shared_ptr<kit::UIWindow> makeWindow(kit::CGRect frame, std::shared_ptr<kit::UIColor> background)
{
    auto window = std::make_shared<kit::UIWindow>(frame);
    window->setBackgroundColor(std::move(background));
    window->makeKeyAndVisible();
    return window;
}

// Each case starts on a fresh virtual clock.
class ElementsTest : public ::testing::Test {
protected:
    void SetUp() override { kit::RunLoop::main().resetWithVirtualClock(); }
};

}
