// Feeds arbitrary bytes to the extension as its settings file, through the
// whole way it reads one: LoadPrefs with every typed reader, the camera
// bar's start values with the date stamp's font name and archived colour,
// and the save that writes the extension's keys back. Whatever the file
// held, nothing crashes and the file the extension writes reads back as a
// dictionary holding its keys.

#include "common/SettingsKeys.h"
#include "extension/camerabar/CameraBar.h"
#include "extension/startup/Globals.h"
#include "extension/startup/Prefs.h"

#include "kit/foundation/DeviceRoot.h"
#include "kit/foundation/PropertyListFile.h"
#include "kit/foundation/RunLoop.h"
#include "kit/foundation/SystemLog.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

fs::path deviceRoot;
fs::path settingsFile;

}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // In memory where there is such a folder: the save syncs the file to disk at every run.
    fs::path memory = "/dev/shm";
    auto folder = fs::is_directory(memory) ? memory : fs::temp_directory_path();
    deviceRoot = folder / ("vantor-settings-fuzz-" + std::to_string(getpid()));
    kit::DeviceRoot::prepare(deviceRoot);
    kit::DeviceRoot::set(deviceRoot);
    std::atexit([] {
        std::error_code error;
        fs::remove_all(deviceRoot, error);
    });
    settingsFile = kit::DeviceRoot::resolve(vantor::preferencesPath());
    fs::create_directories(settingsFile.parent_path());
    kit::RunLoop::main().resetWithVirtualClock();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    {
        std::ofstream out(settingsFile, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    }
    vantor::resetGlobalsToLoadValues();
    vantor::LoadPrefs();
    // The camera bar reads its start values, the font name and the colour
    // straight from the loaded dictionary.
    auto bar = std::make_shared<vantor::CameraBar>(kit::CGRectMake(165, 0, 419, 55));
    bar.reset();
    vantor::savePrefs();

    auto saved = kit::readPropertyListFile(settingsFile);
    if (!saved || !saved->dictionary() || !saved->dictionary()->contains(vantor::settings::key::rememberSettings))
        std::abort();
    kit::RunLoop::main().advance(0);
    kit::SystemLog::clearRecentLines();
    return 0;
}
