// Frames of a camera-like screen: 320 × 568 points at scale 2, about 60
// views (a drawn preview, a row of round bordered buttons with captions,
// half-transparent overlays, a turned dial, labels) and one blur strip
// behind the buttons. Prints the time per frame and frames per second
// (target: 60 or more on one core), and what the blur strip alone costs.
#include "kit/foundation/RunLoop.h"
#include "kit/ui/BackdropFilters.h"
#include "kit/ui/CGContext.h"
#include "kit/ui/Renderer.h"
#include "kit/ui/UIApplication.h"
#include "kit/ui/UIColor.h"
#include "kit/ui/UIFont.h"
#include "kit/ui/UIGraphics.h"
#include "kit/ui/UILabel.h"
#include "kit/ui/UIWindow.h"

#include <benchmark/benchmark.h>

#include <cmath>

using namespace kit;

namespace {

// Stands in for the live preview: a picture drawn once.
class Preview : public UIView {
public:
    using UIView::UIView;
    void drawRect(CGRect rect) override
    {
        auto context = UIGraphicsGetCurrentContext();
        for (int i = 0; i < 16; ++i) {
            CGContextSetRGBFillColor(context, 0.2 + 0.05 * i, 0.4, 0.6 - 0.03 * i, 1);
            CGContextFillRect(context, CGRectMake(0, rect.size.height * i / 16, rect.size.width, rect.size.height / 16 + 1));
        }
        CGContextSetRGBFillColor(context, 1, 1, 1, 0.6);
        CGContextFillEllipseInRect(context, CGRectMake(60, 150, 200, 200));
    }
};

struct Screen {
    std::shared_ptr<UIWindow> window;
    std::shared_ptr<UIView> blur;
    int views { 0 };

    template <typename T = UIView>
    std::shared_ptr<T> add(UIView* parent, CGRect frame, std::shared_ptr<UIColor> color = nullptr)
    {
        auto view = std::make_shared<T>(frame);
        view->setBackgroundColor(std::move(color));
        parent->addSubview(view);
        ++views;
        return view;
    }

    explicit Screen(bool withBlur)
    {
        RunLoop::main().resetWithVirtualClock();
        window = std::make_shared<UIWindow>(CGRectMake(0, 0, 320, 568));
        window->setBackgroundColor(UIColor::blackColor());
        window->makeKeyAndVisible();
        views = 1;
        add<Preview>(window.get(), CGRectMake(0, 40, 320, 428));
        // Top bar and its indicators.
        auto top = add(window.get(), CGRectMake(0, 0, 320, 40), UIColor::colorWithWhite(0, 0.6));
        for (int i = 0; i < 5; ++i) {
            auto label = add<UILabel>(top.get(), CGRectMake(10 + 62 * i, 10, 55, 20));
            label->setText(i % 2 ? "30 FPS" : "1080p");
            label->setFont(UIFont::fontWithName("DINAlternate-Bold", 13));
            label->setTextColor(UIColor::colorWithRed(1, 0.8, 0, 1));
        }
        // Composition grid lines.
        for (int i = 1; i < 3; ++i) {
            add(window.get(), CGRectMake(320 * i / 3.0, 40, 1, 428), UIColor::colorWithWhite(1, 0.5));
            add(window.get(), CGRectMake(0, 40 + 428 * i / 3.0, 320, 1), UIColor::colorWithWhite(1, 0.5));
        }
        // Focus and exposure reticles, one turned.
        for (int i = 0; i < 2; ++i) {
            auto reticle = add(window.get(), CGRectMake(80 + 100 * i, 200, 70, 70));
            reticle->layer()->setBorderWidth(2);
            reticle->layer()->setBorderColor(UIColor::colorWithRed(1, 0.8, 0, 1));
            reticle->layer()->setCornerRadius(35 * i);
            reticle->setTransform(CGAffineTransformMakeRotation(0.3 * i));
        }
        // The mode strip: blur behind round buttons and captions.
        auto strip = add(window.get(), CGRectMake(0, 388, 320, 80));
        strip->setClipsToBounds(true);
        if (withBlur) {
            blur = add(strip.get(), strip->bounds());
            auto tint = CAFilter::filterWithType(kCAFilterColorAdd);
            tint->setValue(std::vector<double> { 0.1, 0.1, 0.1, 1.0 }, "inputColor");
            auto gaussian = CAFilter::filterWithType(kCAFilterGaussianBlur);
            gaussian->setValue(10.0, "inputRadius");
            gaussian->setValue(1.0, "inputHardEdges");
            blur->layer()->setFilters({ tint, gaussian });
        }
        for (int i = 0; i < 4; ++i) {
            auto button = add(strip.get(), CGRectMake(30 + 70 * i, 10, 47, 47), UIColor::colorWithWhite(1, 0.15));
            button->layer()->setCornerRadius(23.5);
            button->layer()->setBorderWidth(1.5);
            button->layer()->setBorderColor(UIColor::whiteColor());
            auto caption = add<UILabel>(strip.get(), CGRectMake(26 + 70 * i, 60, 55, 10));
            caption->setText(i == 0 ? "Adv Mode" : i == 1 ? "Timer" : i == 2 ? "Lapse" : "WB lock");
            caption->setFont(UIFont::fontWithName("DINAlternate-Bold", 13));
            caption->setTextColor(UIColor::colorWithRed(1, 0.8, 0, 1));
        }
        // Bottom bar with a shutter and small marks, some half transparent.
        auto bottom = add(window.get(), CGRectMake(0, 468, 320, 100), UIColor::colorWithWhite(0, 0.8));
        auto shutter = add(bottom.get(), CGRectMake(125, 15, 70, 70), UIColor::whiteColor());
        shutter->layer()->setCornerRadius(35);
        while (views < 60) {
            int i = views;
            auto mark = add(bottom.get(), CGRectMake(10 + (i * 37) % 300, 5 + (i * 13) % 80, 8, 8), UIColor::colorWithRed(1, 0.8, 0, 1));
            mark->setAlpha(i % 3 ? 1.0 : 0.5);
        }
    }
};

void BM_RenderScreen(benchmark::State& state, bool withBlur)
{
    Screen screen(withBlur);
    Renderer renderer(CGSizeMake(320, 568), 2);
    renderer.render();
    for (auto _ : state) {
        renderer.render();
        benchmark::DoNotOptimize(renderer.pixels().data());
    }
    state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["views"] = screen.views;
}
BENCHMARK_CAPTURE(BM_RenderScreen, with_blur, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RenderScreen, without_blur, false)->Unit(benchmark::kMillisecond);

// The blur strip's own work: tint and blur of its 640 × 160 pixels.
void BM_BlurStripAlone(benchmark::State& state)
{
    auto region = CGImage::create(640, 160);
    auto* words = reinterpret_cast<uint32_t*>(region->mutableData());
    for (int i = 0; i < 640 * 160; ++i)
        words[i] = 0xff000000u | uint32_t(i * 2654435761u >> 8 & 0xffffff);
    auto tint = CAFilter::filterWithType(kCAFilterColorAdd);
    tint->setValue(std::vector<double> { 0.1, 0.1, 0.1, 1.0 }, "inputColor");
    auto gaussian = CAFilter::filterWithType(kCAFilterGaussianBlur);
    gaussian->setValue(double(state.range(0)), "inputRadius");
    for (auto _ : state) {
        applyBackdropFilters(*region, { tint, gaussian }, 2);
        benchmark::DoNotOptimize(region->data());
    }
}
BENCHMARK(BM_BlurStripAlone)->Arg(1)->Arg(10)->Arg(20)->Unit(benchmark::kMicrosecond);

}
