#include "AfterRunChecks.h"

#include "kit/foundation/Dispatch.h"
#include "kit/foundation/NSTimer.h"
#include "kit/foundation/PropertyListFile.h"
#include "kit/foundation/RunLoop.h"
#include "kit/media/JPEGDecoder.h"
#include "kit/ui/UIApplication.h"
#include "kit/ui/UIView.h"
#include "kit/ui/UIWindow.h"

#include "ScenarioSession.h"
#include "common/SettingsKeys.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace monkey {

namespace fs = std::filesystem;
namespace key = vantor::settings::key;

namespace {

constexpr double kSettleSeconds = 2.0;

std::string upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    return text;
}

std::vector<std::string> decodeWholePhoto(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto decoded = kit::decodeJPEG(bytes);
    if (!decoded)
        return { path.filename().string() + ": does not decode (" + kit::describe(decoded.error) + ": "
            + decoded.message + ")" };
    return {};
}

// Whether the object's code lives in the extension's library: its vtable
// lies in the image the loader opened from the device root.
bool belongsToExtension(const kit::Object& object)
{
    Dl_info info {};
    const void* vtable = *reinterpret_cast<const void* const*>(&object);
    if (!dladdr(vtable, &info) || !info.dli_fname)
        return false;
    return fs::path(info.dli_fname).filename().string().starts_with("Vantor2");
}

void findExtensionViews(const kit::UIView& view, std::vector<std::string>& found)
{
    if (belongsToExtension(view))
        found.push_back(view.className());
    for (auto& child : view.subviews())
        findExtensionViews(*child, found);
}

}

std::vector<std::string> checkCameraRoll(const fs::path& deviceRoot)
{
    std::vector<std::string> problems;
    std::error_code error;
    auto dcim = deviceRoot / "var/mobile/Media/DCIM";
    for (fs::recursive_directory_iterator it(dcim, error), end; !error && it != end; it.increment(error)) {
        if (!it->is_regular_file())
            continue;
        auto extension = upper(it->path().extension().string());
        std::vector<std::string> found;
        if (extension == ".JPG" || extension == ".JPEG")
            found = decodeWholePhoto(it->path());
        else if (extension == ".MOV")
            found = decodeWholeMovie(it->path());
        else
            found = { it->path().filename().string() + ": neither a photo nor a movie left in DCIM" };
        problems.insert(problems.end(), found.begin(), found.end());
    }
    if (error)
        problems.push_back("DCIM cannot be listed: " + error.message());
    return problems;
}

std::vector<std::string> checkSettingsFile(const fs::path& deviceRoot)
{
    auto path = deviceRoot / sim::kSettingsFile;
    if (!fs::exists(path))
        return { "the extension saved no settings file" };
    auto file = kit::readPropertyListFile(path);
    if (!file)
        return { "the settings file does not parse" };
    auto* dictionary = file->dictionary();
    if (!dictionary)
        return { "the settings file is not a dictionary" };
    std::vector<std::string> problems;
    auto expectNumber = [&](const char* name) {
        auto found = dictionary->find(name);
        if (found == dictionary->end())
            problems.push_back(std::string("the settings file lacks ") + name);
        else if (!found->second.isNumber())
            problems.push_back(std::string("the settings file's ") + name + " is not a number or a flag");
    };
    for (const char* name :
        { key::rememberSettings, key::advPhotoModeAsDefault, key::advVideoModeAsDefault, key::showHelpHowToShow,
            key::showHelpHowToHide })
        expectNumber(name);
    auto remember = dictionary->find(key::rememberSettings);
    if (remember != dictionary->end() && remember->second.numberValue().value_or(0) != 0) {
        for (const char* name : { key::guideIndex, key::resolutionIndex, key::timerTime, key::timeLapseTime,
                 key::frameRateTime, key::timeType, key::timerMode, key::overlayMode, key::frameRateMode,
                 key::resolutionSelected, key::guideSelected, key::horizonAlignmentShowing,
                 key::timeStampVisibleAndPlace })
            expectNumber(name);
    }
    return problems;
}

std::vector<std::string> checkNothingLeftRunning()
{
    // The extension's timers stop themselves at their next tick after a
    // teardown (the count-down through killtimer, the help animation when its
    // views are gone), so the loop runs on past the longest interval first.
    kit::RunLoop::main().advance(kSettleSeconds);
    std::vector<std::string> problems;
    for (auto* window : kit::UIApplication::sharedApplication()->windows()) {
        std::vector<std::string> views;
        findExtensionViews(*window, views);
        for (auto& name : views)
            problems.push_back(std::string("a ") + name + " of the extension is left in a "
                + (window->isHidden() ? "hidden " : "") + window->className() + " after quit");
    }
    for (auto& timer : kit::NSTimer::scheduledTimers()) {
        char line[120];
        std::snprintf(line, sizeof line, "a timer (every %.3f s, next at %.3f s) is still scheduled after quit",
            timer->timeInterval(), timer->fireDate());
        problems.push_back(line);
    }
    if (int pending = kit::DispatchQueue::backgroundWorkCount())
        problems.push_back(std::to_string(pending) + " blocks of background work still pending after quit");
    return problems;
}

}
