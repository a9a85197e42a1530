#include "MediaTestSupport.h"

#include "kit/foundation/Dispatch.h"
#include "kit/foundation/RunLoop.h"
#include "kit/media/ALAssetsLibrary.h"
#include "kit/runtime/MessageSend.h"

#include <fstream>
#include <sstream>

using namespace kit;
using mediatest::TemporaryDeviceRoot;

namespace {

std::string contents(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

struct Saved {
    bool called { false };
    bool onMainThread { false };
    std::string url;
    NSErrorRef error;
};

Saved saveThroughMessages(const std::string& path)
{
    auto library = NSClassFromString("ALAssetsLibrary")->createInstance();
    EXPECT_TRUE(library);
    Saved saved;
    ALAssetsLibrary::ALAssetsLibraryWriteVideoCompletionBlock completion = [&](std::string url, NSErrorRef error) {
        saved = { true, RunLoop::main().isMainThread(), std::move(url), std::move(error) };
    };
    msgSend<void, std::string, ALAssetsLibrary::ALAssetsLibraryWriteVideoCompletionBlock>(
        library.get(), sel_registerName("writeVideoAtPathToSavedPhotosAlbum:completionBlock:"), path, completion);
    DispatchQueue::waitForBackgroundWork();
    EXPECT_FALSE(saved.called) << "the completion waits for the main queue";
    RunLoop::main().runDue();
    return saved;
}

}

TEST(PhotoAlbum, IsFoundAndMadeByName)
{
    Class cls = NSClassFromString("ALAssetsLibrary");
    ASSERT_TRUE(cls);
    auto library = cls->createInstance();
    EXPECT_TRUE(cast<ALAssetsLibrary>(library.get()));
}

TEST(PhotoAlbum, OnlyReadableH264MoviesAreCompatible)
{
    TemporaryDeviceRoot root;
    ASSERT_TRUE(mediatest::writeTestMovie("/var/mobile/Media/DCIM/100APPLE/Movie-1.MOV"));
    std::ofstream(root.resolve("/var/mobile/Media/DCIM/100APPLE/IMG_0001.JPG")) << "not a movie";
    ALAssetsLibrary library;
    EXPECT_TRUE(library.videoAtPathIsCompatibleWithSavedPhotosAlbum("/var/mobile/Media/DCIM/100APPLE/Movie-1.MOV"));
    EXPECT_TRUE(library.videoAtPathIsCompatibleWithSavedPhotosAlbum("file:///var/mobile/Media/DCIM/100APPLE/Movie-1.MOV"));
    EXPECT_FALSE(library.videoAtPathIsCompatibleWithSavedPhotosAlbum("/var/mobile/Media/DCIM/100APPLE/IMG_0001.JPG"));
    EXPECT_FALSE(library.videoAtPathIsCompatibleWithSavedPhotosAlbum("/var/mobile/Media/DCIM/100APPLE/none.MOV"));
    EXPECT_TRUE((msgSend<bool, std::string>(&library, sel_registerName("videoAtPathIsCompatibleWithSavedPhotosAlbum:"),
        "/var/mobile/Media/DCIM/100APPLE/Movie-1.MOV")));
}

TEST(PhotoAlbum, SavingCopiesTheMovieIntoTheAlbumAndAnswersOnTheMainQueue)
{
    RunLoop::main().resetWithVirtualClock();
    TemporaryDeviceRoot root;
    const std::string movie = "/var/mobile/Media/DCIM/100APPLE/Movie-2.MOV";
    ASSERT_TRUE(mediatest::writeTestMovie(movie));
    auto saved = saveThroughMessages(movie);
    ASSERT_TRUE(saved.called);
    EXPECT_TRUE(saved.onMainThread);
    EXPECT_FALSE(saved.error);
    EXPECT_EQ(saved.url.rfind("assets-library://asset/asset.MOV?id=", 0), 0u) << saved.url;
    auto copy = ALAssetsLibrary::devicePathOfAssetURL(saved.url);
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->rfind(std::string(ALAssetsLibrary::albumFolder), 0), 0u);
    EXPECT_EQ(contents(root.resolve(*copy)), contents(root.resolve(movie)));
    EXPECT_TRUE(std::filesystem::exists(root.resolve(movie))) << "the original stays";
    EXPECT_EQ(mediatest::filesIn(root.resolve(std::string(ALAssetsLibrary::albumFolder))), 1u);

    auto second = saveThroughMessages(movie);
    EXPECT_NE(second.url, saved.url) << "each save is a new asset";
}

TEST(PhotoAlbum, IncompatibleFilesAreReportedAndNotCopied)
{
    RunLoop::main().resetWithVirtualClock();
    TemporaryDeviceRoot root;
    std::filesystem::create_directories(root.resolve("/var/mobile/Media/DCIM"));
    std::ofstream(root.resolve("/var/mobile/Media/DCIM/broken.MOV")) << "moov? no";
    auto saved = saveThroughMessages("/var/mobile/Media/DCIM/broken.MOV");
    ASSERT_TRUE(saved.called);
    ASSERT_TRUE(saved.error);
    EXPECT_EQ(saved.error->domain(), "ALAssetsLibraryErrorDomain");
    EXPECT_EQ(saved.error->code(), ALAssetsLibraryWriteIncompatibleDataError);
    EXPECT_TRUE(saved.url.empty());
    EXPECT_EQ(mediatest::filesIn(root.resolve(std::string(ALAssetsLibrary::albumFolder))), 0u);
    EXPECT_FALSE(ALAssetsLibrary::devicePathOfAssetURL("assets-library://asset/asset.MOV?id=../../x&ext=MOV"));
}
