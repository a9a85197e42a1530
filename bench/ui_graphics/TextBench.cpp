// Text as the camera draws it: a label's measure and draw ("WB LOCK", 12
// points, kern 2, at scale 2), and the date stamp on a full-size photo
// context (the draw only, 81.6 points).

#include "kit/ui/PNGCodec.h"
#include "kit/ui/TextDrawing.h"
#include "kit/ui/UIColor.h"
#include "kit/ui/UIFont.h"

#include <benchmark/benchmark.h>

using namespace kit;

namespace {

TextAttributes badgeText()
{
    TextAttributes attributes;
    attributes.font = UIFont::fontWithName("DejaVuSans-Bold", 12);
    attributes.foregroundColor = UIColor::whiteColor();
    attributes.kern = 2;
    attributes.alignment = NSTextAlignmentCenter;
    return attributes;
}

void BM_MeasureLabelText(benchmark::State& state)
{
    auto attributes = badgeText();
    for (auto _ : state)
        benchmark::DoNotOptimize(sizeWithAttributes("WB LOCK", attributes));
}
BENCHMARK(BM_MeasureLabelText);

void BM_DrawLabelText(benchmark::State& state)
{
    auto attributes = badgeText();
    auto context = CGContext::create(120, 40, CGAffineTransformMakeScale(2, 2));
    for (auto _ : state) {
        drawString(context, "WB LOCK", CGRectMake(0, 4, 60, 16), attributes);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DrawLabelText)->Unit(benchmark::kMicrosecond);

void BM_DrawPhotoStamp(benchmark::State& state)
{
    TextAttributes attributes;
    attributes.font = UIFont::fontWithName("DejaVu Sans", 3264.0 / 40);
    attributes.foregroundColor = UIColor::colorWithRed(1, 0.8, 0, 1);
    attributes.strokeColor = UIColor::clearColor();
    auto context = CGContext::create(3264, 2448, CGAffineTransformIdentity);
    for (auto _ : state) {
        drawString(context, "12/9/26, 00:47", CGPointMake(91, 2266), attributes);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DrawPhotoStamp)->Unit(benchmark::kMicrosecond);

// A screenshot's PNG file, 640 x 1136.
void BM_EncodeScreenshotPNG(benchmark::State& state)
{
    auto image = CGImage::create(640, 1136);
    auto* words = reinterpret_cast<uint32_t*>(image->mutableData());
    for (int i = 0; i < 640 * 1136; ++i)
        words[i] = 0xff000000u | uint32_t(i % 640) << 8 | uint32_t(i / 640 % 256);
    for (auto _ : state)
        benchmark::DoNotOptimize(PNGCodec::encode(*image));
}
BENCHMARK(BM_EncodeScreenshotPNG)->Unit(benchmark::kMillisecond);

}
