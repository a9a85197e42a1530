#include "MediaTestSupport.h"

#include "kit/foundation/Dispatch.h"
#include "kit/foundation/RunLoop.h"
#include "kit/media/AVAssetWriter.h"
#include "kit/media/AVAssetWriterInputPixelBufferAdaptor.h"
#include "kit/media/AVCaptureDevice.h"
#include "kit/media/AVVideoSettings.h"

#include <sys/resource.h>
#include <sys/wait.h>

#include <csignal>
#include <random>
#include <unistd.h>

using namespace kit;
using mediatest::TemporaryDeviceRoot;

namespace {

CVPixelBufferRef frameOfColour(int width, int height, uint32_t colour)
{
    CVPixelBufferRef buffer;
    PropertyList::Dictionary attributes { { std::string(kCVPixelBufferCGImageCompatibilityKey), true },
        { std::string(kCVPixelBufferCGBitmapContextCompatibilityKey), true } };
    EXPECT_EQ(CVPixelBufferCreate(nullptr, width, height, kCVPixelFormatType_32ARGB, &attributes, &buffer),
        kCVReturnSuccess);
    CVPixelBufferLockBaseAddress(buffer, 0);
    auto* pixels = static_cast<uint32_t*>(CVPixelBufferGetBaseAddress(buffer));
    std::fill(pixels, pixels + size_t(width) * height, colour);
    CVPixelBufferUnlockBaseAddress(buffer, 0);
    return buffer;
}

struct MovieSession {
    std::shared_ptr<AVAssetWriter> writer;
    std::shared_ptr<AVAssetWriterInput> input;
    std::shared_ptr<AVAssetWriterInputPixelBufferAdaptor> adaptor;
};

MovieSession startMovie(const std::string& devicePath, int width, int height)
{
    MovieSession session;
    session.writer = AVAssetWriter::assetWriterWithURL(devicePath, AVFileTypeQuickTimeMovie);
    session.input = AVAssetWriterInput::assetWriterInputWithMediaType(AVMediaTypeVideo,
        { { std::string(AVVideoCodecKey), std::string(AVVideoCodecH264) }, { std::string(AVVideoWidthKey), width },
            { std::string(AVVideoHeightKey), height } });
    session.adaptor = AVAssetWriterInputPixelBufferAdaptor::assetWriterInputPixelBufferAdaptorWithAssetWriterInput(
        session.input, {});
    session.input->setExpectsMediaDataInRealTime(true);
    EXPECT_TRUE(session.writer->canAddInput(session.input));
    session.writer->addInput(session.input);
    return session;
}


}

TEST(PixelBuffer, ExposesItsMemoryOnlyWhileLocked)
{
    CVPixelBufferRef buffer;
    ASSERT_EQ(CVPixelBufferCreate(nullptr, 7, 3, kCVPixelFormatType_32ARGB, nullptr, &buffer), kCVReturnSuccess);
    EXPECT_EQ(CVPixelBufferGetWidth(buffer), 7u);
    EXPECT_EQ(CVPixelBufferGetHeight(buffer), 3u);
    EXPECT_EQ(CVPixelBufferGetBytesPerRow(buffer), 28u);
    EXPECT_EQ(CVPixelBufferGetBaseAddress(buffer), nullptr);
    CVPixelBufferLockBaseAddress(buffer, 0);
    auto* pixels = static_cast<uint32_t*>(CVPixelBufferGetBaseAddress(buffer));
    ASSERT_NE(pixels, nullptr);
    pixels[7 * 2 + 6] = 0xFF102030;
    CVPixelBufferUnlockBaseAddress(buffer, 0);
    EXPECT_EQ(CVPixelBufferGetBaseAddress(buffer), nullptr);
    EXPECT_EQ(buffer->pixels().pixel(6, 2), 0xFF102030u) << "the memory is kit's bitmap format";

    CVPixelBufferRef none;
    EXPECT_EQ(CVPixelBufferCreate(nullptr, 0, 3, kCVPixelFormatType_32ARGB, nullptr, &none), kCVReturnInvalidSize);
    EXPECT_EQ(CVPixelBufferCreate(nullptr, 4, 4, 0x79757673, nullptr, &none), kCVReturnInvalidPixelFormat);
    EXPECT_EQ(CVPixelBufferCreate(nullptr, 100000, 100000, kCVPixelFormatType_32ARGB, nullptr, &none),
        kCVReturnInvalidSize);
    EXPECT_FALSE(none);
}

