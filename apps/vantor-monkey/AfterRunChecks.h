#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace monkey {

// What must hold after any run that ended with quit. Each answers its
// problems, one line each; nothing when all is well.

// Every file in the device's DCIM folder decodes whole: photos with the
// platform's JPEG decoder, movies frame by frame. A file of another kind
// (a temporary left behind) is a problem too.
std::vector<std::string> checkCameraRoll(const std::filesystem::path& deviceRoot);

// The settings file is a property list dictionary holding the keys the
// extension writes at every save, and the remembered group when it says so.
std::vector<std::string> checkSettingsFile(const std::filesystem::path& deviceRoot);

// The app has closed cleanly: no view of the extension is left in any
// window, no timer is still scheduled two seconds of simulated time later
// (every timer of the extension stops itself at its next tick), no
// background work is pending.
std::vector<std::string> checkNothingLeftRunning();

// The frames of a movie, decoded one by one; a problem when the file cannot
// be opened, has no video, or a frame does not decode.
std::vector<std::string> decodeWholeMovie(const std::filesystem::path&);

}
