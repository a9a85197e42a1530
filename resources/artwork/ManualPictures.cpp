#include "resources/artwork/ManualPictures.h"

#include "resources/artwork/ArtworkCatalog.h"

namespace vantor::resources {

const std::vector<std::string_view>& manualPictures()
{
    static const std::vector<std::string_view> pictures {
        // The mode strip and its swipe: the gesture help's finger and arrows.
        "Help/gesture_finger@2x.png",
        "Help/gesture_arrowUp@2x.png",
        "Help/gesture_arrowLeft@2x.png",
        // The reticles and the padlock of a locked one.
        "FocusAndExposure/focus1@2x.png",
        "FocusAndExposure/exposure1@2x.png",
        "Locks/objectLock2@2x.png",
        // The selection dial.
        "SelectorView/circularSelectorOuter@2x.png",
        "SelectorView/circularSelectorInner@2x.png",
        // An indicator, the overlay guides and the level.
        "Dimensions/indicatorHD@2x.png",
        "Overlays/Thumbnails/overlayBtnThirdsOn@2x.png",
        "Buttons/overlayHorizonBtnActivated@2x.png",
    };
    return pictures;
}

std::string_view manualPictureFileName(std::string_view catalogueName)
{
    auto slash = catalogueName.rfind('/');
    return slash == std::string_view::npos ? catalogueName : catalogueName.substr(slash + 1);
}

GenerationReport writeManualPictures(const std::filesystem::path& folder)
{
    GenerationReport report;
    for (auto name : manualPictures()) {
        const auto* item = findArtwork(name);
        if (!item) {
            report.failures.push_back(std::string(name) + ": not in the catalogue");
            continue;
        }
        if (writeArtworkFile(*item, folder / manualPictureFileName(name), report))
            ++report.imagesWritten;
    }
    return report;
}

}
