#include "kit/foundation/SystemLog.h"
#include "kit/media/ExifMetadata.h"
#include "kit/media/IOSurface.h"
#include "kit/media/JPEGDecoder.h"
#include "kit/media/JPEGEncoder.h"
#include "kit/media/JPEGImage.h"
#include "kit/media/JPEGSegments.h"

#include <gtest/gtest.h>
#include <libexif/exif-data.h>
#include <jpeglib.h>

#include <cstdlib>
#include <cstring>

using namespace kit;

namespace {

// Left half red, right half blue, a white bar across the middle.
CGImageRef testPattern(int width, int height)
{
    auto image = CGImage::create(width, height);
    auto* pixels = reinterpret_cast<uint32_t*>(image->mutableData());
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint32_t colour = x < width / 2 ? 0xFFFF0000 : 0xFF0000FF;
            if (y >= height * 2 / 5 && y < height * 3 / 5)
                colour = 0xFFFFFFFF;
            pixels[size_t(y) * width + x] = colour;
        }
    }
    return image;
}

int channelDistance(uint32_t a, uint32_t b)
{
    int worst = 0;
    for (int shift : { 0, 8, 16, 24 })
        worst = std::max(worst, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
    return worst;
}

Data encoded(int width, int height, double quality = 0.9)
{
    auto bytes = encodeJPEG(*testPattern(width, height), quality);
    EXPECT_TRUE(bytes);
    return bytes.value_or(Data {});
}

// The frame header (SOFn) of an encoded file: precision, height, width.
size_t frameHeaderOffset(const Data& jpeg)
{
    auto segments = JPEGSegments::parse(jpeg);
    for (const auto& segment : segments->segments()) {
        if (segment.marker >= 0xC0 && segment.marker <= 0xC2)
            return segment.payloadOffset;
    }
    ADD_FAILURE() << "no frame header";
    return 0;
}

}

TEST(JPEG, RoundTripKeepsSizeAndColours)
{
    auto source = testPattern(64, 40);
    auto bytes = encodeJPEG(*source, 1.0);
    ASSERT_TRUE(bytes);
    auto decoded = decodeJPEG(*bytes);
    ASSERT_TRUE(decoded) << decoded.message;
    EXPECT_EQ(decoded.image->width(), 64);
    EXPECT_EQ(decoded.image->height(), 40);
    for (auto [x, y] : { std::pair { 5, 5 }, { 58, 5 }, { 30, 20 }, { 60, 35 } })
        EXPECT_LE(channelDistance(decoded.image->pixel(x, y), source->pixel(x, y)), 12) << x << "," << y;
}

TEST(JPEG, ADecodeForASmallerBoxScalesByEighthsButStillFillsIt)
{
    auto bytes = encoded(3264, 2448);
    // A photo held upright, stored on its side, for a 1080 x 1920 movie
    // frame: half size is the smallest eighth that still fills it.
    auto half = decodeJPEG(bytes, {}, { 1920, 1080 });
    ASSERT_TRUE(half) << half.message;
    EXPECT_EQ(half.image->width(), 1632);
    EXPECT_EQ(half.image->height(), 1224);
    EXPECT_LE(channelDistance(half.image->pixel(100, 100), 0xFFFF0000), 12);
    EXPECT_LE(channelDistance(half.image->pixel(1500, 1100), 0xFF0000FF), 12);

    // Held in landscape, the same photo fills the frame's width at 3/8.
    auto threeEighths = decodeJPEG(bytes, {}, { 1080, 1920 });
    ASSERT_TRUE(threeEighths);
    EXPECT_EQ(threeEighths.image->width(), 1224);
    EXPECT_EQ(threeEighths.image->height(), 918);

    auto eighth = decodeJPEG(bytes, {}, { 100, 100 });
    ASSERT_TRUE(eighth);
    EXPECT_EQ(eighth.image->width(), 408);
    // A box as large as the picture, or larger, or none: full size.
    for (JPEGDecodeFit fit : { JPEGDecodeFit { 3264, 2448 }, JPEGDecodeFit { 5000, 5000 }, JPEGDecodeFit {} }) {
        auto full = decodeJPEG(bytes, {}, fit);
        ASSERT_TRUE(full);
        EXPECT_EQ(full.image->width(), 3264) << fit.width;
    }
}

