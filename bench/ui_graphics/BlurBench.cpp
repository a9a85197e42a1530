// The backdrop blur of a full 320 x 568-point screen at scale 2 (640 x 1136
// pixels), at the radii the camera's blur views use, and the tint before it.
// A frame at 60 per second has 16.7 ms for everything.

#include "kit/ui/Blur.h"

#include <benchmark/benchmark.h>

using namespace kit;

namespace {

CGImageRef screen()
{
    auto image = CGImage::create(640, 1136);
    auto* words = reinterpret_cast<uint32_t*>(image->mutableData());
    for (int y = 0; y < 1136; ++y)
        for (int x = 0; x < 640; ++x)
            words[y * 640 + x] = 0xff000000u | uint32_t((x * 7) & 0xff) << 16 | uint32_t((y * 3) & 0xff) << 8 | uint32_t((x ^ y) & 0xff);
    return image;
}

// state.range(0): the blur radius in points; the deviation in pixels is
// twice that at scale 2.
void BM_BlurScreen(benchmark::State& state)
{
    auto image = screen();
    double sigma = double(state.range(0)) * 2;
    for (auto _ : state) {
        boxBlurApproximatingGaussian(PixelRegion::whole(*image), sigma, BlurEdges::Hard);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 640 * 1136);
}
BENCHMARK(BM_BlurScreen)->Arg(1)->Arg(10)->Arg(20)->Unit(benchmark::kMillisecond);

// The mode strip's backdrop: 320 x 60 points at the bottom of the screen.
void BM_BlurModeStrip(benchmark::State& state)
{
    auto image = screen();
    PixelRegion strip = PixelRegion::whole(*image);
    strip.y = 1136 - 120;
    strip.regionHeight = 120;
    for (auto _ : state) {
        colorAdd(strip, { 0.1, 0.1, 0.1, 1.0 });
        boxBlurApproximatingGaussian(strip, 20, BlurEdges::Hard);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BlurModeStrip)->Unit(benchmark::kMillisecond);

void BM_ColorAddScreen(benchmark::State& state)
{
    auto image = screen();
    for (auto _ : state) {
        colorAdd(PixelRegion::whole(*image), { 0.1, 0.1, 0.1, 1.0 });
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ColorAddScreen)->Unit(benchmark::kMillisecond);

}
