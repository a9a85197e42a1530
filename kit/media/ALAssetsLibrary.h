#pragma once

#include "kit/media/NSError.h"
#include "kit/runtime/Object.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kit {

inline constexpr std::string_view ALAssetsLibraryErrorDomain = "ALAssetsLibraryErrorDomain";
constexpr long ALAssetsLibraryWriteFailedError = -3300;
constexpr long ALAssetsLibraryWriteIncompatibleDataError = -3303;
constexpr long ALAssetsLibraryWriteDiskSpaceError = -3305;

// The photo album: saved movies are copied into one folder under the device
// root, ALAssetsLibrary::albumFolder, each as "<asset id>.MOV", and named by
// "assets-library://asset/asset.MOV?id=<asset id>&ext=MOV". The class can be
// found and made by name (NSClassFromString("ALAssetsLibrary")), and its two
// operations can be sent as messages with the arguments below.
class ALAssetsLibrary final : public Object {
    KIT_OBJECT(ALAssetsLibrary, Object)

public:
    // The asset's URL, or an error (then the URL is empty).
    using ALAssetsLibraryWriteVideoCompletionBlock = std::function<void(std::string assetURL, NSErrorRef error)>;

    static constexpr std::string_view albumFolder = "/var/mobile/Media/PhotoData/Album";

    // Paths are device paths or file URLs of them. A readable H.264 movie
    // in a QuickTime or MPEG-4 file is compatible.
    bool videoAtPathIsCompatibleWithSavedPhotosAlbum(std::string videoPath);
    // Copies the movie into the album on a queue of its own; the completion
    // runs on the main queue. The source file stays where it is. The copy
    // appears whole or not at all.
    void writeVideoAtPathToSavedPhotosAlbum(std::string videoPath, ALAssetsLibraryWriteVideoCompletionBlock);

    // The device path of the album copy an asset URL names; nothing for
    // other URLs.
    static std::optional<std::string> devicePathOfAssetURL(std::string_view assetURL);
};

}
