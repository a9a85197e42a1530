#pragma once

#include "resources/artwork/ArtworkWriter.h"

#include <filesystem>
#include <string_view>
#include <vector>

// The settings bundle's manual shows some of the extension's own artwork, so
// that a page looks like what the user meets in the camera. Its layouts load
// images from the bundle folder by plain file name, so each picture is drawn
// by the catalogue's painter and written there under the catalogue file's
// own name, without the sub-folder.
namespace vantor::resources {

// Catalogue names ("Locks/objectLock2@2x.png"), in the order the pages use
// them; their file names are distinct.
const std::vector<std::string_view>& manualPictures();

// The bundle file name of a catalogue name: its last component.
std::string_view manualPictureFileName(std::string_view catalogueName);

// Writes every manual picture into `folder` (made when missing), each file
// whole or not at all.
GenerationReport writeManualPictures(const std::filesystem::path& folder);

}