TEST(MovieWriter, ThreeFramesMakeAOneSecondH264Movie)
{
    if (!mediatest::haveTool("ffprobe"))
        GTEST_SKIP() << "ffprobe is not installed";
    TemporaryDeviceRoot root;
    auto session = startMovie("/var/mobile/Media/DCIM/Movie-1.MOV", 1080, 1920);
    ASSERT_TRUE(session.writer->startWriting());
    session.writer->startSessionAtSourceTime(kCMTimeZero);
    EXPECT_TRUE(session.input->isReadyForMoreMediaData());
    for (int i = 0; i < 3; ++i) {
        auto frame = frameOfColour(3264, 2448, 0xFF000000 | (0x40u * i) << 8);
        EXPECT_TRUE(session.adaptor->appendPixelBuffer(frame, CMTimeMake(i, 3)));
    }
    session.input->markAsFinished();
    EXPECT_FALSE(session.input->isReadyForMoreMediaData());
    ASSERT_TRUE(session.writer->finishWriting()) << session.writer->error()->description();
    EXPECT_EQ(session.writer->status(), AVAssetWriterStatusCompleted);

    auto movie = root.resolve("/var/mobile/Media/DCIM/Movie-1.MOV");
    auto info = mediatest::probe(movie);
    EXPECT_EQ(info["codec_name"], "h264");
    EXPECT_NE(info["format_name"].find("mov"), std::string::npos);
    EXPECT_EQ(info["nb_read_frames"], "3");
    EXPECT_EQ(info["width"], "1080");
    EXPECT_EQ(info["height"], "1920");
    EXPECT_NEAR(std::stod(info["duration"].empty() ? "0" : info["duration"]), 1.0, 0.01);
    EXPECT_EQ(mediatest::filesIn(movie.parent_path()), 1u) << "no temporary left beside the movie";
}

TEST(MovieWriter, WideFramesGetBlackBarsAndOddSizesAreMadeEven)
{
    if (!mediatest::haveTool("ffmpeg"))
        GTEST_SKIP() << "ffmpeg is not installed";
    TemporaryDeviceRoot root;
    auto session = startMovie("file:///var/mobile/Media/DCIM/wide%20one.MOV", 101, 181);
    ASSERT_TRUE(session.writer->startWriting());
    ASSERT_TRUE(session.adaptor->appendPixelBuffer(frameOfColour(400, 200, 0xFFFFFFFF), CMTimeMake(0, 30)));
    ASSERT_TRUE(session.writer->finishWriting());
    auto movie = root.resolve("/var/mobile/Media/DCIM/wide one.MOV");
    auto info = mediatest::probe(movie);
    ASSERT_EQ(info["width"], "100");
    ASSERT_EQ(info["height"], "180");
    std::string grey = mediatest::run(
        "ffmpeg -v error -i '" + movie.string() + "' -frames:v 1 -f rawvideo -pix_fmt gray -");
    ASSERT_EQ(grey.size(), 100u * 180u);
    auto luma = [&](int x, int y) { return int(uint8_t(grey[size_t(y) * 100 + x])); };
    EXPECT_LT(luma(50, 5), 30) << "bar above";
    EXPECT_LT(luma(50, 174), 30) << "bar below";
    EXPECT_GT(luma(50, 90), 220) << "the picture, full width, in the middle";
    EXPECT_GT(luma(2, 90), 220);
}

TEST(MovieWriter, TimesThatDoNotRiseAreRefusedButTheMovieGoesOn)
{
    TemporaryDeviceRoot root;
    auto session = startMovie("/var/mobile/Media/DCIM/a.MOV", 64, 64);
    ASSERT_TRUE(session.writer->startWriting());
    auto frame = frameOfColour(64, 64, 0xFF808080);
    EXPECT_TRUE(session.adaptor->appendPixelBuffer(frame, CMTimeMake(1, 3)));
    EXPECT_FALSE(session.adaptor->appendPixelBuffer(frame, CMTimeMake(1, 3)));
    EXPECT_EQ(session.writer->status(), AVAssetWriterStatusWriting);
    EXPECT_TRUE(session.adaptor->appendPixelBuffer(frame, CMTimeMake(2, 3)));
    EXPECT_TRUE(session.writer->finishWriting());
}

TEST(MovieWriter, ExistingFileMakesTheWriterFailAndStaysUntouched)
{
    TemporaryDeviceRoot root;
    auto existing = root.resolve("/var/mobile/Media/DCIM/taken.MOV");
    std::filesystem::create_directories(existing.parent_path());
    { std::FILE* file = std::fopen(existing.c_str(), "w"); std::fputs("mine", file); std::fclose(file); }
    auto session = startMovie("/var/mobile/Media/DCIM/taken.MOV", 64, 64);
    EXPECT_FALSE(session.writer->startWriting());
    EXPECT_EQ(session.writer->status(), AVAssetWriterStatusFailed);
    ASSERT_TRUE(session.writer->error());
    EXPECT_EQ(session.writer->error()->code(), AVErrorFileAlreadyExists);
    EXPECT_FALSE(session.input->isReadyForMoreMediaData());
    EXPECT_FALSE(session.adaptor->appendPixelBuffer(frameOfColour(8, 8, 0), kCMTimeZero));
    EXPECT_EQ(std::filesystem::file_size(existing), 4u);
    EXPECT_EQ(mediatest::filesIn(existing.parent_path()), 1u);
}