TEST(JPEG, LowerQualityGivesSmallerFiles)
{
    auto best = encoded(320, 240, 1.0);
    auto poor = encoded(320, 240, 0.1);
    EXPECT_LT(poor.size(), best.size());
    EXPECT_EQ(encoded(16, 16, -3).size(), encoded(16, 16, 0).size()) << "quality is clamped";
}

// Noise at the best quality takes several bytes a pixel, far more than the
// encoder first sets aside: the file grows as it is written and comes back
// whole, ending with its end-of-image marker.
TEST(JPEG, AFileLargerThanItsFirstBufferComesBackWhole)
{
    auto noise = CGImage::create(300, 200);
    auto* pixels = reinterpret_cast<uint32_t*>(noise->mutableData());
    uint32_t state = 12345;
    for (int i = 0; i < 300 * 200; ++i) {
        state = state * 1664525u + 1013904223u;
        pixels[i] = 0xFF000000u | (state >> 8);
    }
    auto bytes = encodeJPEG(*noise, 1.0);
    ASSERT_TRUE(bytes);
    EXPECT_GT(bytes->size(), size_t(300 * 200));
    ASSERT_GE(bytes->size(), 2u);
    EXPECT_EQ((*bytes)[bytes->size() - 2], 0xFF);
    EXPECT_EQ((*bytes)[bytes->size() - 1], 0xD9);
    auto decoded = decodeJPEG(*bytes);
    ASSERT_TRUE(decoded);
    int worst = 0;
    for (int y = 0; y < 200; y += 13)
        for (int x = 0; x < 300; x += 17)
            worst = std::max(worst, channelDistance(decoded.image->pixel(x, y), noise->pixel(x, y)));
    EXPECT_LE(worst, 12);
}

TEST(JPEG, ExifRoundTrip)
{
    ExifMetadata metadata;
    EXPECT_TRUE(metadata.setOrientation(6));
    EXPECT_FALSE(metadata.setOrientation(9));
    EXPECT_TRUE(metadata.setDateTaken("2014:05:03 10:00:00"));
    EXPECT_FALSE(metadata.setDateTaken("2014-05-03 10:00"));
    metadata.setMake("Apple");
    metadata.setModel("iPhone 5s");
    auto bytes = encodeJPEG(*testPattern(32, 32), 0.8, &metadata);
    ASSERT_TRUE(bytes);
    ASSERT_TRUE(decodeJPEG(*bytes));

    auto read = ExifMetadata::readFromJPEG(*bytes);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->orientation(), 6);
    EXPECT_EQ(read->dateTaken(), "2014:05:03 10:00:00");
    EXPECT_EQ(read->make(), "Apple");
    EXPECT_EQ(read->model(), "iPhone 5s");

    // Rewriting one tag in place leaves the others and the image data alone.
    read->setOrientation(3);
    auto rewritten = read->writeToJPEG(*bytes);
    ASSERT_TRUE(rewritten);
    auto again = ExifMetadata::readFromJPEG(*rewritten);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->orientation(), 3);
    EXPECT_EQ(again->model(), "iPhone 5s");
    auto oldSegments = JPEGSegments::parse(*bytes);
    auto newSegments = JPEGSegments::parse(*rewritten);
    EXPECT_EQ(bytes->size() - oldSegments->imageDataOffset(), rewritten->size() - newSegments->imageDataOffset());
    EXPECT_EQ(0,
        std::memcmp(bytes->data() + oldSegments->imageDataOffset(), rewritten->data() + newSegments->imageDataOffset(),
            bytes->size() - oldSegments->imageDataOffset()));
    EXPECT_EQ(ExifMetadata::formatDateTaken(0).size(), 19u);
}

