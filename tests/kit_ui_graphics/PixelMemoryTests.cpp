#include "kit/ui/CGContext.h"
#include "kit/ui/PixelMemory.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace kit;

// Small blocks come from the heap, large ones from the kernel: both start
// zeroed, copies are deep, and a moved-from block is empty.
TEST(PixelMemory, SmallAndLargeBlocksStartZeroedAndCopyDeeply)
{
    for (size_t size : { size_t(64), size_t(3264) * 2448 * 4 }) {
        PixelMemory memory(size);
        ASSERT_EQ(memory.size(), size);
        EXPECT_TRUE(std::all_of(memory.data(), memory.data() + size, [](uint8_t byte) { return byte == 0; }));
        memory.data()[0] = 7;
        memory.data()[size - 1] = 9;

        PixelMemory copy(memory);
        ASSERT_NE(copy.data(), memory.data());
        EXPECT_EQ(copy.data()[0], 7);
        EXPECT_EQ(copy.data()[size - 1], 9);

        PixelMemory moved(std::move(memory));
        EXPECT_EQ(moved.data()[size - 1], 9);
        EXPECT_EQ(memory.data(), nullptr);
        EXPECT_EQ(memory.size(), 0u);
    }
}

// An image known to be opaque is copied rather than blended; the pixels that
// land are the same either way, including under a fractional placement.
TEST(PixelMemory, AnOpaqueImageDrawsTheSamePixelsAsABlendedOne)
{
    auto makeImage = [](bool opaque) {
        auto image = CGImage::create(4, 3);
        auto* words = reinterpret_cast<uint32_t*>(image->mutableData());
        for (int i = 0; i < 12; ++i)
            words[i] = 0xFF000000u | uint32_t(i * 0x151515);
        if (opaque)
            image->markOpaque();
        return image;
    };
    for (CGRect rect : { CGRectMake(0, 0, 4, 3), CGRectMake(0.5, 0.25, 3, 2) }) {
        std::vector<uint32_t> results[2];
        for (bool opaque : { false, true }) {
            auto context = CGContext::create(4, 3, CGAffineTransformIdentity);
            CGContextDrawImage(context, rect, makeImage(opaque));
            const auto* words = reinterpret_cast<const uint32_t*>(context->data());
            results[opaque].assign(words, words + 12);
        }
        EXPECT_EQ(results[0], results[1]);
    }
}
