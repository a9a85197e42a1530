#pragma once

#include "resources/artwork/ArtworkCatalog.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace kit {
class UIImage;
}

namespace vantor::resources {

// Draws one catalogue image at kArtworkScale pixels per point. Nothing when
// no drawing context can be made for its size.
std::shared_ptr<kit::UIImage> renderArtwork(const ArtworkItem&);

struct GenerationReport {
    int imagesWritten { 0 };
    bool soundWritten { false };
    // One line per file that could not be made, naming it and why.
    std::vector<std::string> failures;

    bool succeeded() const { return failures.empty(); }
};

// Draws the image and writes it to `path` as a PNG, whole or not at all,
// making its folder; a failure is added to the report, naming the image.
bool writeArtworkFile(const ArtworkItem&, const std::filesystem::path& path, GenerationReport&);

// Writes every catalogue image and the count-down sound under `folder`,
// making the sub-folders. Each file is replaced whole or not at all, and a
// file that fails does not stop the others.
GenerationReport writeResourceFolder(const std::filesystem::path& folder);

// Writes the settings bundle's images into the bundle folder, beside its
// layouts: its own (settingsBundleArtwork) and the manual's pictures; no
// sound.
GenerationReport writeSettingsBundleImages(const std::filesystem::path& bundleFolder);

// Where the resource folder lies inside a device root.
std::filesystem::path resourceFolderInDeviceRoot(const std::filesystem::path& root);

// Lays out a device root (kit::DeviceRoot::prepare: the standard folders and
// "User -> var/mobile") and writes the resource folder into it. Files already
// in the root other than the resources are left alone.
GenerationReport writeDeviceRoot(const std::filesystem::path& root);

}
