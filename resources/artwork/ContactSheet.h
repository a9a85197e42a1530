#pragma once

#include <filesystem>
#include <memory>

namespace kit {
class UIImage;
}

namespace vantor::resources {

// Every catalogue image on a grey sheet, each fitted into its own cell over
// its name, for looking the artwork over at a glance. Nothing when the sheet
// cannot be drawn.
std::shared_ptr<kit::UIImage> makeContactSheet();

// The sheet as a PNG file; answers whether it was written.
bool writeContactSheet(const std::filesystem::path&);

}