TEST(MovieWriter, UnwritableFolderFailsWithoutLeavingAFile)
{
    TemporaryDeviceRoot root;
    auto blocker = root.resolve("/var/mobile/Media/DCIM/notAFolder");
    std::filesystem::create_directories(blocker.parent_path());
    { std::FILE* file = std::fopen(blocker.c_str(), "w"); std::fclose(file); }
    for (const char* path : { "/var/mobile/Media/DCIM/notAFolder/m.MOV", "/var/mobile/Media/Nowhere/m.MOV" }) {
        auto session = startMovie(path, 64, 64);
        EXPECT_FALSE(session.writer->startWriting()) << path;
        EXPECT_EQ(session.writer->status(), AVAssetWriterStatusFailed);
        EXPECT_TRUE(session.writer->error());
        EXPECT_FALSE(session.writer->finishWriting());
    }
    EXPECT_EQ(mediatest::filesIn(blocker.parent_path()), 1u);
    EXPECT_FALSE(std::filesystem::exists(root.resolve("/var/mobile/Media/Nowhere")));
}

TEST(MovieWriter, FullDiskFailsWithoutLeavingAFile)
{
    TemporaryDeviceRoot root;
    auto folder = root.resolve("/var/mobile/Media/DCIM");
    std::filesystem::create_directories(folder);
    // The child writes with a small file-size limit: from the movie's point of
    // view the disk fills up after 64 kB.
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit { 64 * 1024, 64 * 1024 };
        setrlimit(RLIMIT_FSIZE, &limit);
        auto session = startMovie("/var/mobile/Media/DCIM/full.MOV", 320, 240);
        if (!session.writer->startWriting())
            _exit(10);
        std::mt19937 noise(7);
        bool appendFailed = false;
        for (int i = 0; i < 30 && !appendFailed; ++i) {
            CVPixelBufferRef frame;
            CVPixelBufferCreate(nullptr, 320, 240, kCVPixelFormatType_32ARGB, nullptr, &frame);
            CVPixelBufferLockBaseAddress(frame, 0);
            auto* pixels = static_cast<uint32_t*>(CVPixelBufferGetBaseAddress(frame));
            for (int p = 0; p < 320 * 240; ++p)
                pixels[p] = 0xFF000000 | (noise() & 0xFFFFFF);
            CVPixelBufferUnlockBaseAddress(frame, 0);
            appendFailed = !session.adaptor->appendPixelBuffer(frame, CMTimeMake(i, 30));
        }
        bool finished = !appendFailed && session.writer->finishWriting();
        bool reported = session.writer->status() == AVAssetWriterStatusFailed && session.writer->error()
            && session.writer->error()->code() == AVErrorDiskFull;
        _exit(finished ? 11 : (reported ? 0 : 12));
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "10: not started, 11: the movie was finished, 12: wrong error";
    EXPECT_EQ(mediatest::filesIn(folder), 0u) << "no movie and no temporary";
}

TEST(MovieWriter, NoFramesNoMovie)
{
    TemporaryDeviceRoot root;
    auto session = startMovie("/var/mobile/Media/DCIM/empty.MOV", 64, 64);
    ASSERT_TRUE(session.writer->startWriting());
    EXPECT_FALSE(session.writer->finishWriting());
    EXPECT_EQ(session.writer->status(), AVAssetWriterStatusFailed);
    EXPECT_EQ(mediatest::filesIn(root.resolve("/var/mobile/Media/DCIM")), 0u);
}

TEST(MovieWriter, FinishingWithAHandlerCallsItWhenTheMovieIsComplete)
{
    TemporaryDeviceRoot root;
    auto session = startMovie("/var/mobile/Media/DCIM/later.MOV", 64, 64);
    ASSERT_TRUE(session.writer->startWriting());
    ASSERT_TRUE(session.adaptor->appendPixelBuffer(frameOfColour(64, 64, 0xFF00FF00), kCMTimeZero));
    session.input->markAsFinished();
    std::atomic<bool> called { false };
    AVAssetWriterStatus seen = AVAssetWriterStatusUnknown;
    session.writer->finishWritingWithCompletionHandler([&, writer = session.writer.get()] {
        seen = writer->status();
        called = true;
    });
    session.writer.reset(); // the handler's queue keeps the writer alive
    DispatchQueue::waitForBackgroundWork();
    EXPECT_TRUE(called);
    EXPECT_EQ(seen, AVAssetWriterStatusCompleted);
    EXPECT_TRUE(std::filesystem::exists(root.resolve("/var/mobile/Media/DCIM/later.MOV")));
}

TEST(MovieWriter, AbandonedWriterLeavesNothing)
{
    TemporaryDeviceRoot root;
    {
        auto session = startMovie("/var/mobile/Media/DCIM/gone.MOV", 64, 64);
        ASSERT_TRUE(session.writer->startWriting());
        ASSERT_TRUE(session.adaptor->appendPixelBuffer(frameOfColour(64, 64, 0xFF00FF00), kCMTimeZero));
    }
    EXPECT_EQ(mediatest::filesIn(root.resolve("/var/mobile/Media/DCIM")), 0u);
}