// UIImage reads a JPEG file as stored and shows it the way its EXIF says.
TEST(JPEG, ImagesFromJPEGFollowTheirExifOrientation)
{
    ExifMetadata metadata;
    metadata.setOrientation(6);
    auto turned = encodeJPEG(*testPattern(40, 20), 0.8, &metadata);
    ASSERT_TRUE(turned);
    auto image = UIImage::imageWithData(*turned);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->imageOrientation(), UIImageOrientationRight);
    EXPECT_EQ(image->size(), (CGSize { 20, 40 }));

    auto plain = UIImage::imageWithData(encoded(40, 20));
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->imageOrientation(), UIImageOrientationUp);

    EXPECT_EQ(imageOrientationFromExif(3), UIImageOrientationDown);
    EXPECT_EQ(imageOrientationFromExif(8), UIImageOrientationLeft);
    EXPECT_EQ(imageOrientationFromExif(0), UIImageOrientationUp);
    EXPECT_EQ(imageOrientationFromExif(9), UIImageOrientationUp);
}

TEST(JPEG, ExifKeepsTagsItDoesNotKnow)
{
    ExifData* data = exif_data_new();
    exif_data_unset_option(data, EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
    ExifEntry* software = exif_entry_new();
    software->tag = EXIF_TAG_SOFTWARE;
    exif_content_add_entry(data->ifd[EXIF_IFD_0], software);
    static const char name[] = "7.1.2";
    software->data = static_cast<unsigned char*>(calloc(1, sizeof name)); // exif's default allocator
    std::memcpy(software->data, name, sizeof name);
    software->size = software->components = sizeof name;
    software->format = EXIF_FORMAT_ASCII;
    exif_entry_unref(software);
    unsigned char* payload = nullptr;
    unsigned payloadSize = 0;
    exif_data_save_data(data, &payload, &payloadSize);
    exif_data_unref(data);

    auto metadata = ExifMetadata::fromPayload({ payload, payloadSize });
    free(payload);
    ASSERT_TRUE(metadata);
    metadata->setOrientation(8);
    auto rewritten = metadata->payload();
    ASSERT_TRUE(rewritten);
    ExifData* reread = exif_data_new_from_data(rewritten->data(), unsigned(rewritten->size()));
    ExifEntry* kept = exif_content_get_entry(reread->ifd[EXIF_IFD_0], EXIF_TAG_SOFTWARE);
    ASSERT_TRUE(kept);
    EXPECT_STREQ(reinterpret_cast<const char*>(kept->data), "7.1.2");
    exif_data_unref(reread);
}

TEST(JPEG, BadInputGetsAClearErrorAndOneLogLine)
{
    auto valid = encoded(64, 64);
    SystemLog::clearRecentLines();
    EXPECT_EQ(decodeJPEG({}).error, JPEGDecodeError::Empty);
    EXPECT_EQ(SystemLog::recentLines().size(), 1u);

    Data truncated(valid.begin(), valid.begin() + valid.size() / 2);
    auto result = decodeJPEG(truncated);
    EXPECT_FALSE(result);
    EXPECT_EQ(result.error, JPEGDecodeError::Truncated) << result.message;

    Data headerOnly(valid.begin(), valid.begin() + frameHeaderOffset(valid));
    EXPECT_FALSE(decodeJPEG(headerOnly));

    const uint8_t text[] = "plain text, not a photo";
    EXPECT_EQ(decodeJPEG(text).error, JPEGDecodeError::NotJPEG);

    Data corrupt = valid;
    corrupt[frameHeaderOffset(valid) + 5] = 0; // no components
    EXPECT_EQ(decodeJPEG(corrupt).error, JPEGDecodeError::Corrupt);

    Data garbage = valid;
    for (size_t i = valid.size() / 3; i < valid.size() - 2; i += 7)
        garbage[i] ^= 0x5A;
    auto damaged = decodeJPEG(garbage); // decodes with damage or fails; never crashes
    if (damaged) {
        EXPECT_EQ(damaged.image->width(), 64);
    }
}

TEST(JPEG, AbsurdDimensionsAreRefusedBeforeDecoding)
{
    Data huge = encoded(16, 16);
    size_t header = frameHeaderOffset(huge);
    // 40000 x 40000: 1.6 gigapixels announced by a file of a few hundred bytes.
    huge[header + 1] = 0x9C;
    huge[header + 2] = 0x40;
    huge[header + 3] = 0x9C;
    huge[header + 4] = 0x40;
    auto result = decodeJPEG(huge);
    EXPECT_EQ(result.error, JPEGDecodeError::TooLarge);
    EXPECT_NE(result.message.find("40000"), std::string::npos);

    EXPECT_EQ(decodeJPEG(encoded(16, 16), { .maximumPixels = 100 }).error, JPEGDecodeError::TooLarge);
    EXPECT_TRUE(decodeJPEG(encoded(16, 16), { .maximumPixels = 256 }));
}

TEST(IOSurface, HoldsTheBytesOfItsAllocSize)
{
    auto jpeg = encoded(8, 8);
    auto surface = IOSurfaceCreate({ { "IOSurfaceAllocSize", int(jpeg.size()) } });
    ASSERT_TRUE(surface);
    EXPECT_EQ(IOSurfaceGetAllocSize(surface), jpeg.size());
    std::memcpy(IOSurfaceGetBaseAddress(surface), jpeg.data(), jpeg.size());
    auto copy = std::span(static_cast<const uint8_t*>(IOSurfaceGetBaseAddress(surface)), IOSurfaceGetAllocSize(surface));
    EXPECT_TRUE(decodeJPEG(copy));

    EXPECT_FALSE(IOSurfaceCreate({}));
    EXPECT_FALSE(IOSurfaceCreate({ { "IOSurfaceAllocSize", 0 } }));
    EXPECT_FALSE(IOSurfaceCreate({ { "IOSurfaceAllocSize", int64_t(1) << 40 } }));
    EXPECT_FALSE(IOSurfaceCreate({ { "IOSurfaceAllocSize", "12" } }));
    EXPECT_EQ(IOSurfaceGetBaseAddress(nullptr), nullptr);
}

namespace {

// A file the camera does not make but the decoder must read: written with
// libjpeg directly, progressive and/or CMYK.
Data libjpegFile(int width, int height, J_COLOR_SPACE space, bool progressive)
{
    jpeg_compress_struct info {};
    jpeg_error_mgr errors {};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* output = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &output, &size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = space == JCS_CMYK ? 4 : 3;
    info.in_color_space = space;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    if (progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    // CMYK: 30% cyan, stored inverted as Adobe does (libjpeg marks every
    // CMYK file with Adobe's marker); RGB: mid grey.
    std::vector<uint8_t> row(size_t(width) * info.input_components, 255);
    for (int x = 0; x < width; ++x) {
        if (space == JCS_CMYK) {
            row[size_t(x) * 4 + 0] = 255 - 77;
        } else {
            row[size_t(x) * 3 + 0] = row[size_t(x) * 3 + 1] = row[size_t(x) * 3 + 2] = 128;
        }
    }
    while (info.next_scanline < info.image_height) {
        JSAMPROW line = row.data();
        jpeg_write_scanlines(&info, &line, 1);
    }
    jpeg_finish_compress(&info);
    Data bytes(output, output + size);
    jpeg_destroy_compress(&info);
    free(output);
    return bytes;
}

}

TEST(JPEG, ReadsProgressiveAndCmykFilesAndLimitsScans)
{
    auto progressive = libjpegFile(48, 32, JCS_RGB, true);
    auto decoded = decodeJPEG(progressive);
    ASSERT_TRUE(decoded) << decoded.message;
    EXPECT_LE(channelDistance(decoded.image->pixel(20, 20), 0xFF808080), 3);
    auto refused = decodeJPEG(progressive, { .maximumScans = 2 });
    EXPECT_EQ(refused.error, JPEGDecodeError::Corrupt);
    EXPECT_NE(refused.message.find("scans"), std::string::npos) << refused.message;

    auto cmyk = decodeJPEG(libjpegFile(16, 16, JCS_CMYK, false));
    ASSERT_TRUE(cmyk) << cmyk.message;
    // 30% cyan: red falls to 70%, green and blue stay full.
    EXPECT_LE(channelDistance(cmyk.image->pixel(8, 8), 0xFFB2FFFF), 4) << std::hex << cmyk.image->pixel(8, 8);
}
