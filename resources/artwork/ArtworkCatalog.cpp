#include "resources/artwork/ArtworkCatalog.h"

#include "resources/artwork/ArtworkPainters.h"

#include <cstdio>

namespace vantor::resources {

namespace {

// Sizes are in points. Where the view that shows an image gives its frame,
// the image has that size, so it is drawn one to one; where the view takes
// the image's own size, the note says what the size is chosen from.
std::vector<ArtworkItem> buildCatalog()
{
    using enum ArtworkContent;
    std::vector<ArtworkItem> items {
        // Buttons: the torch bulb lives in a 25 x 25 image view in the top
        // bar; the horizon button in a 45 x 45 one.
        { "Buttons/IPHONE/Bulb@2x.png", { 25, 25 }, paintBulb, 0 },
        { "Buttons/IPHONE/BulbOn@2x.png", { 25, 25 }, paintBulb, 1 },
        { "Buttons/overlayHorizonBtn@2x.png", { 45, 45 }, paintHorizonButton, 0 },
        { "Buttons/overlayHorizonBtnActivated@2x.png", { 45, 45 }, paintHorizonButton, 1 },

        // Dimensions: badges at the frames the height indicator gives them;
        // the grid fills the 250 x 230 chooser less 50 points each way, and
        // its lines fall between the three columns and rows of buttons.
        { "Dimensions/indicatorBT@2x.png", { 13.5, 19.5 }, paintBadgeBT, 0 },
        { "Dimensions/indicatorWifi@2x.png", { 22.5, 14.5 }, paintBadgeWifi, 0 },
        { "Dimensions/indicatorHD@2x.png", { 22.5, 16.5 }, paintBadgeHD, 0 },
        { "Dimensions/indicatorHD2@2x.png", { 22.5, 16.5 }, paintBadgeHD, 1 },
        { "Dimensions/gridOverlay@2x.png", { 200, 180 }, paintChooserGrid, 0 },

        // FocusAndExposure: the iPhone reticle frames (62 and 63 points
        // square); the larger iPad frames scale them by under 8 percent.
        { "FocusAndExposure/focus1@2x.png", { 62, 62 }, paintFocusReticle, 1 },
        { "FocusAndExposure/focus2@2x.png", { 62, 62 }, paintFocusReticle, 2 },
        { "FocusAndExposure/focus3@2x.png", { 62, 62 }, paintFocusReticle, 3 },
        { "FocusAndExposure/exposure1@2x.png", { 63, 63 }, paintExposureReticle, 1 },
        { "FocusAndExposure/exposure2@2x.png", { 63, 63 }, paintExposureReticle, 2 },
        { "FocusAndExposure/exposure3@2x.png", { 63, 63 }, paintExposureReticle, 3 },

        // Help: the finger and arrow frames of the gesture help.
        { "Help/gesture_finger@2x.png", { 85, 72.5 }, paintHelpFinger, 0 },
        { "Help/gesture_arrowUp@2x.png", { 20, 96 }, paintHelpArrow, ArrowUp },
        { "Help/gesture_arrowDown@2x.png", { 20, 96 }, paintHelpArrow, ArrowDown },
        { "Help/gesture_arrowLeft@2x.png", { 96, 20 }, paintHelpArrow, ArrowLeft },
        { "Help/gesture_arrowRight@2x.png", { 96, 20 }, paintHelpArrow, ArrowRight },

        // HorizontalAlignment: base and indicator share the 320 x 320 frame
        // and turn about its centre.
        { "HorizontalAlignment/horizonBase@2x.png", { 320, 320 }, paintHorizonBase, 0 },
        { "HorizontalAlignment/horizonBaseActivated@2x.png", { 320, 320 }, paintHorizonBase, 1 },
        { "HorizontalAlignment/horizonIndicator@2x.png", { 320, 320 }, paintHorizonIndicator, 0 },
        { "HorizontalAlignment/horizonIndicatorActivated@2x.png", { 320, 320 }, paintHorizonIndicator, 1 },

        // Indicators: the vertical-tilt alert's 22 x 22 frame.
        { "Indicators/verticalAlert@2x.png", { 22, 22 }, paintVerticalAlert, 0 },

        // Locks: the reticle places the badge in a 50 x 50 frame centred by
        // the image's own size, so the image is 50 x 50 with the padlock in
        // its middle.
        { "Locks/objectLock2@2x.png", { 50, 50 }, paintPadlock, 0 },

        // Overlays: the thumbnails fill the 55 x 65 choices of the strip
        // (the indicator shows them at 30 x 35, nearly the same shape); the
        // indicator's own image is its 40 x 50 frame. The full-screen guides
        // are drawn for the 320 x 428 picture area of a 4-inch phone in
        // portrait (568 points less a 100-point bottom bar and 40 more), so
        // the square and the trisection's right angles are true there; on
        // other screens they stretch with the frame, which keeps the thirds
        // and the golden section where they belong. Mode 0 shows no guide.
        { "Overlays/Thumbnails/overlayBtnRectangleOn@2x.png", { 40, 50 }, paintOverlayIndicatorFrame, 0 },
        { "Overlays/Thumbnails/overlayBtnRectangleOn_@2x.png", { 55, 65 }, paintOverlayThumbnail, GuideNone },
        { "Overlays/Thumbnails/overlayBtnGuldenSnedeOn@2x.png", { 55, 65 }, paintOverlayThumbnail, GuideGolden },
        { "Overlays/Thumbnails/overlayBtnThirdsOn@2x.png", { 55, 65 }, paintOverlayThumbnail, GuideThirds },
        { "Overlays/Thumbnails/overlayBtnTriSectionOn@2x.png", { 55, 65 }, paintOverlayThumbnail, GuideTrisection },
        { "Overlays/Thumbnails/overlayBtnSquareOn@2x.png", { 55, 65 }, paintOverlayThumbnail, GuideSquare },
        { "Overlays/overlayBtnRectangleOn_@2x.png", { 320, 428 }, paintOverlay, GuideNone, Empty },
        { "Overlays/overlayGuldenSnede@2x.png", { 320, 428 }, paintOverlay, GuideGolden },
        { "Overlays/overlayThirds@2x.png", { 320, 428 }, paintOverlay, GuideThirds },
        { "Overlays/overlayTriSection@2x.png", { 320, 428 }, paintOverlay, GuideTrisection },
        { "Overlays/overlaySquare@2x.png", { 320, 428 }, paintOverlay, GuideSquare },

        // SelectorView: the outer ring is the whole 295 x 295 dial window;
        // the inner circle, placed at (81.5, 85), holds the value label
        // (15, 15, 102, 79) and the unit label (26, 90, 78, 27), so it is 132
        // points across and centred on the marks' circle.
        { "SelectorView/circularSelectorOuter@2x.png", { 295, 295 }, paintSelectorOuterRing, 0 },
        { "SelectorView/circularSelectorInner@2x.png", { 132, 132 }, paintSelectorInnerCircle, 0 },

        // ZoomView: the thumb is 53 x 53 with the 40 x 40 ridge inside. The
        // outline sits at (-3, 36) in the 400 x 400 control at its own size,
        // which is chosen to just hold the track arc between the thumb's
        // places at values 5 and 1 (see ZoomViewArt.cpp).
        { "ZoomView/zoomOutline@2x.png", { 130, 332 }, paintZoomOutline, 0 },
        { "ZoomView/FloatingBtn@2x.png", { 53, 53 }, paintZoomThumb, 0 },
        { "ZoomView/circle_ridge@2x.png", { 40, 40 }, paintZoomRidge, 0 },
    };

    // The dial's marks, "SelectorView/%d_@2x.png": each is a short tick
    // turned towards the dial's centre from its own place on the ring, on a
    // 14-point square that stays clear of its neighbours (at least 15 points
    // apart).
    for (int mark = 1; mark <= kSelectorMarkCount; ++mark) {
        char name[64];
        std::snprintf(name, sizeof name, "SelectorView/%d_@2x.png", mark);
        items.push_back({ name, { 14, 14 }, paintSelectorMark, mark });
    }
    return items;
}

}

const std::vector<ArtworkItem>& artworkCatalog()
{
    static const std::vector<ArtworkItem> catalog = buildCatalog();
    return catalog;
}

const std::vector<ArtworkItem>& settingsBundleArtwork()
{
    // The colour picker's plane fills its 240 x 240 image view one to one.
    static const std::vector<ArtworkItem> images {
        { "ColorPickerPlane@2x.png", { 240, 240 }, paintHueSaturationPlane, 0, ArtworkContent::Opaque },
    };
    return images;
}

const ArtworkItem* findArtwork(std::string_view name)
{
    for (const auto& item : artworkCatalog()) {
        if (item.name == name)
            return &item;
    }
    return nullptr;
}

}
