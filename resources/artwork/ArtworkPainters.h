#pragma once

#include "resources/artwork/ArtworkCatalog.h"

// The painters behind the catalogue, one group per resource sub-folder
// (see Painter in ArtworkCatalog.h for the contract).
namespace vantor::resources {

// FocusAndExposureArt.cpp: the reticles; variant = animation frame 1...3.
void paintFocusReticle(kit::CGSize, int frame);
void paintExposureReticle(kit::CGSize, int frame);

// LocksArt.cpp: the padlock badge shown on a locked reticle.
void paintPadlock(kit::CGSize, int);

// SelectorViewArt.cpp: the dial; variant = mark number 1...30.
void paintSelectorOuterRing(kit::CGSize, int);
void paintSelectorInnerCircle(kit::CGSize, int);
void paintSelectorMark(kit::CGSize, int mark);
inline constexpr int kSelectorMarkCount = 30;

// HelpArt.cpp: the gesture help; variant = ArrowDirection.
enum ArrowDirection { ArrowUp = 0, ArrowDown = 1, ArrowLeft = 2, ArrowRight = 3 };
void paintHelpFinger(kit::CGSize, int);
void paintHelpArrow(kit::CGSize, int direction);

// ButtonsArt.cpp: variant 1 = the lit / activated look.
void paintBulb(kit::CGSize, int lit);
void paintHorizonButton(kit::CGSize, int activated);

// DimensionsArt.cpp: the video height badges and the chooser's grid;
// variant 1 of the HD badge is the chooser button's filled look.
void paintBadgeBT(kit::CGSize, int);
void paintBadgeWifi(kit::CGSize, int);
void paintBadgeHD(kit::CGSize, int filled);
void paintChooserGrid(kit::CGSize, int);

// OverlaysArt.cpp: variant = the overlay mode (OverlayGuide).
enum OverlayGuide { GuideNone = 0, GuideGolden = 1, GuideThirds = 2, GuideTrisection = 3, GuideSquare = 4 };
void paintOverlay(kit::CGSize, int guide);
void paintOverlayThumbnail(kit::CGSize, int guide);
void paintOverlayIndicatorFrame(kit::CGSize, int);

// HorizontalAlignmentArt.cpp: variant 1 = level (activated).
void paintHorizonBase(kit::CGSize, int activated);
void paintHorizonIndicator(kit::CGSize, int activated);

// IndicatorsArt.cpp.
void paintVerticalAlert(kit::CGSize, int);

// ColorPickerArt.cpp: the settings bundle's hue/saturation plane.
void paintHueSaturationPlane(kit::CGSize, int);

// ZoomViewArt.cpp.
void paintZoomOutline(kit::CGSize, int);
void paintZoomThumb(kit::CGSize, int);
void paintZoomRidge(kit::CGSize, int);

}
