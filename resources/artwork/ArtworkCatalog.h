#pragma once

#include "kit/ui/Geometry.h"

#include <string>
#include <string_view>
#include <vector>

// Every file of the extension's resource folder, in one table that the
// generator and its tests share.
namespace vantor::resources {

// The device folder the extension loads its artwork and sounds from.
inline constexpr std::string_view kResourceFolder = "/Library/Application Support/Vantor2/";
// The count-down beep, relative to the resource folder.
inline constexpr std::string_view kCountSoundName = "Sounds/count.aif";
// Every image is an "@2x" file: two pixels per point.
inline constexpr kit::CGFloat kArtworkScale = 2;

// Draws one image into the current context (kit/ui/UIGraphics.h), in points
// with y running down, over a transparent canvas of `size`. `variant` picks
// among the looks that one painter draws (an animation frame, a mark, an
// activated look, ...).
using Painter = void (*)(kit::CGSize size, int variant);

enum class ArtworkContent {
    // Shapes over a transparent canvas: some pixels clear, some opaque.
    Drawing,
    // Deliberately transparent throughout (the "no overlay" drawing).
    Empty,
    // Opaque throughout (the colour picker's plane).
    Opaque,
};

struct ArtworkItem {
    // Relative to the resource folder, e.g. "SelectorView/1_@2x.png".
    std::string name;
    kit::CGSize points;
    Painter paint { nullptr };
    int variant { 0 };
    ArtworkContent content { ArtworkContent::Drawing };
};

// All images, each name once: the named ones by folder, then the dial's
// thirty marks.
const std::vector<ArtworkItem>& artworkCatalog();

// The item of that name, or nothing.
const ArtworkItem* findArtwork(std::string_view name);

// The settings bundle's images, which its layouts name and which lie beside
// them in the bundle folder, e.g. "ColorPickerPlane@2x.png".
const std::vector<ArtworkItem>& settingsBundleArtwork();

}
