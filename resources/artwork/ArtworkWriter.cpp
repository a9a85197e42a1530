#include "resources/artwork/ArtworkWriter.h"

#include "resources/artwork/CountSound.h"
#include "resources/artwork/ManualPictures.h"

#include "kit/foundation/AtomicFile.h"
#include "kit/foundation/DeviceRoot.h"
#include "kit/ui/UIGraphics.h"
#include "kit/ui/UIImage.h"

namespace vantor::resources {

std::shared_ptr<kit::UIImage> renderArtwork(const ArtworkItem& item)
{
    // A size that gives no pixels pushes no context; the one current before
    // (a contact sheet's, say) must then be neither drawn on nor popped.
    auto outer = kit::UIGraphicsGetCurrentContext();
    kit::UIGraphicsBeginImageContextWithOptions(item.points, false, kArtworkScale);
    auto context = kit::UIGraphicsGetCurrentContext();
    if (!context || context == outer)
        return nullptr;
    if (item.paint)
        item.paint(item.points, item.variant);
    auto image = kit::UIGraphicsGetImageFromCurrentImageContext();
    kit::UIGraphicsEndImageContext();
    return image;
}

namespace {

bool makeParentFolder(const std::filesystem::path& file, std::string& why)
{
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    if (error)
        why = "cannot make its folder: " + error.message();
    return !error;
}

}

bool writeArtworkFile(const ArtworkItem& item, const std::filesystem::path& path, GenerationReport& report)
{
    std::string why;
    if (!makeParentFolder(path, why)) {
        report.failures.push_back(item.name + ": " + why);
        return false;
    }
    auto png = kit::UIImagePNGRepresentation(renderArtwork(item));
    if (!png) {
        report.failures.push_back(item.name + ": cannot be drawn or encoded");
        return false;
    }
    if (!kit::writeFileAtomically(path, *png)) {
        report.failures.push_back(item.name + ": cannot be written");
        return false;
    }
    return true;
}

namespace {

// Each image replaced whole or not at all; a failure does not stop the others.
void writeImages(const std::filesystem::path& folder, const std::vector<ArtworkItem>& items, GenerationReport& report)
{
    for (const auto& item : items) {
        if (writeArtworkFile(item, folder / item.name, report))
            ++report.imagesWritten;
    }
}

}

GenerationReport writeResourceFolder(const std::filesystem::path& folder)
{
    GenerationReport report;
    writeImages(folder, artworkCatalog(), report);

    // The sound goes last: the build takes it as the sign that a run has
    // finished.
    auto soundPath = folder / std::string(kCountSoundName);
    std::string why;
    if (!makeParentFolder(soundPath, why))
        report.failures.push_back(std::string(kCountSoundName) + ": " + why);
    else if (!CountSound::write(soundPath))
        report.failures.push_back(std::string(kCountSoundName) + ": cannot be written");
    else
        report.soundWritten = true;
    return report;
}

std::filesystem::path resourceFolderInDeviceRoot(const std::filesystem::path& root)
{
    // The device path without its leading "/", so it stays inside the root.
    auto relative = kResourceFolder.substr(1);
    if (relative.ends_with('/'))
        relative.remove_suffix(1);
    return root / std::filesystem::path(relative);
}

GenerationReport writeSettingsBundleImages(const std::filesystem::path& bundleFolder)
{
    GenerationReport report;
    writeImages(bundleFolder, settingsBundleArtwork(), report);
    auto manual = writeManualPictures(bundleFolder);
    report.imagesWritten += manual.imagesWritten;
    report.failures.insert(report.failures.end(), manual.failures.begin(), manual.failures.end());
    return report;
}

GenerationReport writeDeviceRoot(const std::filesystem::path& root)
{
    if (!kit::DeviceRoot::prepare(root)) {
        GenerationReport report;
        report.failures.push_back(root.string() + ": cannot lay out the device root");
        return report;
    }
    return writeResourceFolder(resourceFolderInDeviceRoot(root));
}

}
