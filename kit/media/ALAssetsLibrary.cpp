#include "kit/media/ALAssetsLibrary.h"

#include "kit/foundation/DeviceRoot.h"
#include "kit/foundation/Dispatch.h"
#include "kit/foundation/SystemLog.h"
#include "kit/media/FileURL.h"
#include "kit/media/MovieProbe.h"
#include "kit/media/StagedFile.h"
#include "kit/runtime/Class.h"
#include "kit/runtime/Selector.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <random>

namespace kit {

KIT_REGISTER_CLASS(ALAssetsLibrary);

namespace {

constexpr std::string_view urlPrefix = "assets-library://asset/asset.MOV?id=";
constexpr std::string_view urlSuffix = "&ext=MOV";

[[maybe_unused]] const bool registered = [] {
    Class cls = ALAssetsLibrary::staticClass();
    cls->setFactory([] { return std::make_shared<ALAssetsLibrary>(); });
    addMethod(cls, sel_registerName("videoAtPathIsCompatibleWithSavedPhotosAlbum:"),
        memberImp<&ALAssetsLibrary::videoAtPathIsCompatibleWithSavedPhotosAlbum>());
    addMethod(cls, sel_registerName("writeVideoAtPathToSavedPhotosAlbum:completionBlock:"),
        memberImp<&ALAssetsLibrary::writeVideoAtPathToSavedPhotosAlbum>());
    return true;
}();

std::string newAssetIdentifier()
{
    static std::mutex mutex;
    static std::mt19937_64 generator { std::random_device {}() };
    std::lock_guard lock(mutex);
    uint64_t high = generator();
    uint64_t low = generator();
    char text[40];
    std::snprintf(text, sizeof text, "%08X-%04X-%04X-%04X-%012llX", unsigned(high >> 32), unsigned((high >> 16) & 0xFFFF),
        unsigned(high & 0xFFFF), unsigned(low >> 48), static_cast<unsigned long long>(low & 0xFFFFFFFFFFFFull));
    return text;
}

// Copies source into a staged file; 0 or an errno.
int copyInto(const std::filesystem::path& source, StagedFile& target)
{
    std::FILE* in = std::fopen(source.c_str(), "rb");
    if (!in)
        return errno;
    std::FILE* out = std::fopen(target.temporaryPath().c_str(), "wb");
    if (!out) {
        int result = errno;
        std::fclose(in);
        return result;
    }
    int result = 0;
    char buffer[1 << 16];
    size_t got;
    while (result == 0 && (got = std::fread(buffer, 1, sizeof buffer, in)) > 0) {
        if (std::fwrite(buffer, 1, got, out) != got)
            result = errno ? errno : EIO;
    }
    if (result == 0 && std::ferror(in))
        result = EIO;
    std::fclose(in);
    if (std::fclose(out) != 0 && result == 0)
        result = errno;
    return result;
}

NSErrorRef albumError(long code, std::string reason)
{
    return NSError::make(std::string(ALAssetsLibraryErrorDomain), code, "Write failed", std::move(reason));
}

// The copy itself, on the library's queue: the asset's URL, or an error.
std::pair<std::string, NSErrorRef> saveToAlbum(const std::string& devicePath)
{
    auto source = DeviceRoot::resolve(devicePath);
    auto info = probeMovie(source);
    if (!info || !info->isH264Movie())
        return { {}, albumError(ALAssetsLibraryWriteIncompatibleDataError, "The movie is not compatible with the album.") };
    std::string identifier = newAssetIdentifier();
    auto folder = DeviceRoot::resolve(ALAssetsLibrary::albumFolder);
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    int result = 0;
    auto staged = StagedFile::create(folder / (identifier + ".MOV"), result);
    if (staged) {
        result = copyInto(source, *staged);
        if (result == 0)
            result = staged->commit();
    }
    if (result != 0) {
        bool full = result == ENOSPC || result == EFBIG || result == EDQUOT;
        return { {}, albumError(full ? ALAssetsLibraryWriteDiskSpaceError : ALAssetsLibraryWriteFailedError, std::strerror(result)) };
    }
    return { std::string(urlPrefix) + identifier + std::string(urlSuffix), nullptr };
}

}

bool ALAssetsLibrary::videoAtPathIsCompatibleWithSavedPhotosAlbum(std::string videoPath)
{
    auto info = probeMovie(DeviceRoot::resolve(devicePathOfFileURL(videoPath)));
    return info && info->isH264Movie();
}

void ALAssetsLibrary::writeVideoAtPathToSavedPhotosAlbum(
    std::string videoPath, ALAssetsLibraryWriteVideoCompletionBlock completion)
{
    auto queue = dispatch_queue_create("com.apple.assetslibrary.write");
    dispatch_async(queue, [path = devicePathOfFileURL(videoPath), completion = std::move(completion)] {
        auto saved = saveToAlbum(path);
        std::string url = std::move(saved.first);
        NSErrorRef error = std::move(saved.second);
        if (error)
            logf("ALAssetsLibrary: cannot save %s: %s", path.c_str(), error->description().c_str());
        if (completion)
            dispatch_async(dispatch_get_main_queue(), [completion, url, error] { completion(url, error); });
    });
}

std::optional<std::string> ALAssetsLibrary::devicePathOfAssetURL(std::string_view assetURL)
{
    if (assetURL.substr(0, urlPrefix.size()) != urlPrefix || assetURL.size() < urlPrefix.size() + urlSuffix.size()
        || assetURL.substr(assetURL.size() - urlSuffix.size()) != urlSuffix)
        return std::nullopt;
    auto identifier = assetURL.substr(urlPrefix.size(), assetURL.size() - urlPrefix.size() - urlSuffix.size());
    if (identifier.empty() || identifier.find('/') != std::string_view::npos || identifier.find("..") != std::string_view::npos)
        return std::nullopt;
    return std::string(albumFolder) + "/" + std::string(identifier) + ".MOV";
}

}
