#include "kit/foundation/AtomicFile.h"
#include "kit/foundation/ProcessIdentity.h"
#include "kit/foundation/SystemLog.h"
#include "kit/ui/PNGCodec.h"
#include "kit/ui/UIImage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

using namespace kit;

namespace {

CGImageRef solid(int width, int height, uint32_t pixel)
{
    auto image = CGImage::create(width, height);
    auto* words = reinterpret_cast<uint32_t*>(image->mutableData());
    std::fill(words, words + size_t(width) * size_t(height), pixel);
    return image;
}

uint32_t crc32(const uint8_t* bytes, size_t length)
{
    uint32_t crc = 0xffffffff;
    for (size_t i = 0; i < length; ++i) {
        crc ^= bytes[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xedb88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

class ImageFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder = std::filesystem::temp_directory_path() / ("kit_ui_images_" + std::to_string(getpid()) + "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_folder);
        m_identity = ProcessIdentity::current();
        SystemLog::clearRecentLines();
    }
    void TearDown() override
    {
        ProcessIdentity::set(m_identity);
        std::filesystem::remove_all(m_folder);
    }
    std::string write(const std::string& name, std::span<const uint8_t> bytes)
    {
        auto path = m_folder / name;
        EXPECT_TRUE(writeFileDirectly(path, bytes));
        return path.string();
    }
    std::string writePNG(const std::string& name, int width, int height, uint32_t pixel)
    {
        return write(name, *PNGCodec::encode(*solid(width, height, pixel)));
    }
    void setScreenScale(double scale)
    {
        auto identity = ProcessIdentity::current();
        identity.screenScale = scale;
        ProcessIdentity::set(identity);
    }
    size_t logLinesContaining(const std::string& text) const
    {
        size_t count = 0;
        for (const auto& line : SystemLog::recentLines())
            count += line.find(text) != std::string::npos;
        return count;
    }

    std::filesystem::path m_folder;
    ProcessIdentity m_identity;
};

}

TEST(PNGCodec, RoundTripKeepsPremultipliedPixels)
{
    auto image = CGImage::create(3, 2);
    auto* words = reinterpret_cast<uint32_t*>(image->mutableData());
    const uint32_t pixels[] = { 0xff102030, 0x80400000, 0x00000000, 0xffffffff, 0x40202020, 0xff00ff00 };
    std::copy(std::begin(pixels), std::end(pixels), words);
    auto bytes = PNGCodec::encode(*image);
    ASSERT_TRUE(bytes);
    auto back = PNGCodec::decode(*bytes);
    ASSERT_TRUE(back);
    ASSERT_EQ(back->width(), 3);
    ASSERT_EQ(back->height(), 2);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(back->pixel(i % 3, i / 3), pixels[i]) << i;
}

TEST_F(ImageFiles, DoubleScaleNamesGiveSizesInPoints)
{
    auto path = writePNG("badge@2x.png", 40, 30, 0xffff0000);
    auto image = UIImage::imageWithContentsOfFile(path);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->scale(), 2);
    EXPECT_EQ(image->size(), CGSizeMake(20, 15));
    EXPECT_EQ(image->CGImage()->pixel(0, 0), 0xffff0000u);
}

TEST_F(ImageFiles, PlainNamePrefersTheDoubleFileOnADoubleScreen)
{
    writePNG("icon.png", 10, 10, 0xff0000ff);
    writePNG("icon@2x.png", 20, 20, 0xff00ff00);
    auto plain = (m_folder / "icon.png").string();

    setScreenScale(2);
    auto onRetina = UIImage::imageWithContentsOfFile(plain);
    ASSERT_TRUE(onRetina);
    EXPECT_EQ(onRetina->scale(), 2);
    EXPECT_EQ(onRetina->size(), CGSizeMake(10, 10));
    EXPECT_EQ(onRetina->CGImage()->pixel(0, 0), 0xff00ff00u);

    setScreenScale(1);
    auto onPlain = UIImage::imageWithContentsOfFile(plain);
    ASSERT_TRUE(onPlain);
    EXPECT_EQ(onPlain->scale(), 1);
    EXPECT_EQ(onPlain->CGImage()->pixel(0, 0), 0xff0000ffu);

    // Only the double file exists: it is found on any screen.
    std::filesystem::remove(plain);
    auto fallback = UIImage::imageWithContentsOfFile(plain);
    ASSERT_TRUE(fallback);
    EXPECT_EQ(fallback->scale(), 2);
}

TEST_F(ImageFiles, BadFilesGiveNothingAndOneLogLine)
{
    EXPECT_FALSE(UIImage::imageWithContentsOfFile((m_folder / "missing.png").string()));
    EXPECT_EQ(logLinesContaining("missing.png"), 1u);

    const std::string text = "hello, not an image";
    auto notPNG = write("text.png", std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
    EXPECT_FALSE(UIImage::imageWithContentsOfFile(notPNG));
    EXPECT_EQ(logLinesContaining("text.png"), 1u);

    auto whole = *PNGCodec::encode(*solid(64, 64, 0xff808080));
    for (size_t keep : { whole.size() - 20, whole.size() / 2, size_t(40), size_t(8) }) {
        std::vector<uint8_t> cut(whole.begin(), whole.begin() + std::ptrdiff_t(keep));
        EXPECT_FALSE(PNGCodec::decode(cut)) << keep;
    }
    std::vector<uint8_t> cut(whole.begin(), whole.begin() + std::ptrdiff_t(whole.size() / 2));
    EXPECT_FALSE(UIImage::imageWithContentsOfFile(write("cut.png", cut)));
    EXPECT_EQ(logLinesContaining("cut.png"), 1u);
}

TEST_F(ImageFiles, AbsurdSizesAreRefusedBeforeDecoding)
{
    auto bytes = *PNGCodec::encode(*solid(1, 1, 0xffffffff));
    // IHDR data starts at byte 16: width, height (big-endian); CRC after 13 bytes.
    auto setSize = [&](uint32_t width, uint32_t height) {
        for (int i = 0; i < 4; ++i) {
            bytes[16 + i] = uint8_t(width >> (24 - 8 * i));
            bytes[20 + i] = uint8_t(height >> (24 - 8 * i));
        }
        uint32_t crc = crc32(&bytes[12], 17);
        for (int i = 0; i < 4; ++i)
            bytes[29 + i] = uint8_t(crc >> (24 - 8 * i));
    };
    setSize(100000, 100000);
    std::string failure;
    EXPECT_FALSE(PNGCodec::decode(bytes, &failure));
    EXPECT_NE(failure.find("too large"), std::string::npos) << failure;
    EXPECT_FALSE(UIImage::imageWithContentsOfFile(write("huge.png", bytes)));
    EXPECT_EQ(logLinesContaining("huge.png"), 1u);

    // Within the limits but with no pixel data behind it.
    setSize(4000, 4000);
    EXPECT_FALSE(PNGCodec::decode(bytes));
}

TEST(UIImage, OrientationTurnsTheSizeAndThePixels)
{
    // A 2 x 1 bitmap: red on the left, blue on the right.
    auto bitmap = CGImage::create(2, 1);
    auto* words = reinterpret_cast<uint32_t*>(bitmap->mutableData());
    words[0] = 0xffff0000;
    words[1] = 0xff0000ff;
    auto right = UIImage::imageWithCGImage(bitmap, 1, UIImageOrientationRight);
    EXPECT_EQ(right->size(), CGSizeMake(1, 2));
    // Turned clockwise: the left pixel ends at the top.
    auto t = right->pixelTransformForRect(CGRectMake(0, 0, 1, 2));
    auto redCentre = CGPointApplyAffineTransform({ 0.5, 0.5 }, t);
    EXPECT_NEAR(redCentre.x, 0.5, 1e-9);
    EXPECT_NEAR(redCentre.y, 0.5, 1e-9);
    auto left = UIImage::imageWithCGImage(bitmap, 1, UIImageOrientationLeft);
    auto redOnLeft = CGPointApplyAffineTransform({ 0.5, 0.5 }, left->pixelTransformForRect(CGRectMake(0, 0, 1, 2)));
    EXPECT_NEAR(redOnLeft.y, 1.5, 1e-9);
    EXPECT_FALSE(UIImage::imageWithCGImage(nullptr));
}
